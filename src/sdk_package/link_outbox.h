// Writes the GUI thread hands to a link's worker. The worker alone touches
// the socket or the device, so a frame from the GUI and the reset the
// worker sends after connecting never interleave, and nothing is written to
// a link that is closed: while closed, writes are refused and dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

class LinkOutbox {
public:
    using Write = std::vector<uint8_t>;

    // At most `capacity` writes wait at a time.
    explicit LinkOutbox(size_t capacity = 256) : capacity_(capacity) {}

    // Queues one write of `count` bytes. False, and nothing queued, while the
    // link is closed or when `capacity` writes already wait. Any thread.
    bool push(const uint8_t* bytes, size_t count);
    // Everything queued, oldest first; the box is left empty. Worker.
    std::vector<Write> take();

    // The link opened: writes are taken from now on. Worker.
    void open();
    // The link closed: queued writes are dropped and new ones refused.
    void close();

private:
    std::mutex lock_;
    std::vector<Write> items_;
    const size_t capacity_;
    bool open_ = false;
};
