// The tag-list file's lines (the page's tests write and fail to write files).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wxcrafter/page_support/tag_list_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

// One report (data bytes) -> the line of its row: the EPC as the list
// shows it, so a report without room for the EPC its PC names gives the
// stored 00.
TEST(TagListFile, TheEpcFieldIsTheListsEpc)
{
    const std::vector<std::pair<Bytes, std::string>> cases = {
        {{1, 0x03, 0x00, 1, 2, 3, 4, 5, 6, 0x08, 0x22, 0, 0, 0x0E, 0x0A, 0x3D},
         "PC = 03 00 ; EPC = 01 02 03 04 05 06  ; freq = 920125 Khz  ; rssi = -41dBm ; "
         "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n"},
        {{2, 0x00, 0x00, 0x08, 0x22, 0, 0, 0x0E, 0x0A, 0x3D},
         "PC = 00 00 ; EPC = 00  ; freq = 920125 Khz  ; rssi = -4dBm ; 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n"},
        {{8, 0x02, 0x00, 0x08, 0x22, 0, 0, 0x0E, 0x0A, 0x3D},
         "PC = 02 00 ; EPC = 00  ; freq = 920125 Khz  ; rssi = -4dBm ; 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 1\n"},
    };
    for (const auto& c : cases) {
        tag_table table({true, true});
        table.add_report(c.first.data(), static_cast<uint8_t>(c.first.size() + 3));
        ASSERT_EQ(table.size(), 1);
        EXPECT_EQ(tag_list_line(table.row(0)), c.second);
    }
}

}  // namespace
