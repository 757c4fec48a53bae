// Tag reports into the tag table: the rows and list texts they give, what
// is refused, and the statistics.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "wxcrafter/page_support/tag_table.h"

namespace {

using Bytes = std::vector<uint8_t>;

const tag_table_rules kRealtime = {true, true};
const tag_table_rules kSwitchAntenna = {false, false};

const Bytes kEpc12 = {0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};
const Bytes kRssi55 = {0x08, 0x22, 0x00, 0x00};  // -55 dBm with 12 EPC bytes
const Bytes kRssi61 = {0x88, 0x22, 0x00, 0x00};  // -61 dBm with 12 EPC bytes
const Bytes kFreq = {0x0E, 0x0A, 0x3D};          // 920125 kHz

// Antenna, PC, EPC, RSSI and frequency bytes of one report.
Bytes report(uint8_t antenna, const Bytes& pc, const Bytes& epc, const Bytes& rssi = kRssi55, const Bytes& freq = kFreq)
{
    Bytes data = {antenna};
    for (const Bytes* part : {&pc, &epc, &rssi, &freq})
        for (uint8_t b : *part)
            data.push_back(b);
    return data;
}

Bytes without_last(Bytes data)
{
    data.pop_back();
    return data;
}

// As the controller hands it over: the data bytes and the frame's length
// byte, which counts three bytes more.
tag_table::result feed(tag_table& table, const Bytes& data)
{
    return table.add_report(data.data(), static_cast<uint8_t>(data.size() + 3));
}

std::array<std::string, 7> row_cells(const tag_table& table, int row)
{
    return {table.cell(row, tag_column::id),     table.cell(row, tag_column::kind),
            table.cell(row, tag_column::epc),    table.cell(row, tag_column::pc),
            table.cell(row, tag_column::counts), table.cell(row, tag_column::rssi),
            table.cell(row, tag_column::freq)};
}

struct ReportCase {
    const char* what;
    std::vector<Bytes> reports;
    int rows;
    const char* received;              // reports counted
    std::array<std::string, 7> last;   // cells of the last row; unchecked without rows
};

std::string repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

const char* const kEpc12Text = "E2 00 00 17 22 0A 01 23 45 67 89 AB ";

std::vector<ReportCase> report_cases()
{
    const Bytes pc6c = {0x30, 0x00};
    return {
        {"one 6C tag on antenna 1",
         {report(1, pc6c, kEpc12)},
         1, "1",
         {"0", "6C", kEpc12Text, "30 00", "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-55dBm", "920125 Khz"}},
        {"the same tag again on antenna 3",
         {report(1, pc6c, kEpc12), report(3, pc6c, kEpc12)},
         1, "2",
         {"0", "6C", kEpc12Text, "30 00", "1 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-55dBm", "920125 Khz"}},
        {"a known tag takes the latest PC, RSSI and frequency",
         {report(1, pc6c, kEpc12), report(1, {0x34, 0x00}, kEpc12, kRssi61, {0x0E, 0x0A, 0x3E})},
         1, "2",
         {"0", "6C", kEpc12Text, "34 00", "2 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-61dBm", "920126 Khz"}},
        {"GB: the PC's first byte counts the words",
         {report(2, {0x03, 0x00}, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66})},
         1, "1",
         {"0", "GB", "11 22 33 44 55 66 ", "03 00", "0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-41dBm", "920125 Khz"}},
        {"void: no EPC words, stored as the EPC 00",
         {report(1, {0x00, 0x00}, {})},
         1, "1",
         {"0", "void", "00 ", "00 00", "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-4dBm", "920125 Khz"}},
        {"void: fewer bytes than the GB words announce",
         {report(1, {0x05, 0x00}, {})},
         1, "1",
         {"0", "void", "00 ", "05 00", "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-4dBm", "920125 Khz"}},
        {"32 EPC bytes are kept",
         {report(8, {0x80, 0x00}, Bytes(32, 0xEE))},
         1, "1",
         {"0", "6C", repeated("EE ", 32), "80 00", "0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 1", "", "920125 Khz"}},
        {"antenna 12 counts on antenna 8",
         {report(12, pc6c, kEpc12)},
         1, "1",
         {"0", "6C", kEpc12Text, "30 00", "0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 1", "-55dBm", "920125 Khz"}},
        {"antenna 0 keeps the tag but counts on no antenna",
         {report(0, pc6c, kEpc12), report(0, pc6c, kEpc12)},
         1, "2",
         {"0", "6C", kEpc12Text, "30 00", "0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-55dBm", "920125 Khz"}},
        {"a shorter EPC that begins the stored one is another tag",
         {report(1, pc6c, kEpc12), report(1, {0x10, 0x00}, {0xE2, 0x00, 0x00, 0x17})},
         2, "2",
         {"1", "6C", "E2 00 00 17 ", "10 00", "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "", "920125 Khz"}},
        {"a void report is not the stored tag whose EPC starts with 00",
         {report(1, {0x01, 0x00}, {0x00, 0x00}), report(1, {0x00, 0x00}, {})},
         2, "2",
         {"1", "void", "00 ", "00 00", "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-4dBm", "920125 Khz"}},
        {"EPC of 34 bytes (PC 0x88): dropped, not counted", {report(1, {0x88, 0x00}, Bytes(34, 0x11))}, 0, "0", {}},
        {"status replies are no reports", {{0x10}, {0x22}, {0x10, 0x00}}, 0, "0", {}},
        {"a 6C report one byte short", {without_last(report(1, pc6c, kEpc12))}, 0, "0", {}},
        {"a GB report whose RSSI and frequency are missing",
         {{0x01, 0x03, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}}, 0, "0", {}},
        {"a void report one byte short", {without_last(report(1, {0x00, 0x00}, {}))}, 0, "0", {}},
    };
}

TEST(TagTable, ReportsGiveRowsAndListTexts)
{
    for (const ReportCase& c : report_cases()) {
        SCOPED_TRACE(c.what);
        tag_table table(kRealtime);
        for (const Bytes& data : c.reports)
            feed(table, data);
        ASSERT_EQ(table.size(), c.rows);
        EXPECT_EQ(table.tally().reports(), c.received);
        if (c.rows == 0)
            continue;
        const std::array<std::string, 7> cells = row_cells(table, c.rows - 1);
        for (size_t k = 0; k < cells.size(); ++k) {
            if (!c.last[k].empty()) {
                EXPECT_EQ(cells[k], c.last[k]) << "column " << k;
            }
        }
    }
}

TEST(TagTable, OnlyNewTagsAddRows)
{
    tag_table table(kRealtime);
    const Bytes first = report(1, {0x30, 0x00}, kEpc12);
    tag_table::result r = feed(table, first);
    EXPECT_EQ(r.what, tag_table::outcome::new_tag);
    EXPECT_EQ(r.row, 0);
    r = feed(table, report(2, {0x10, 0x00}, {1, 2, 3, 4}));
    EXPECT_EQ(r.what, tag_table::outcome::new_tag);
    EXPECT_EQ(r.row, 1);
    r = feed(table, first);
    EXPECT_EQ(r.what, tag_table::outcome::known_tag);
    EXPECT_EQ(r.row, 0);
    EXPECT_EQ(feed(table, {0x10}).what, tag_table::outcome::rejected);
}

TEST(TagTable, PagesWithoutRewriteKeepThePcAndCountNoHighAntenna)
{
    tag_table table(kSwitchAntenna);
    feed(table, report(1, {0x30, 0x00}, kEpc12));
    feed(table, report(12, {0x34, 0x00}, kEpc12, kRssi61, {0x0E, 0x0A, 0x3E}));
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.cell(0, tag_column::pc), "30 00");
    EXPECT_EQ(table.cell(0, tag_column::counts), "1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0");
    EXPECT_EQ(table.cell(0, tag_column::rssi), "-61dBm");
    EXPECT_EQ(table.cell(0, tag_column::freq), "920126 Khz");
    EXPECT_EQ(table.tally().reports(), "2");
}

TEST(TagTable, CountsStopAt65535)
{
    tag_table table(kRealtime);
    const Bytes on1 = report(1, {0x30, 0x00}, kEpc12);
    for (int i = 0; i < 65537; ++i)
        feed(table, on1);
    feed(table, report(2, {0x30, 0x00}, kEpc12));
    EXPECT_EQ(table.cell(0, tag_column::counts), "65535 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0");
    EXPECT_EQ(table.tally().reports(), "65538");
}

TEST(TagTable, RssiRangeFollowsTheLatestReadOfEachRow)
{
    tag_table table(kRealtime);
    int lowest = 0;
    int highest = 0;
    EXPECT_FALSE(table.rssi_range(lowest, highest));
    const Bytes epc_b = {0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAC};
    feed(table, report(1, {0x30, 0x00}, kEpc12, kRssi61));
    feed(table, report(1, {0x30, 0x00}, epc_b, kRssi55));
    ASSERT_TRUE(table.rssi_range(lowest, highest));
    EXPECT_EQ(lowest, -61);
    EXPECT_EQ(highest, -55);
    // The only -61 row reads at -55 now: nothing is as low any more.
    feed(table, report(1, {0x30, 0x00}, kEpc12, kRssi55));
    ASSERT_TRUE(table.rssi_range(lowest, highest));
    EXPECT_EQ(lowest, -55);
    EXPECT_EQ(highest, -55);
    table.clear();
    EXPECT_FALSE(table.rssi_range(lowest, highest));
}

TEST(TagTable, HoldsNoMoreThan5000TagsButKnownTagsStillCount)
{
    tag_table table(kRealtime);
    Bytes epc = kEpc12;
    for (int i = 0; i <= tag_table::kMaxRows; ++i) {
        epc[10] = static_cast<uint8_t>(i >> 8);
        epc[11] = static_cast<uint8_t>(i);
        const tag_table::result r = feed(table, report(1, {0x30, 0x00}, epc));
        EXPECT_EQ(r.what, i < tag_table::kMaxRows ? tag_table::outcome::new_tag : tag_table::outcome::table_full);
    }
    EXPECT_EQ(table.size(), tag_table::kMaxRows);
    epc[10] = 0;
    epc[11] = 7;
    EXPECT_EQ(feed(table, report(4, {0x30, 0x00}, epc)).row, 7);
    EXPECT_EQ(table.cell(7, tag_column::counts), "1 \\ 0 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0");
    EXPECT_EQ(table.tally().reports(), "5002");

    // After a refresh the first tag is row 0 again.
    table.clear();
    EXPECT_EQ(feed(table, report(1, {0x30, 0x00}, epc)).row, 0);
    EXPECT_EQ(table.tally().reports(), "1");
}

// Reports in each second -> reports per second shown at its end.
TEST(InventoryTally, ShowsTheMeanOfTheLastThreeSeconds)
{
    struct Case {
        std::vector<int> per_second;
        long shown;
    };
    for (const Case& c : std::vector<Case>{{{30}, 30}, {{30, 0}, 15}, {{30, 0, 0, 60}, 20}, {{9, 9, 9, 3}, 7}}) {
        inventory_tally tally;
        long speed = -1;
        for (int reports : c.per_second) {
            for (int i = 0; i < reports; ++i)
                tally.count_report();
            speed = tally.tick_second();
        }
        EXPECT_EQ(speed, c.shown) << c.per_second.size() << " seconds";
        EXPECT_EQ(tally.seconds(), std::to_string(c.per_second.size()));
    }
}

TEST(InventoryTally, ARestartKeepsTheRingAndThePacing)
{
    inventory_tally tally;
    for (int second = 0; second < 10; ++second) {
        EXPECT_EQ(tally.time_state(), 0);
        for (int i = 0; i < 30; ++i)
            tally.count_report();
        tally.tick_second();
    }
    tally.restart();
    EXPECT_EQ(tally.reports(), "0");
    EXPECT_EQ(tally.seconds(), "0");
    // Ten seconds passed before the restart.
    EXPECT_EQ(tally.time_state(), 1);
    EXPECT_EQ(tally.time_state(), 0);
    // The ring still holds the seconds before it.
    EXPECT_EQ(tally.tick_second(), 20);
    EXPECT_EQ(tally.seconds(), "1");
}

}  // namespace
