// The tag-list text files the inventory pages save: one line per row, each
// ended by a single line feed, UTF-8 without a byte-order mark. No window
// is involved; the page asks for the path and reports the outcome.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "wxcrafter/page_support/tag_table.h"

// The line of one tag-table row, with its line feed:
// "PC = 30 00 ; EPC = E2 ... AB  ; freq = 920125 Khz  ; rssi = -55dBm ; 3 \ 0 \ ... \ 0\n".
// The EPC field is the list's EPC text.
std::string tag_list_line(const tag_row& row);

enum class file_status {
    ok,
    cannot_create,  // the file could not be opened for writing
    write_failed,   // opened, but not every byte reached it
};

// Creates or replaces the file at `path` (UTF-8) and writes line(0) ..
// line(count - 1) into it, in that order. Without lines the file is empty.
file_status write_lines(const std::string& path, size_t count, const std::function<std::string(size_t)>& line);

// Every row of `table` in row order, as tag_list_line gives it.
file_status save_tag_list(const std::string& path, const tag_table& table);
