#include "wxcrafter/page_support/tag_list_file.h"

#include <cstdio>

std::string tag_list_line(const tag_row& row)
{
    // The EPC as the list shows it: a row stored without an EPC shows its
    // stored 00, not bytes its PC names.
    std::string line = "PC = " + pc_text(row) + " ; EPC = " + epc_text(row);
    line += " ; freq = " + std::to_string(row.freq_khz) + " Khz ";
    line += " ; rssi = " + std::to_string(row.rssi) + "dBm ; ";
    line += counts_text(row);
    line += '\n';
    return line;
}

file_status write_lines(const std::string& path, size_t count, const std::function<std::string(size_t)>& line)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return file_status::cannot_create;
    bool complete = true;
    for (size_t i = 0; i < count && complete; ++i) {
        const std::string text = line(i);
        complete = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    }
    // Buffered bytes may fail only now (a full disk).
    if (std::fflush(file) != 0)
        complete = false;
    if (std::fclose(file) != 0)
        complete = false;
    return complete ? file_status::ok : file_status::write_failed;
}

file_status save_tag_list(const std::string& path, const tag_table& table)
{
    return write_lines(path, static_cast<size_t>(table.size()),
                       [&table](size_t i) { return tag_list_line(table.row(static_cast<int>(i))); });
}
