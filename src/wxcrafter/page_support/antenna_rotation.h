// The antenna choices of an inventory page and the rotation over an
// antenna combination. The page lists the entries that fit the connected
// reader; starting an inventory turns the chosen entry into the start
// antenna and, for a combination, the rotation; afterwards the controller
// asks for the next antenna after every reply. No window is involved; the
// texts are UTF-8. GUI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class antenna_rotation {
public:
    // One choice entry: a single antenna or a combination.
    struct entry {
        std::string text;
        int antenna;      // 1..8 for a single antenna, else 0
        int combination;  // 1..11 for a combination, else 0
    };

    // The entries a page shows before the reader type is known; `mode()`
    // is 0 then.
    antenna_rotation();

    // Reader type 0 (one antenna), 1 (four) or 2 (eight): the entries for
    // it, and mode() 1, 4 or 8. Any other type leaves no entry and keeps
    // mode(); returns false then.
    bool set_reader_type(int reader_type);

    // Antennas of the connected reader: 1, 4 or 8; 0 before the first
    // known reader type.
    uint8_t mode() const { return ant_mode; }
    const std::vector<entry>& entries() const { return choices; }

    // An inventory starts with entry `selection` chosen (-1: none). True
    // with its first antenna in `work_antenna`; a combination then rotates
    // from that antenna, a single antenna stops any rotation. False, and
    // nothing changes, for a selection outside the entries.
    bool start(int selection, uint8_t& work_antenna);

    // The antenna after the current one in the running combination (after
    // the last, or from one outside it, the first); 0 without a combination.
    int next();

    // The running combination 1..11, 0 for none; the antenna it stands at.
    int combination() const { return jump_ant; }
    int current() const { return ant_temp; }

private:
    std::vector<entry> choices;
    uint8_t ant_mode;
    int jump_ant;
    int ant_temp;
};
