#include "wxcrafter/buffer_inv_pannel_base/buffer_records.h"

#include <algorithm>
#include <cstring>

#include "wxcrafter/page_support/tag_table.h"

namespace {

// L counts the PC and the CRC besides the EPC.
const int kMinLength = 4;
const int kMaxLength = 36;
// After the CRC: four RSSI bytes, three frequency bytes, antenna, count.
const int kTrail = 9;
// The file prints at least this many EPC bytes.
const int kFileEpcBytes = 12;

// "30 00"
std::string pair_text(const uint8_t* bytes)
{
    return convert_type(bytes[0], 16) + " " + convert_type(bytes[1], 16);
}

}  // namespace

bool parse_buffer_record(const uint8_t* data, size_t count, buffer_record& out)
{
    if (count < 1)
        return false;
    const int length = data[0];
    if (length < kMinLength || length > kMaxLength)
        return false;
    // Bytes 0 .. L + 9.
    if (count < static_cast<size_t>(length + kTrail + 1))
        return false;
    out.pc[0] = data[1];
    out.pc[1] = data[2];
    out.epc_len = static_cast<uint8_t>(length - kMinLength);
    std::memset(out.epc, 0, sizeof out.epc);
    std::memcpy(out.epc, data + 3, out.epc_len);
    out.crc[0] = data[length - 1];
    out.crc[1] = data[length];
    const uint8_t* trail = data + length + 1;
    out.freq_khz = (static_cast<uint32_t>(trail[4]) << 16) | (static_cast<uint32_t>(trail[5]) << 8) | trail[6];
    out.antenna = trail[7];
    out.reads = trail[8];
    return true;
}

buffer_records::buffer_records(int max_records_in)
    : max_records(max_records_in), dropped_records(0), said_dropped(0), lowest_rssi(0), highest_rssi(0)
{
}

buffer_records::outcome buffer_records::add(const uint8_t* data, uint8_t len)
{
    const size_t count = static_cast<size_t>(report_data_bytes(len));
    buffer_record r;
    if (!parse_buffer_record(data, count, r))
        return outcome::rejected;
    if (size() >= max_records) {
        ++dropped_records;
        return outcome::full;
    }
    // The RSSI formula divides by the record's length byte less three.
    r.rssi = rssi_calc.Calculate_Rssi(reinterpret_cast<const char*>(data + data[0] + 1), data[0]);
    lowest_rssi = rows.empty() ? r.rssi : std::min(lowest_rssi, r.rssi);
    highest_rssi = rows.empty() ? r.rssi : std::max(highest_rssi, r.rssi);
    rows.push_back(r);
    return outcome::stored;
}

bool buffer_records::rssi_range(int& lowest, int& highest) const
{
    if (rows.empty())
        return false;
    lowest = lowest_rssi;
    highest = highest_rssi;
    return true;
}

std::string buffer_records::cell(int i, buffer_column column) const
{
    const buffer_record& r = record(i);
    switch (column) {
    case buffer_column::id:
        return std::to_string(i);
    case buffer_column::pc:
        return pair_text(r.pc);
    case buffer_column::crc:
        return pair_text(r.crc);
    case buffer_column::epc:
        return epc_text(r.epc, r.epc_len);
    case buffer_column::antenna:
        return std::to_string(r.antenna);
    case buffer_column::rssi:
        return rssi_text(r.rssi);
    case buffer_column::freq:
        return freq_text(r.freq_khz);
    case buffer_column::reads:
        return std::to_string(r.reads);
    }
    return std::string();
}

std::string buffer_records::take_drop_notice()
{
    if (dropped_records == said_dropped)
        return std::string();
    said_dropped = dropped_records;
    return "缓存记录超过" + std::to_string(max_records) + "条，其后的记录未保存：已丢弃" +
           std::to_string(dropped_records) + "条！";
}

void buffer_records::clear()
{
    rows.clear();
    dropped_records = 0;
    said_dropped = 0;
}

std::string buffer_record_line(const buffer_record& record)
{
    std::string line = "PC = " + pair_text(record.pc) + " ; ";
    // The unused bytes of a short EPC are zero.
    line += "EPC = " + epc_text(record.epc, std::max<int>(record.epc_len, kFileEpcBytes));
    line += " ; freq = " + std::to_string(record.freq_khz) + " Khz ";
    line += " ; rssi = " + std::to_string(record.rssi) + "dBm ; ";
    line += " ant = " + std::to_string(record.antenna) + "; read num = " + std::to_string(record.reads);
    line += '\n';
    return line;
}
