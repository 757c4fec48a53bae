// Tag reports into the tag table: the rows and list texts they give, what
// is refused, the full table and the tags counted past it, and the reports
// per second.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wxcrafter/page_support/tag_table.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kEpc12 = {0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};
const Bytes kRssi55 = {0x08, 0x22, 0x00, 0x00};  // -55 dBm with 12 EPC bytes, -41 with 6, -4 with none
const Bytes kRssi61 = {0x88, 0x22, 0x00, 0x00};  // -61 dBm with 12 EPC bytes
const Bytes kFreq = {0x0E, 0x0A, 0x3D};          // 920125 kHz

// Antenna, PC, EPC, RSSI and frequency bytes of one report.
Bytes report(uint8_t antenna, const Bytes& pc, const Bytes& epc, const Bytes& rssi = kRssi55,
             const Bytes& freq = kFreq)
{
    Bytes data = {antenna};
    for (const Bytes* part : {&pc, &epc, &rssi, &freq})
        for (uint8_t b : *part)
            data.push_back(b);
    return data;
}

// As the controller hands a reply over: its data bytes and the frame's
// length byte, which counts three bytes more.
tag_table::result feed(tag_table& table, const Bytes& data)
{
    return table.add_report(data.data(), static_cast<uint8_t>(data.size() + 3));
}

// ID, type, EPC, PC, counts, RSSI, frequency of row `i`, joined by "|".
std::string line(const tag_table& t, int i)
{
    std::string text;
    for (tag_column c : {tag_column::id, tag_column::kind, tag_column::epc, tag_column::pc, tag_column::counts,
                         tag_column::rssi, tag_column::freq})
        text += t.cell(i, c) + "|";
    return text;
}

struct ReportCase {
    const char* what;
    std::vector<Bytes> reports;
    const char* received;  // reports counted
    const char* last;      // line of the last row; "" for no row
};

TEST(TagTable, ReportsGiveRowsAndListTexts)
{
    const Bytes pc = {0x30, 0x00};
    const Bytes a = report(1, pc, kEpc12);
    Bytes short_a = a;
    short_a.pop_back();
    const std::vector<ReportCase> cases = {
        {"6C on antenna 1", {a}, "1",
         "0|6C|E2 00 00 17 22 0A 01 23 45 67 89 AB |30 00|1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-55dBm|920125 Khz|"},
        {"again on antenna 3", {a, report(3, pc, kEpc12)}, "2",
         "0|6C|E2 00 00 17 22 0A 01 23 45 67 89 AB |30 00|1 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-55dBm|920125 Khz|"},
        {"known tag: latest PC, RSSI, frequency", {a, report(12, {0x34, 0x00}, kEpc12, kRssi61, {0x0E, 0x0A, 0x3E})},
         "2", "0|6C|E2 00 00 17 22 0A 01 23 45 67 89 AB |34 00|1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 1|-61dBm|920126 Khz|"},
        {"GB", {report(2, {0x03, 0x00}, {1, 2, 3, 4, 5, 6})}, "1",
         "0|GB|01 02 03 04 05 06 |03 00|0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-41dBm|920125 Khz|"},
        {"void, no EPC words", {report(0, {0x00, 0x00}, {})}, "1",
         "0|void|00 |00 00|0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-4dBm|920125 Khz|"},
        {"void, fewer bytes than the GB words", {report(1, {0x05, 0x00}, {})}, "1",
         "0|void|00 |05 00|1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-4dBm|920125 Khz|"},
        {"a shorter EPC is another tag", {a, report(1, {0x10, 0x00}, {0xE2, 0x00, 0x00, 0x17}, kRssi61)}, "2",
         "1|6C|E2 00 00 17 |10 00|1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-39dBm|920125 Khz|"},
        {"void is not the stored tag 00 00", {report(1, {0x01, 0x00}, {0, 0}), report(1, {0x00, 0x00}, {})}, "2",
         "1|void|00 |00 00|1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-4dBm|920125 Khz|"},
        {"34-byte EPC (PC 0x88)", {report(1, {0x88, 0x00}, Bytes(34, 0x11))}, "0", ""},
        {"status replies", {{0x10}, {0x22}, {0x10, 0x00}}, "0", ""},
        {"6C one byte short", {short_a}, "0", ""},
        {"GB without RSSI and frequency", {{0x01, 0x03, 0x00, 1, 2, 3, 4, 5, 6}}, "0", ""},
    };
    for (const ReportCase& c : cases) {
        tag_table table({true, true});
        for (const Bytes& data : c.reports)
            feed(table, data);
        EXPECT_EQ(table.tally().reports(), c.received) << c.what;
        EXPECT_EQ(table.size() > 0 ? line(table, table.size() - 1) : "", c.last) << c.what;
    }
}

TEST(TagTable, WithoutRewriteThePcStaysAndHighAntennasCountNowhere)
{
    tag_table table({false, false});
    feed(table, report(1, {0x30, 0x00}, kEpc12));
    feed(table, report(12, {0x34, 0x00}, kEpc12, kRssi61));
    EXPECT_EQ(line(table, 0),
              "0|6C|E2 00 00 17 22 0A 01 23 45 67 89 AB |30 00|1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|-61dBm|920125 Khz|");
}

TEST(TagTable, CountsStopAt65535AndTheRssiRangeFollowsTheLatestReads)
{
    tag_table table({true, true});
    for (int i = 0; i < 65537; ++i)
        feed(table, report(1, {0x30, 0x00}, kEpc12, kRssi61));
    EXPECT_EQ(table.cell(0, tag_column::counts), "65535 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0");
    feed(table, report(1, {0x10, 0x00}, {1, 2, 3, 4}));  // -32 dBm
    int low = 0;
    int high = 0;
    ASSERT_TRUE(table.rssi_range(low, high));
    EXPECT_EQ(low, -61);
    EXPECT_EQ(high, -32);
    // The only -61 row reads at -55 now.
    feed(table, report(1, {0x30, 0x00}, kEpc12));
    ASSERT_TRUE(table.rssi_range(low, high));
    EXPECT_EQ(low, -55);
    table.clear();
    EXPECT_FALSE(table.rssi_range(low, high));
}

TEST(TagTable, HoldsNoMoreThan5000TagsButKnownTagsStillCount)
{
    tag_table table({true, true});
    Bytes epc = kEpc12;
    for (int i = 0; i <= tag_table::kMaxRows; ++i) {
        epc[10] = static_cast<uint8_t>(i >> 8);
        epc[11] = static_cast<uint8_t>(i);
        EXPECT_EQ(feed(table, report(1, {0x30, 0x00}, epc)).what,
                  i < tag_table::kMaxRows ? tag_table::outcome::new_tag : tag_table::outcome::table_full);
    }
    EXPECT_EQ(table.size(), tag_table::kMaxRows);
    epc[10] = 0;
    epc[11] = 7;
    EXPECT_EQ(feed(table, report(4, {0x30, 0x00}, epc)).row, 7);
    EXPECT_EQ(table.cell(7, tag_column::counts), "1 \\ 0 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0");
    EXPECT_EQ(table.tally().reports(), "5002");
}

// Distinct tags, each reported twice (with a new inventory between the two
// rounds or not) -> tags counted and the notices given, in order.
struct PastRowsCase {
    const char* what;
    int tags;
    bool new_inventory;
    int distinct;
    std::vector<tag_notice> notices;
};

TEST(TagTable, TagsPastTheRowsAreCountedAndToldOncePerInventory)
{
    const int kCap = tag_table::kMaxRows + tag_table::kMaxUnlisted;
    const std::vector<PastRowsCase> cases = {
        {"as many as the rows", tag_table::kMaxRows, false, tag_table::kMaxRows, {}},
        {"5100", 5100, false, 5100, {tag_notice::unlisted}},
        {"5100, a new inventory for the second round", 5100, true, 5100,
         {tag_notice::unlisted, tag_notice::unlisted}},
        {"past the count's cap", kCap + 2, false, kCap, {tag_notice::unlisted, tag_notice::uncounted}},
    };
    for (const PastRowsCase& c : cases) {
        tag_table table({true, true});
        std::vector<tag_notice> notices;
        Bytes epc = kEpc12;
        for (int round = 0; round < 2; ++round) {
            if (round == 1 && c.new_inventory)
                table.new_inventory();
            for (int i = 0; i < c.tags; ++i) {
                for (int k = 0; k < 4; ++k)
                    epc[8 + k] = static_cast<uint8_t>(i >> (24 - 8 * k));
                const tag_notice said = feed(table, report(1, {0x30, 0x00}, epc)).notice;
                if (said != tag_notice::none)
                    notices.push_back(said);
            }
        }
        EXPECT_EQ(table.distinct(), c.distinct) << c.what;
        EXPECT_EQ(table.size(), tag_table::kMaxRows < c.tags ? tag_table::kMaxRows : c.tags) << c.what;
        EXPECT_EQ(notices, c.notices) << c.what;
        table.clear();
        EXPECT_EQ(table.distinct(), 0) << c.what;
    }
}

// Reports in each second -> reports per second shown after the last one.
TEST(InventoryTally, ShowsTheMeanOfTheLastThreeSeconds)
{
    const std::vector<std::pair<std::vector<int>, long>> cases = {
        {{30}, 30}, {{30, 0}, 15}, {{30, 0, 0, 60}, 20}, {{9, 9, 9, 3}, 7}};
    for (const auto& c : cases) {
        inventory_tally tally;
        long speed = -1;
        for (int reports : c.first) {
            for (int i = 0; i < reports; ++i)
                tally.count_report();
            speed = tally.tick_second();
        }
        EXPECT_EQ(speed, c.second) << c.first.size() << " seconds";
    }
}

}  // namespace
