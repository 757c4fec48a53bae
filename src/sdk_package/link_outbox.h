// Writes the GUI thread hands to a link's worker. The worker alone touches
// the port, the socket or the device, so a frame from the GUI and the reset
// the worker sends after connecting never interleave, the GUI thread never
// waits on a slow line, and nothing is written to a link that is closed:
// while closed, writes are refused and dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

class LinkOutbox {
public:
    using Write = std::vector<uint8_t>;

    // At most `capacity` writes wait at a time.
    explicit LinkOutbox(size_t capacity = 256) : capacity_(capacity) {}

    // Called after each write queued, on the queuing thread: the worker's
    // wake-up, so that a worker waiting for input writes at once. Set before
    // the worker runs; empty: no call.
    void set_wake(std::function<void()> wake) { wake_ = std::move(wake); }

    // Queues one write of `count` bytes. False, and nothing queued, while the
    // link is closed or when `capacity` writes already wait. Any thread.
    bool push(const uint8_t* bytes, size_t count);
    // Everything queued, oldest first; the box is left empty. Worker.
    std::vector<Write> take();
    // Writes everything queued, oldest first, through `write` (bool(const
    // uint8_t*, size_t): false when the link failed). Stops at the first
    // failure, dropping the rest, and returns false then. Worker.
    template <class WriteFn>
    bool flush(WriteFn write)
    {
        for (const Write& w : take())
            if (!write(w.data(), w.size()))
                return false;
        return true;
    }

    // The link opened: writes are taken from now on. Worker.
    void open();
    // The link closed: queued writes are dropped and new ones refused.
    void close();

private:
    std::mutex lock_;
    std::vector<Write> items_;
    const size_t capacity_;
    bool open_ = false;
    std::function<void()> wake_;
};
