// The records of one read of the reader's tag buffer, as the buffered
// inventory page keeps them: every record the reader sends takes a row of
// its own (nothing is merged), in arrival order, as many as a reader's
// buffer holds. The reader supplies each record's antenna and read count.
// No window is involved; the page shows what is kept here. GUI thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "general_func_file.h"

// One buffered record.
struct buffer_record {
    uint8_t pc[2];
    uint8_t epc[32];
    uint8_t epc_len;    // 0..32
    uint8_t crc[2];
    uint32_t freq_khz;  // 24-bit carrier frequency
    uint8_t antenna;    // as sent
    uint8_t reads;      // the reader's read count of the tag
    int rssi;           // dBm
};

// Reads one record from the data bytes of a buffer-read reply: L (the PC,
// EPC and CRC bytes together), PC, EPC, CRC, four RSSI bytes, three
// frequency bytes, antenna, read count. `count` is the number of data
// bytes; nothing past them is read. False (and `out` unspecified) when L is
// below 4 or above 36 (an EPC longer than 32 bytes) or the fields pass the
// data.
bool parse_buffer_record(const uint8_t* data, size_t count, buffer_record& out);

// Columns of the record list, in screen order.
enum class buffer_column { id, pc, crc, epc, antenna, rssi, freq, reads };

class buffer_records {
public:
    // A reader counts the tags in its buffer in 16 bits, so no read passes
    // this; the rows take about 4.8 MB then.
    static constexpr int kMaxRecords = 100000;

    enum class outcome {
        stored,    // the record took the next row
        rejected,  // not a readable record: nothing changed
        full,      // every row taken: the record is dropped and counted
    };

    explicit buffer_records(int max_records = kMaxRecords);

    // One reply: `data` holds the len - 3 data bytes of a reply whose frame
    // length byte is `len`.
    outcome add(const uint8_t* data, uint8_t len);

    int size() const { return static_cast<int>(rows.size()); }
    // `i` below size().
    const buffer_record& record(int i) const { return rows[static_cast<size_t>(i)]; }
    // Lowest and highest RSSI of the records; false without records.
    bool rssi_range(int& lowest, int& highest) const;
    // The list's text of `column` for record `i` (below size()).
    std::string cell(int i, buffer_column column) const;
    // Records of this read dropped for want of a row.
    long dropped() const { return dropped_records; }
    // The operation log's line that says how many records of this read were
    // dropped, when more were than the last line said; "" else. The page
    // asks once the records stop coming, so the line gives the true count.
    std::string take_drop_notice();
    // Before each read: no records, none dropped.
    void clear();

private:
    const int max_records;
    general_func_file rssi_calc;
    std::vector<buffer_record> rows;
    long dropped_records;
    long said_dropped;
    int lowest_rssi;
    int highest_rssi;
};

// The file line of one record, with its line feed:
// "PC = 30 00 ; EPC = E2 ... AB  ; freq = 920125 Khz  ; rssi = -55dBm ;  ant = 1; read num = 3\n".
// The EPC field shows at least 12 bytes, a shorter EPC padded with "00".
std::string buffer_record_line(const buffer_record& record);
