// The tag reports of a custom inventory and the table they fill: plain EPC
// reports, reports with the data of a matched memory area, and the reports
// of two kinds of temperature-sensing tag. Each report is read from the
// reply's data bytes with the reply's length, and nothing past them is
// read. No window is involved; the page shows the table. GUI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wxcrafter/custom_inv_pannel_base/match_modes.h"
#include "wxcrafter/page_support/tag_table.h"

// The report layouts, by the reply that carries them.
enum class custom_report_kind {
    plain_epc,      // 0x8A, 0xD9: antenna, PC, EPC, RSSI, frequency
    match_data,     // 0x53..0x55: ... CRC, data count and data, RSSI, frequency (6C)
    gb_match_data,  // 0x56, 0x57: the same, the EPC words in the PC's whole first byte
    magnus,         // 0x52: ... CRC, temperature in thousandths of a degree, RSSI, frequency
    nmv2d,          // 0x58: ... CRC, data count, trim sign and size, sensor code, RSSI, frequency
    velatag,        // 0xD8: antenna, PC, EPC, four bytes not used, temperature code
};

// One report read.
struct custom_report {
    plain_report tag;         // antenna, PC, EPC; RSSI and frequency unless velatag
    bool has_crc;
    uint8_t crc[2];
    const uint8_t* read_data;  // match data only: `read_len` bytes
    uint8_t read_len;
    std::string temperature;  // temperature reports only
};

// Reads one report of `kind` from `data`, the len - 3 data bytes of a reply
// whose frame length byte is `len`. False (and `out` unspecified) when the
// fields do not fit in those bytes, for an EPC longer than 32 bytes, and
// for an antenna number outside 1..8.
bool parse_custom_report(custom_report_kind kind, const uint8_t* data, uint8_t len, custom_report& out);

// A temperature in tenths of a degree as text: 253 -> "25.3", -5 -> "-0.5".
std::string tenths_text(long tenths);
// Reply 0x52: the value counts thousandths of a degree; the text shows
// whole tenths (25340 -> "25.3").
std::string magnus_temperature(uint32_t thousandths);
// Reply 0x58: sign byte (1: negative trim), trim size and the sensor code's
// two bytes, of which the low 12 bits count; six decimals ("44.966766").
std::string nmv2d_temperature(uint8_t sign, uint8_t trim, uint8_t code_high, uint8_t code_low);
// Reply 0xD8: the 16-bit temperature code through the tag's quadratic, in
// whole tenths (500 -> "24.7").
std::string velatag_temperature(uint16_t code);

// The custom page's table: the shared tag table, and per row the CRC, read
// data and temperature that only the custom lists show.
class custom_tag_table {
public:
    custom_tag_table();

    // One report of `kind` (see parse_custom_report). A known tag keeps its
    // PC and CRC as first seen and takes the counts, data, temperature,
    // RSSI and frequency of the latest report. A tag past the rows is only
    // counted (see tag_table::add).
    tag_table::result add(custom_report_kind kind, const uint8_t* data, uint8_t len);

    int size() const { return table.size(); }
    // The list's text of `column` in row `row` (below size()).
    std::string cell(int row, custom_column column) const;
    // The file line of row `row`, its EPC field the list's EPC text and its
    // data field `data_column`'s text, with its line feed:
    // "<PC = 30 00><EPC = E2 ... AB ><freq = 920125 Khz><rssi = -55dBm><3 \ 0 ... \ 0><data = -55dBm>\n".
    std::string file_line(int row, custom_column data_column) const;
    // No rows; the statistics restart.
    void clear();

    tag_table& tags() { return table; }
    const tag_table& tags() const { return table; }

private:
    struct extra {
        std::string crc;
        std::string data;
        std::string data_len;
        std::string temperature;
    };

    tag_table table;
    std::vector<extra> extras;  // one per row of `table`
};
