#include "wxcrafter/page_support/tag_list_file.h"

#include <cstdio>

namespace {

// EPC bytes the file line prints for a row whose PC starts with `b`.
int announced_epc_bytes(uint8_t b)
{
    const int words = b < 8 ? b : b >> 3;
    const int bytes = words * 2;
    // A stored row never announces more than it holds, but the line stays
    // inside the row whatever it announces.
    return bytes > static_cast<int>(sizeof(tag_row::epc)) ? static_cast<int>(sizeof(tag_row::epc)) : bytes;
}

// The EPC bytes a file line prints for `row`, each as two hex digits and a
// blank.
std::string file_epc_text(const tag_row& row)
{
    return epc_text(row.epc, announced_epc_bytes(row.pc[0]));
}

}  // namespace

std::string tag_list_line(const tag_row& row)
{
    std::string line = "PC = " + pc_text(row) + " ; EPC = " + file_epc_text(row);
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
