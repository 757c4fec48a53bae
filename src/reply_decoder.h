// Reply decoding without the window: what one reply frame from the reader
// means for the operator. The controller's cmd_decode hands each reply here
// and carries out the result on the pages and the operation log.
//
// Every function takes the reply's bytes with their count and reads nothing
// beyond them. Nothing here depends on wx.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace reply {

// One reply frame as the data timer hands it over.
struct Reply {
    uint8_t cmd = 0;           // command code (frame byte 3)
    uint8_t len_byte = 0;      // the frame's length byte
    const uint8_t* data = nullptr;  // first data byte (the status of most replies)
    size_t size = 0;           // data bytes held: the length byte - 3, or fewer

    // At most one data byte: a status alone.
    bool is_short() const { return len_byte <= 4; }
    bool has(size_t n) const { return size >= n; }
    // Data byte `i`, 0 past the end.
    uint8_t at(size_t i) const { return i < size ? data[i] : 0; }
    uint8_t status() const { return at(0); }
};

// The view of a received frame's data: `frame` holds `frame_size` bytes from
// the header on.
Reply view(const uint8_t* frame, size_t frame_size);

// One operation-log line (UTF-8).
struct Line {
    std::string text;
    bool red = true;
};

// What the controller does with a reply.
struct Outcome {
    bool handled = false;        // a branch took the reply
    bool clear_timeout = false;  // the reply ends the request it answers
    std::vector<Line> lines;     // in order, after the time-out is cleared
};

// The branch of `r.cmd`; codes without one give an Outcome that is not
// handled (nothing logged, the time-out left running).
Outcome decode(const Reply& r);

}  // namespace reply
