// The custom inventory's match modes: what each entry of the match choice
// asks of the reader (the match code and length of command 0x8A), which
// reply code the reader answers with, and the columns of the list that
// shows those replies. No window is involved; the texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a list column shows.
enum class custom_column { id, kind, pc, crc, epc, counts, data, data_len, temperature, rssi, freq };

// The four list layouts.
enum class list_layout {
    plain,        // ID, type, EPC, PC, counts, RSSI, frequency
    match_data,   // ID, PC, CRC, EPC, counts, data, data length, RSSI, frequency
    temperature,  // ID, PC, CRC, EPC, counts, temperature, RSSI, frequency
    sensor,       // ID, type, PC, EPC, counts, temperature
};

struct list_column {
    std::string heading;
    int width;  // pixels; -1 sizes the column to its contents
    custom_column what;
};

struct match_mode {
    const char* entry;         // the match choice's text
    uint8_t inventory_mode;    // match code sent with 0x8A
    int read_len;              // match length sent with 0x8A; -1: the operator's number
    list_layout layout;
    const char* data_heading;  // heading of the data column (match-data layout only)
    uint8_t reply;             // command code of the reader's tag reports
};

// The thirteen modes in choice order.
const std::vector<match_mode>& match_modes();
// The mode of choice entry `sel`; nullptr outside the table.
const match_mode* match_mode_at(int sel);

// The columns of `mode`'s list, in screen order.
std::vector<list_column> mode_columns(const match_mode& mode);
