// Custom inventory reports into the custom table: the cells of the row each
// report gives in its mode's columns, what is dropped, the temperatures of
// both sensor-tag families, and the file lines.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "wxcrafter/custom_inv_pannel_base/custom_reports.h"

namespace {

using Bytes = std::vector<uint8_t>;
using kind = custom_report_kind;

const Bytes kEpc12 = {0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};
const Bytes kRssi = {0x08, 0x22, 0x00, 0x00};  // -55 dBm with 12 EPC bytes, -41 with 6, -4 with none
const Bytes kFreq = {0x0E, 0x0A, 0x3D};        // 920125 kHz
const char* const kEpcText = "E2 00 00 17 22 0A 01 23 45 67 89 AB ";

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// As the controller hands a reply over: its data and its length byte.
tag_table::result feed(custom_tag_table& table, kind k, const Bytes& data)
{
    return table.add(k, data.data(), static_cast<uint8_t>(data.size() + 3));
}

// The match mode whose list shows reports of each kind.
const std::map<kind, int> kModeOf = {{kind::plain_epc, 0}, {kind::match_data, 1}, {kind::gb_match_data, 8},
                                     {kind::magnus, 4},    {kind::nmv2d, 12},     {kind::velatag, 11}};

// The cells of the last row in the columns of `k`'s mode, joined by "|".
std::string last_line(const custom_tag_table& t, kind k)
{
    if (t.size() == 0)
        return "";
    std::string text;
    for (const list_column& c : mode_columns(*match_mode_at(kModeOf.at(k))))
        text += t.cell(t.size() - 1, c.what) + "|";
    return text;
}

struct Case {
    const char* what;
    kind k;
    std::vector<Bytes> reports;
    std::string line;  // of the last row; "" for none
};

TEST(CustomReports, EachReportGivesItsRowInItsModesColumns)
{
    const Bytes pc30 = {0x30, 0x00};
    const std::string epc = kEpcText;
    const std::string once = "|1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|";
    const std::string signal = "|-55dBm|920125 Khz|";
    const Bytes tid = join({{1}, pc30, kEpc12, {0x1A, 0x2B, 0x02, 0xAA, 0xBB}, kRssi, kFreq});
    const std::vector<Case> cases = {
        {"match data", kind::match_data, {tid}, "0|30 00|1A 2B|" + epc + once + "AA BB |2" + signal},
        {"again: first PC and CRC, latest data", kind::match_data,
         {tid, join({{2}, {0x34, 0x00}, kEpc12, {0x3C, 0x4D, 0x01, 0xCC}, kRssi, {0x0E, 0x0A, 0x3E}})},
         "0|30 00|1A 2B|" + epc + "|1 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|CC |1|-55dBm|920126 Khz|"},
        {"no EPC words: EPC 00, the CRC right after the PC", kind::match_data,
         {join({{3}, {0x05, 0x00}, {0x1A, 0x2B, 0x00}, kRssi, kFreq})},
         "0|05 00|1A 2B|00 |0 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0||0|-4dBm|920125 Khz|"},
        {"GB: the whole first PC byte counts words", kind::gb_match_data,
         {join({{1}, {0x03, 0x00}, {1, 2, 3, 4, 5, 6}, {0x1A, 0x2B, 0x01, 0xEE}, kRssi, kFreq})},
         "0|03 00|1A 2B|01 02 03 04 05 06 " + once + "EE |1|-41dBm|920125 Khz|"},
        {"GB, 34 EPC bytes", kind::gb_match_data, {join({{1}, {0x11, 0x00}, Bytes(34, 1), {0, 0, 0}, kRssi, kFreq})},
         ""},
        {"data count past the reply", kind::match_data, {join({{1}, pc30, kEpc12, {0x1A, 0x2B, 0x03, 0xAA}, kRssi, kFreq})},
         ""},
        {"antenna 9", kind::plain_epc, {join({{9}, pc30, kEpc12, kRssi, kFreq})}, ""},
        {"plain: a known tag keeps its first PC", kind::plain_epc,
         {join({{1}, pc30, kEpc12, kRssi, kFreq}), join({{1}, {0x34, 0x00}, kEpc12, kRssi, kFreq})},
         "0|6C|" + epc + "|30 00|2 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0" + signal},
        {"Magnus 25340", kind::magnus, {join({{1}, pc30, kEpc12, {0x1A, 0x2B, 0x00, 0x00, 0x62, 0xFC}, kRssi, kFreq})},
         "0|30 00|1A 2B|" + epc + once + "25.3" + signal},
        {"NMV2D, negative trim", kind::nmv2d,
         {join({{1}, pc30, kEpc12, {0x1A, 0x2B, 0x04, 0x01, 0x0A, 0xF2, 0x58}, kRssi, kFreq})},
         "0|30 00|1A 2B|" + epc + once + "41.135838" + signal},
        {"NMV2D, six data bytes: RSSI after all of them", kind::nmv2d,
         {join({{1}, pc30, kEpc12, {0x1A, 0x2B, 0x06, 0x00, 0x0A, 0x02, 0x58, 0x77, 0x77}, kRssi, kFreq})},
         "0|30 00|1A 2B|" + epc + once + "44.966766" + signal},
        {"VelaTag twice, antennas 1 and 3", kind::velatag,
         {join({{1}, pc30, kEpc12, {9, 9, 9, 9, 0x01, 0xF4}}), join({{3}, pc30, kEpc12, {9, 9, 9, 9, 0x01, 0x2C}})},
         "0|6C|30 00|" + epc + "|1 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0|47.3|"},
        {"VelaTag, fewer bytes than the GB words: no EPC", kind::velatag,
         {join({{1}, {0x05, 0x00}, {9, 9, 9, 9, 0x00, 0x00}})}, "0|void|05 00|00 " + once + "94.9|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        custom_tag_table table;
        for (const Bytes& r : c.reports)
            feed(table, c.k, r);
        EXPECT_EQ(last_line(table, c.k), c.line);
        // A dropped report is not counted either.
        EXPECT_EQ(table.tags().tally().reports(), c.line.empty() ? "0" : std::to_string(c.reports.size()));
    }
}

TEST(CustomReports, TemperaturesInWholeTenthsAndSixDecimals)
{
    const std::vector<std::pair<uint16_t, const char*>> vela = {
        {0, "94.9"}, {300, "47.3"}, {500, "24.7"}, {900, "0.9"}, {1030, "-0.5"},
        {1500, "19.3"}, {2500, "193.9"}, {65535, "374480.0"},
    };
    for (const auto& v : vela)
        EXPECT_EQ(velatag_temperature(v.first), v.second) << v.first;

    const std::vector<std::pair<uint32_t, const char*>> magnus = {
        {25340, "25.3"}, {1234, "1.2"}, {100000, "100.0"}, {0xFFFFFFFF, "4294967.2"},
    };
    for (const auto& m : magnus)
        EXPECT_EQ(magnus_temperature(m.first), m.second) << m.first;

    EXPECT_EQ(nmv2d_temperature(0, 10, 0x02, 0x58), "44.966766");
    EXPECT_EQ(nmv2d_temperature(1, 10, 0xF2, 0x58), "41.135838");  // the top four code bits do not count
}

TEST(CustomReports, FileLinesCarryTheSixthColumnAsData)
{
    const Bytes plain = join({{1}, {0x30, 0x00}, kEpc12, kRssi, kFreq});
    custom_tag_table table;
    for (int i = 0; i < 3; ++i)
        feed(table, kind::plain_epc, plain);
    EXPECT_EQ(table.file_line(0, mode_columns(*match_mode_at(0))[5].what),
              std::string("<PC = 30 00><EPC = ") + kEpcText +
                  "><freq = 920125 Khz><rssi = -55dBm><3 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0><data = -55dBm>\n");

    // A sensor tag's row has no RSSI of its own, whatever a table before it held.
    table.clear();
    feed(table, kind::velatag, join({{1}, {0x30, 0x00}, kEpc12, {9, 9, 9, 9, 0x01, 0xF4}}));
    int low = 0;
    int high = 0;
    EXPECT_FALSE(table.tags().rssi_range(low, high));
    EXPECT_EQ(table.file_line(0, mode_columns(*match_mode_at(11))[5].what),
              std::string("<PC = 30 00><EPC = ") + kEpcText +
                  "><freq = 0 Khz><rssi = 0dBm><1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0><data = 24.7>\n");

    // The EPC field holds the row's EPC as the list shows it: a GB row of
    // 32 bytes, and a 6C row without EPC words (00).
    for (const Bytes& pc_epc : {join({{0x10, 0x00}, Bytes(32, 0xA5)}), Bytes{0x05, 0x00}}) {
        table.clear();
        feed(table, pc_epc[0] == 0x10 ? kind::gb_match_data : kind::match_data,
             join({{1}, pc_epc, {0x1A, 0x2B, 1, 0xCC}, kRssi, kFreq}));
        std::string field = pc_epc.size() > 2 ? "" : "00 ";
        for (size_t i = 2; i < pc_epc.size(); ++i)
            field += "A5 ";
        EXPECT_NE(table.file_line(0, custom_column::data).find("><EPC = " + field + "><freq"), std::string::npos);
    }
}

// The one place the columns matter: the mode table picks them.
TEST(MatchModes, ColumnsOfTheSensorAndTheTidModes)
{
    const auto headings = [](int sel) {
        std::vector<std::string> h;
        for (const list_column& c : mode_columns(*match_mode_at(sel)))
            h.push_back(c.heading);
        return h;
    };
    EXPECT_EQ(headings(11), (std::vector<std::string>{"ID", "类型", "PC", "EPC", "识别次数", "标签温度"}));
    EXPECT_EQ(headings(1), (std::vector<std::string>{"ID", "PC", "CRC", "EPC", "识别次数", "TID", "数据长度", "RSSI",
                                                     "载波频率"}));
    EXPECT_EQ(match_mode_at(13), nullptr);
    EXPECT_EQ(match_mode_at(-1), nullptr);
}

}  // namespace
