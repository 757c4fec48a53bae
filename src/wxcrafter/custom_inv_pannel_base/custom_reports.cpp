#include "wxcrafter/custom_inv_pannel_base/custom_reports.h"

#include <cstdio>

#include "wxcrafter/page_support/tag_list_file.h"

namespace {

// Antenna and PC: the report's bytes before the EPC.
const int kHead = 3;
const int kMaxEpc = 32;
const int kAntennas = 8;
const int kCrc = 2;
const int kRssi = 4;
const int kFreq = 3;
// The four bytes of a sensor-tag report before its temperature code, then
// the code.
const int kSensorTail = 6;
// Sign, trim and the two code bytes that begin a 0x58 report's tag data.
const int kTrimData = 4;

// The EPC a report without one is stored with.
const uint8_t kNoEpc[1] = {0};

uint32_t be32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | be24(p + 1);
}

// Antenna, PC and EPC of a report whose PC's first byte counts the EPC's
// words: in its top five bits (6C) or, for GB tags, in the whole byte. No
// words: the one-byte EPC 00, the fields following the PC at once.
bool parse_word_head(const uint8_t* data, int count, bool gb, plain_report& out, int& fields)
{
    if (count < kHead)
        return false;
    const int bytes = (gb ? data[1] : data[1] >> 3) * 2;
    if (bytes > kMaxEpc)
        return false;
    out.antenna = data[0];
    out.pc[0] = data[1];
    out.pc[1] = data[2];
    if (bytes == 0) {
        out.kind = tag_kind::none;
        out.epc = kNoEpc;
        out.epc_len = 1;
    } else {
        out.kind = gb ? tag_kind::gb : tag_kind::c6;
        out.epc = data + kHead;
        out.epc_len = static_cast<uint8_t>(bytes);
    }
    fields = kHead + bytes;
    return true;
}

// The RSSI and frequency that end most reports, at `at`.
void take_signal(const uint8_t* data, int at, plain_report& out)
{
    out.rssi = data + at;
    out.freq_khz = be24(data + at + kRssi);
}

bool parse_fields(custom_report_kind kind, const uint8_t* data, int count, custom_report& out)
{
    int at = 0;
    switch (kind) {
    case custom_report_kind::plain_epc:
        if (!parse_plain_head(data, count, kRssi + kFreq, out.tag, at))
            return false;
        take_signal(data, at, out.tag);
        return true;
    case custom_report_kind::velatag: {
        if (!parse_plain_head(data, count, kSensorTail, out.tag, at))
            return false;
        const uint8_t* code = data + at + kRssi;
        out.temperature = velatag_temperature(static_cast<uint16_t>(code[0] << 8 | code[1]));
        return true;
    }
    case custom_report_kind::match_data:
    case custom_report_kind::gb_match_data: {
        if (!parse_word_head(data, count, kind == custom_report_kind::gb_match_data, out.tag, at))
            return false;
        // CRC and the count of read bytes, then the read bytes.
        if (count < at + kCrc + 1)
            return false;
        const uint8_t n = data[at + kCrc];
        if (count < at + kCrc + 1 + n + kRssi + kFreq)
            return false;
        out.has_crc = true;
        out.crc[0] = data[at];
        out.crc[1] = data[at + 1];
        out.read_data = data + at + kCrc + 1;
        out.read_len = n;
        take_signal(data, at + kCrc + 1 + n, out.tag);
        return true;
    }
    case custom_report_kind::magnus: {
        const int kValue = 4;
        if (!parse_word_head(data, count, false, out.tag, at) || count < at + kCrc + kValue + kRssi + kFreq)
            return false;
        out.has_crc = true;
        out.crc[0] = data[at];
        out.crc[1] = data[at + 1];
        out.temperature = magnus_temperature(be32(data + at + kCrc));
        take_signal(data, at + kCrc + kValue, out.tag);
        return true;
    }
    case custom_report_kind::nmv2d: {
        if (!parse_word_head(data, count, false, out.tag, at) || count < at + kCrc + 1)
            return false;
        // The tag data begins with the trim and the code; the RSSI and the
        // frequency follow all of it.
        const uint8_t d = data[at + kCrc];
        if (d < kTrimData || count < at + kCrc + 1 + d + kRssi + kFreq)
            return false;
        const uint8_t* trim = data + at + kCrc + 1;
        out.has_crc = true;
        out.crc[0] = data[at];
        out.crc[1] = data[at + 1];
        out.temperature = nmv2d_temperature(trim[0], trim[1], trim[2], trim[3]);
        take_signal(data, at + kCrc + 1 + d, out.tag);
        return true;
    }
    }
    return false;
}

tag_column shared_column(custom_column column)
{
    switch (column) {
    case custom_column::kind:
        return tag_column::kind;
    case custom_column::pc:
        return tag_column::pc;
    case custom_column::epc:
        return tag_column::epc;
    case custom_column::counts:
        return tag_column::counts;
    case custom_column::rssi:
        return tag_column::rssi;
    case custom_column::freq:
        return tag_column::freq;
    default:
        return tag_column::id;
    }
}

}  // namespace

bool parse_custom_report(custom_report_kind kind, const uint8_t* data, uint8_t len, custom_report& out)
{
    out.tag.rssi = nullptr;
    out.tag.freq_khz = 0;
    out.has_crc = false;
    out.read_data = nullptr;
    out.read_len = 0;
    out.temperature.clear();
    const int count = report_data_bytes(len);
    if (!parse_fields(kind, data, count, out))
        return false;
    // No counter for any other antenna number.
    return out.tag.antenna >= 1 && out.tag.antenna <= kAntennas;
}

std::string tenths_text(long tenths)
{
    const unsigned long size = tenths < 0 ? 0UL - static_cast<unsigned long>(tenths) : static_cast<unsigned long>(tenths);
    return (tenths < 0 ? "-" : "") + std::to_string(size / 10) + "." + std::to_string(size % 10);
}

std::string magnus_temperature(uint32_t thousandths)
{
    return tenths_text(static_cast<long>(thousandths / 100));
}

std::string nmv2d_temperature(uint8_t sign, uint8_t trim, uint8_t code_high, uint8_t code_low)
{
    const int code = ((code_high << 8) | code_low) & 0x0FFF;
    // A negative trim is the complement of its size.
    const int tune = sign == 1 ? ~static_cast<int>(trim) : static_cast<int>(trim);
    const float degrees = static_cast<float>((tune + code - 500) / 5.4817 + 24.9);
    char text[32];
    std::snprintf(text, sizeof text, "%2f", static_cast<double>(degrees));
    return text;
}

std::string velatag_temperature(uint16_t code)
{
    // In double throughout: the square of a 16-bit code overflows an int.
    const double v = code;
    const float degrees = static_cast<float>(v * v * 9e-5 - v * 0.1854 + 94.919);
    const float tenths = degrees * 10.0f;
    return tenths_text(static_cast<long>(tenths));
}

custom_tag_table::custom_tag_table() : table({false, false})
{
    extras.reserve(tag_table::kMaxRows);
}

tag_table::result custom_tag_table::add(custom_report_kind kind, const uint8_t* data, uint8_t len)
{
    custom_report report;
    if (!parse_custom_report(kind, data, len, report))
        return {tag_table::outcome::rejected, -1};
    const tag_table::result got = table.add(report.tag);
    if (got.what == tag_table::outcome::new_tag) {
        extra e;
        if (report.has_crc)
            e.crc = convert_type(report.crc[0], 16) + " " + convert_type(report.crc[1], 16);
        extras.push_back(e);
    }
    if (got.row < 0)
        return got;
    extra& e = extras[static_cast<size_t>(got.row)];
    if (report.read_data) {
        e.data = epc_text(report.read_data, report.read_len);
        e.data_len = convert_type(report.read_len, 10);
    }
    if (!report.temperature.empty())
        e.temperature = report.temperature;
    return got;
}

std::string custom_tag_table::cell(int row, custom_column column) const
{
    const extra& e = extras[static_cast<size_t>(row)];
    switch (column) {
    case custom_column::crc:
        return e.crc;
    case custom_column::data:
        return e.data;
    case custom_column::data_len:
        return e.data_len;
    case custom_column::temperature:
        return e.temperature;
    case custom_column::rssi:
    case custom_column::freq:
        // A sensor tag's report carries neither.
        if (!table.row(row).has_rssi)
            return std::string();
        break;
    default:
        break;
    }
    return table.cell(row, shared_column(column));
}

std::string custom_tag_table::file_line(int row, custom_column data_column) const
{
    const tag_row& r = table.row(row);
    // The EPC as the list shows it: a GB row's PC does not give its length
    // by the 6C rule, and a row without an EPC shows its stored 00.
    return "<PC = " + pc_text(r) + "><EPC = " + epc_text(r) + "><freq = " + std::to_string(r.freq_khz) +
           " Khz><rssi = " + std::to_string(r.rssi) + "dBm><" + counts_text(r) + "><data = " +
           cell(row, data_column) + ">\n";
}

void custom_tag_table::clear()
{
    table.clear();
    extras.clear();
}
