// Reply decoding without the window: what one reply frame from the reader
// means for the operator. The controller's cmd_decode hands each reply here
// and carries out the result on the pages, the link flags and the operation
// log.
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
    uint8_t cmd = 0;                // command code (frame byte 3)
    uint8_t len_byte = 0;           // the frame's length byte
    const uint8_t* data = nullptr;  // first data byte (the status of most replies)
    size_t size = 0;                // data bytes held: the length byte - 3, or fewer

    // At most one data byte: a status alone.
    bool is_short() const { return len_byte <= 4; }
    bool has(size_t n) const { return size >= n; }
    // Data byte `i`, 0 past the end.
    uint8_t at(size_t i) const { return i < size ? data[i] : 0; }
    uint8_t status() const { return at(0); }
};

// The view of a received frame: `frame` holds `frame_size` bytes from the
// header on.
Reply view(const uint8_t* frame, size_t frame_size);

// One operation-log line (UTF-8).
struct Line {
    std::string text;
    bool red = true;
};

// What a reply asks of the pages and the links, besides its log lines.
enum class Action : uint8_t {
    none,
    // Connection page.
    show_version,      // text
    show_temperature,  // text
    show_gpio,         // values[0], values[1]: radio index of GPIO 1 and 2, -1 leaves it
    // RF-parameter page.
    show_work_antenna,  // values[0]: antenna from 1
    show_fast_epc,      // values[0]: mode
    show_powers,        // texts: box 1 on, as many as the reply carries
    show_profile,       // values[0]: profile id
    show_custom_plan,   // texts: spacing, count, start frequency
    show_standard_plan, // values[0]: region entry, values[1], values[2]: point indexes
    // Firmware upgrade: an acknowledgement for the target in values[0].
    upgrade_ack,
    // Inventories.
    realtime_report,        // the reply to the real-time page's table
    realtime_end,           // the reader ended it (antenna missing, no tag)
    buffer_count,           // values[0]: tags the buffered inventory found
    buffer_end,             // the reader ended it (antenna missing, no tag)
    buffer_record,          // the reply to the buffered page's records
    switchant_report,       // the reply to the antenna-switch page's table
    switchant_end,          // finished, refused or antenna missing
    custom_report,          // the reply to the custom page's parser `parser`
    custom_end,             // the reader finished or ended the custom inventory
    // Tag memory: the reply to the storage page's result setter `parser`.
    tag_memory_result,
};

// Which page parser takes a report or result.
enum class Parser : uint8_t {
    none,
    // Custom inventory page.
    temperature,      // 0x52
    match_data,       // 0x53 to 0x55
    gb_match_data,    // 0x56, 0x57
    temperature1,     // 0x58
    epc,              // 0x8A, 0xD9
    vela_temperature, // 0xD8
    // Tag-storage page.
    read,
    write,
    lock,
    kill,
    gb_read,
    gb_write,
    gb_lock,
    gb_kill,
    double_identify,
};

// What the controller does with a reply, in this order: stop the response
// time-out, write the lines, carry out the action, then the antenna step.
struct Outcome {
    bool handled = false;        // a branch took the reply
    bool clear_timeout = false;  // the reply ends the request it answers
    std::vector<Line> lines;
    Action action = Action::none;
    Parser parser = Parser::none;
    std::string text;
    std::vector<std::string> texts;
    int values[3] = {0, 0, 0};
    bool post_tag_list = false;  // the ended inventory's tags go to the storage page
    // The inventory's antenna may move on; `ended` makes it move at once.
    bool antenna_step = false;
    bool ended = false;
};

// The branch of `r.cmd`; codes without one give an Outcome that is not
// handled (nothing logged, the time-out left running).
Outcome decode(const Reply& r);

// The red line (UTF-8) for a tag-memory or buffer-count reply that gives
// no result: a short reply whose status has no line of its own, or a
// longer one whose lengths do not fit its bytes. Names the operation and
// the first data byte in hex.
std::string unread_result_line(const Reply& r);

}  // namespace reply
