// The cell texts of one tag-memory result row, taken from the data bytes of
// a reader reply. Nothing here needs a window: the storage page only puts
// the texts into its list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The reply a row comes from; each kind has its own byte layout.
enum class StorageReply {
    Read,            // 6C read, 0x81
    Write,           // 6C write, 0x82
    Lock,            // 6C lock, 0x83
    Kill,            // 6C kill, 0x84
    GbRead,          // GB read and secure read, 0x45 and 0x43
    GbWrite,         // GB write and secure write, 0x46 and 0x42
    GbLock,          // GB lock, 0x47
    GbKill,          // GB kill, 0x49
    DoubleIdentify,  // GB two-way authentication, 0x98
};

// A result row but for its number, which the page counts. Texts are UTF-8.
struct StorageRow {
    std::string pc;       // "30 00"
    std::string crc;      // "1A 2B"; "00 00" where the reply carries none
    std::string epc;      // every byte as two digits and a blank: "E2 00 "
    std::string data;     // the bytes read, or what the operation came to
    std::string length;   // decimal count of bytes read; empty where none are
    std::string antenna;  // two hex digits
};

// Fills `row` from the `len` data bytes at `data`: the bytes after the
// reply's command code, without the check byte (the frame's length byte
// minus 3). Returns false, leaving `row` as it was, when a length the reply
// announces reaches past those bytes or cannot hold the fields around it;
// such a reply makes no row. Never reads data[len] or beyond; `data` may be
// null when `len` is 0.
bool parse_storage_reply(StorageReply kind, const uint8_t* data, size_t len, StorageRow& row);

// One byte as text: in base 16 two upper-case digits ("0A"), in base 10
// plain decimal ("10").
std::string byte_text(uint8_t value, int base);
