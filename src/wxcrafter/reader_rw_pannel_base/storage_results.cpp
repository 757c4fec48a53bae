#include "wxcrafter/reader_rw_pannel_base/storage_results.h"

#include <cstdio>

namespace {

// The byte runs and pairs of the list cells.
std::string byte_run(const uint8_t* bytes, size_t count)
{
    std::string text;
    text.reserve(count * 3);
    for (size_t i = 0; i < count; ++i) {
        text += byte_text(bytes[i], 16);
        text += ' ';
    }
    return text;
}

std::string byte_pair(uint8_t high, uint8_t low)
{
    return byte_text(high, 16) + ' ' + byte_text(low, 16);
}

std::string antenna_text(uint8_t byte)
{
    return byte_text(static_cast<uint8_t>(byte & 3), 16);
}

// What a write, lock or kill came to: the reader's success code names it,
// any other code leaves a blank cell.
std::string outcome_text(StorageReply kind, uint8_t code)
{
    if (code != 0x10)
        return " ";
    switch (kind) {
    case StorageReply::Write:
    case StorageReply::GbWrite:
        return "write complete";
    case StorageReply::Lock:
    case StorageReply::GbLock:
        return "lock complete";
    default:
        return "kill complete";
    }
}

// Read reply: count (2), L, then L bytes of PC, EPC, CRC and the N bytes
// read, then N (2) and the antenna.
bool parse_read(const uint8_t* d, size_t len, StorageRow& row)
{
    if (len < 3)
        return false;
    const size_t field = d[2];
    if (len < field + 6)
        return false;
    const size_t n = static_cast<size_t>(d[field + 3]) << 8 | d[field + 4];
    // PC and CRC must fit beside the bytes read.
    if (field < n + 4)
        return false;
    const size_t epc = field - n - 4;
    row.pc = byte_pair(d[3], d[4]);
    row.epc = byte_run(d + 5, epc);
    row.crc = byte_pair(d[5 + epc], d[6 + epc]);
    row.data = byte_run(d + 7 + epc, n);
    row.length = std::to_string(n);
    row.antenna = antenna_text(d[field + 5]);
    return true;
}

// Write, lock and kill replies: count (2), L, then L bytes of PC, EPC and
// (6C only, `crc`) CRC, then the outcome code and the antenna.
bool parse_outcome(StorageReply kind, bool crc, const uint8_t* d, size_t len, StorageRow& row)
{
    if (len < 3)
        return false;
    const size_t field = d[2];
    const size_t around = crc ? 4 : 2;
    if (field < around || len < field + 5)
        return false;
    const size_t epc = field - around;
    row.pc = byte_pair(d[3], d[4]);
    row.epc = byte_run(d + 5, epc);
    row.crc = crc ? byte_pair(d[5 + epc], d[6 + epc]) : "00 00";
    row.data = outcome_text(kind, d[field + 3]);
    row.length.clear();
    row.antenna = antenna_text(d[field + 4]);
    return true;
}

// GB read reply: count (2), L, then L bytes of PC and EPC, then N (2), the
// N bytes read and the antenna.
bool parse_gb_read(const uint8_t* d, size_t len, StorageRow& row)
{
    if (len < 3)
        return false;
    const size_t field = d[2];
    if (field < 2 || len < field + 5)
        return false;
    const size_t n = static_cast<size_t>(d[field + 3]) << 8 | d[field + 4];
    if (len < field + 6 + n)
        return false;
    row.pc = byte_pair(d[3], d[4]);
    row.epc = byte_run(d + 5, field - 2);
    row.crc = "00 00";
    row.data = byte_run(d + field + 5, n);
    row.length = std::to_string(n);
    row.antenna = antenna_text(d[field + 5 + n]);
    return true;
}

// Two-way authentication reply: L, then L bytes of PC, EPC, the result
// ('Y' success, 'X' failure) and the antenna (the whole byte).
bool parse_double_identify(const uint8_t* d, size_t len, StorageRow& row)
{
    if (len < 1)
        return false;
    const size_t field = d[0];
    if (field < 4 || len < field + 1)
        return false;
    row.pc = byte_pair(d[1], d[2]);
    row.epc = byte_run(d + 3, field - 4);
    row.crc = "00 00";
    const uint8_t result = d[field - 1];
    row.data = result == 0x59 ? "双向认证成功！" : result == 0x58 ? "双向认证失败！" : " ";
    row.length = "0";
    row.antenna = byte_text(d[field], 16);
    return true;
}

}  // namespace

std::string byte_text(uint8_t value, int base)
{
    char text[4];
    std::snprintf(text, sizeof text, base == 16 ? "%02X" : "%u", static_cast<unsigned>(value));
    return text;
}

bool parse_storage_reply(StorageReply kind, const uint8_t* data, size_t len, StorageRow& row)
{
    if (data == nullptr)
        return false;
    // Parsed into a copy, so a refused reply leaves the caller's row alone.
    StorageRow parsed;
    bool ok = false;
    switch (kind) {
    case StorageReply::Read:
        ok = parse_read(data, len, parsed);
        break;
    case StorageReply::Write:
    case StorageReply::Lock:
    case StorageReply::Kill:
    case StorageReply::GbLock:
    case StorageReply::GbKill:
        ok = parse_outcome(kind, true, data, len, parsed);
        break;
    case StorageReply::GbWrite:
        ok = parse_outcome(kind, false, data, len, parsed);
        break;
    case StorageReply::GbRead:
        ok = parse_gb_read(data, len, parsed);
        break;
    case StorageReply::DoubleIdentify:
        ok = parse_double_identify(data, len, parsed);
        break;
    }
    if (ok)
        row = parsed;
    return ok;
}
