// The tag table of an inventory page: one row per distinct tag seen since
// the page was last refreshed, with its PC, EPC, latest RSSI and frequency
// and a read count per antenna; the running statistics; and the texts the
// page's list and file show. No window is involved: the pages only show
// what is kept here. GUI thread only.
//
// Each report costs O(1): the rows are found through a hash index on the
// EPC bytes and length, and the lowest and highest RSSI are kept as a
// histogram of the rows' RSSI values instead of being sorted again. Tags
// past the rows are counted, not listed: only their EPCs are kept, in a
// compact set, up to kMaxUnlisted of them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "general_func_file.h"
#include "wxcrafter/page_support/inventory_tally.h"
#include "wxcrafter/page_support/tag_id_set.h"

// What the PC of a plain report says the tag is.
enum class tag_kind : uint8_t {
    c6,    // top five bits of the PC's first byte give the EPC words: "6C"
    gb,    // national standard, the whole first byte gives the words: "GB"
    none,  // no EPC in the report ("void"): stored as the one-byte EPC 00
};

// One plain tag report, read from a reply's data bytes; the pointers point
// into those bytes (or, for the absent EPC, at a constant zero byte).
struct plain_report {
    uint8_t antenna;        // as sent, 1..8 from a sound reader
    uint8_t pc[2];
    const uint8_t* epc;
    uint8_t epc_len;        // 1..32
    tag_kind kind;
    const uint8_t* rssi;    // the four RSSI bytes; nullptr: no RSSI, no frequency
    uint32_t freq_khz;      // 24-bit carrier frequency
};

// Reads antenna, PC and EPC of a report of `count` data bytes: the PC's
// first byte P gives the EPC words in its top five bits ("6C"), or, below
// 8, in the whole byte when they and the `tail` bytes after them fit
// ("GB"); else the report has no EPC ("void") and is stored with the
// one-byte EPC 00. `tail` more bytes must follow the EPC; `fields` tells
// where they begin. False for an EPC longer than 32 bytes or a report
// shorter than its fields. Leaves the RSSI and the frequency of `out`
// alone.
bool parse_plain_head(const uint8_t* data, int count, int tail, plain_report& out, int& fields);

// The three bytes at `p` as a big-endian number (the frequency in kHz).
inline uint32_t be24(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

// The data bytes a reply carries whose frame length byte is `len`: the
// length byte also counts the address, the command and the check byte.
inline int report_data_bytes(uint8_t len)
{
    return len > 3 ? len - 3 : 0;
}

// Reads one plain report: antenna, PC, EPC, four RSSI bytes, three
// frequency bytes. `len` is the reply frame's length byte: the report is
// its first len - 3 bytes, and nothing past them is read. False (and `out`
// unspecified) for a status reply (len <= 4), an EPC longer than 32 bytes,
// or a report shorter than its fields.
bool parse_plain_report(const uint8_t* data, uint8_t len, plain_report& out);

// One tag.
struct tag_row {
    uint8_t pc[2];
    uint8_t epc[32];      // zero past epc_len
    uint8_t epc_len;
    tag_kind kind;        // as first seen
    uint32_t freq_khz;    // of the latest report
    uint16_t counts[8];   // reads on antennas 1..8, stopping at 65535
    int rssi;             // dBm, of the latest report; 0 when none carried one
    bool has_rssi;        // a report of this tag carried an RSSI
};

// What the operator is told of tags past the rows, each once per inventory.
enum class tag_notice : uint8_t {
    none,
    unlisted,   // tags past the kMaxRows-th are counted but not listed
    uncounted,  // kMaxUnlisted tags past the rows: further new ones are not counted
};

// The operation log's line for `notice`; "" for none.
std::string notice_text(tag_notice notice);

// Columns of the plain tag list, in screen order.
enum class tag_column { id, kind, epc, pc, counts, rssi, freq };

// How a page's table differs from the real-time page's.
struct tag_table_rules {
    // A known tag's report rewrites its PC (the real-time page); else the
    // PC stays as first seen.
    bool rewrite_known_pc;
    // Antenna numbers 9..255 count on antenna 8 (the real-time page); else
    // they count on no antenna. Antenna 0 never counts.
    bool high_antennas_on_last;
};

class tag_table {
public:
    static constexpr int kMaxRows = 5000;
    // Distinct tags past the rows that are counted; about 21 MB of EPCs of
    // 12 bytes at the most.
    static constexpr int kMaxUnlisted = 1000000;

    enum class outcome {
        rejected,    // not a readable report: nothing changed
        new_tag,     // a row was added
        known_tag,   // the tag's row was updated
        table_full,  // a tag past the rows: counted among the distinct tags, no row
        uncounted,   // a new tag past the rows once kMaxUnlisted are counted: not counted
    };
    struct result {
        outcome what;
        int row;                               // the tag's row, -1 without one
        tag_notice notice = tag_notice::none;  // for the operator, the first time in an inventory
    };

    explicit tag_table(tag_table_rules rules);
    tag_table(const tag_table&) = delete;
    tag_table& operator=(const tag_table&) = delete;

    // One plain tag report, `data` holding the len - 3 data bytes of a
    // reply whose frame length byte is `len` (see parse_plain_report).
    result add_report(const uint8_t* data, uint8_t len);
    // One report already read; its pointers are read during the call only.
    // A report without RSSI leaves the row's RSSI and frequency as they are.
    // With every row taken a new tag is counted by its EPC alone, up to
    // kMaxUnlisted of them; the result's notice says so the first time in
    // an inventory.
    result add(const plain_report& report);

    int size() const { return static_cast<int>(rows.size()); }
    // Distinct tags seen: the rows and the tags counted past them.
    int distinct() const { return size() + static_cast<int>(unlisted.size()); }
    // `i` below size().
    const tag_row& row(int i) const { return rows[static_cast<size_t>(i)]; }

    // Lowest and highest RSSI over the rows that have one; false without.
    bool rssi_range(int& lowest, int& highest) const;

    // The list's text of `column` in row `i` (below size()).
    std::string cell(int i, tag_column column) const;

    // The refresh: no rows, no tags counted, and the statistics restart
    // (see inventory_tally::restart).
    void clear();
    // An inventory starts: each notice may be given once more.
    void new_inventory();

    inventory_tally& tally() { return stats; }
    const inventory_tally& tally() const { return stats; }

private:
    result add_unlisted(const plain_report& report);
    void add_rssi(int rssi);
    void remove_rssi(int rssi);

    const tag_table_rules rules;
    general_func_file rssi_calc;
    std::vector<tag_row> rows;  // capacity kMaxRows, so keys stay valid
    // Keys view the EPC bytes of the rows themselves.
    std::unordered_map<std::string_view, int> index;
    std::map<int, int> rssi_rows;  // RSSI value -> rows holding it
    tag_id_set unlisted;           // EPCs of the tags past the rows
    bool told_unlisted = false;
    bool told_uncounted = false;
    inventory_tally stats;
};

// A byte as text: base 16 gives two upper-case digits, any other base the
// plain number in that base (2..36).
std::string convert_type(uint8_t value, int base);

// Each of `count` bytes as two hex digits and a blank: "E2 00 ... AB ".
std::string epc_text(const uint8_t* epc, int count);

// Texts of a row, as the list shows them.
std::string epc_text(const tag_row& row);   // "E2 00 ... AB " (blank after each byte)
std::string pc_text(const tag_row& row);    // "30 00"
std::string counts_text(const tag_row& row);  // "1 \ 0 \ 0 \ 0 \ 0 \ 0 \ 0 \ 0"
std::string rssi_text(int rssi);            // "-55dBm"
std::string freq_text(uint32_t khz);        // "920125 Khz"
const char* kind_text(tag_kind kind);       // "6C", "GB", "void"
