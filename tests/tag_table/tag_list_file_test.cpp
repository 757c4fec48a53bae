// The tag-list text file: its lines, and the files that cannot be written.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "wxcrafter/page_support/tag_list_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

const tag_table_rules kRealtime = {true, true};

void feed(tag_table& table, Bytes data)
{
    table.add_report(data.data(), static_cast<uint8_t>(data.size() + 3));
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string temp_path(const char* name)
{
    return testing::TempDir() + name + std::to_string(getpid());
}

// Reports that make one row -> the row's file line.
struct LineCase {
    const char* what;
    std::vector<Bytes> reports;
    const char* line;
};

TEST(TagListFile, OneLinePerRow)
{
    const Bytes epc12 = {0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};
    const Bytes tail55 = {0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};  // -55 dBm, 920125 kHz
    Bytes tag = {0x01, 0x30, 0x00};
    tag.insert(tag.end(), epc12.begin(), epc12.end());
    tag.insert(tag.end(), tail55.begin(), tail55.end());
    Bytes on2 = tag;
    on2[0] = 2;

    const std::vector<LineCase> cases = {
        {"a 6C tag read three times",
         {tag, tag, tag},
         "PC = 30 00 ; EPC = E2 00 00 17 22 0A 01 23 45 67 89 AB  ; freq = 920125 Khz  ; rssi = -55dBm ; "
         "3 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n"},
        {"a GB tag prints the words of its PC byte",
         {{0x01, 0x03, 0x00, 1, 2, 3, 4, 5, 6, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D}},
         "PC = 03 00 ; EPC = 01 02 03 04 05 06  ; freq = 920125 Khz  ; rssi = -41dBm ; "
         "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n"},
        {"a void row with PC byte 0 prints no EPC byte",
         {{0x01, 0x00, 0x00, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D}},
         "PC = 00 00 ; EPC =  ; freq = 920125 Khz  ; rssi = -4dBm ; 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n"},
        {"a void row prints the words its PC byte announces",
         {{0x01, 0x05, 0x00, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D}},
         "PC = 05 00 ; EPC = 00 00 00 00 00 00 00 00 00 00  ; freq = 920125 Khz  ; rssi = -4dBm ; "
         "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n"},
        {"reads on two antennas", {tag, on2, on2},
         "PC = 30 00 ; EPC = E2 00 00 17 22 0A 01 23 45 67 89 AB  ; freq = 920125 Khz  ; rssi = -55dBm ; "
         "1 \\ 2 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        tag_table table(kRealtime);
        for (const Bytes& data : c.reports)
            feed(table, data);
        ASSERT_EQ(table.size(), 1);
        EXPECT_EQ(tag_list_line(table.row(0)), c.line);
    }
}

TEST(TagListFile, WritesEveryRowInOrderAndReplacesTheFile)
{
    tag_table table(kRealtime);
    for (uint8_t last : {0x01, 0x02, 0x01}) {
        Bytes data = {0x01, 0x10, 0x00, 0xE2, 0x00, 0x00, last, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};
        feed(table, data);
    }
    const std::string path = temp_path("tags.txt");
    {
        std::ofstream old(path);
        old << "an older and much longer file that the save replaces entirely\n";
    }
    ASSERT_EQ(save_tag_list(path, table), file_status::ok);
    EXPECT_EQ(read_file(path), tag_list_line(table.row(0)) + tag_list_line(table.row(1)));
    EXPECT_NE(read_file(path).find("EPC = E2 00 00 01  ;"), std::string::npos);

    // An empty table saves an empty file.
    table.clear();
    ASSERT_EQ(save_tag_list(path, table), file_status::ok);
    EXPECT_EQ(read_file(path), "");
    std::remove(path.c_str());
}

TEST(TagListFile, FilesThatCannotBeWrittenAreReported)
{
    tag_table table(kRealtime);
    Bytes data = {0x01, 0x10, 0x00, 0xE2, 0x00, 0x00, 0x01, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};
    feed(table, data);
    EXPECT_EQ(save_tag_list("/nonexistent-folder/tags.txt", table), file_status::cannot_create);
    EXPECT_EQ(save_tag_list(testing::TempDir(), table), file_status::cannot_create);
    // A device that takes nothing: the lines never reach it.
    EXPECT_EQ(save_tag_list("/dev/full", table), file_status::write_failed);
}

}  // namespace
