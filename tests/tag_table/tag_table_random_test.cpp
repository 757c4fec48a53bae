// Random replies of every length into the tag table, each in a buffer of
// exactly its size (so the sanitizer build catches a read past it), against
// a plain model: an ordered map of EPCs and a full scan for the RSSI range.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "wxcrafter/page_support/tag_table.h"

namespace {

struct ModelRow {
    int index;
    uint16_t counts[8];
    uint8_t pc[2];
    int rssi;
};

// The table told the simple way, with the RSSI the table took.
struct Model {
    tag_table_rules rules;
    std::map<std::vector<uint8_t>, ModelRow> rows;

    tag_table::outcome add(const uint8_t* data, uint8_t len, int rssi)
    {
        plain_report r;
        if (!parse_plain_report(data, len, r))
            return tag_table::outcome::rejected;
        auto found = rows.find(std::vector<uint8_t>(r.epc, r.epc + r.epc_len));
        const bool fresh = found == rows.end();
        if (fresh && rows.size() == tag_table::kMaxRows)
            return tag_table::outcome::table_full;
        if (fresh)
            found = rows.emplace(std::vector<uint8_t>(r.epc, r.epc + r.epc_len),
                                 ModelRow{static_cast<int>(rows.size()), {0}, {0, 0}, 0}).first;
        ModelRow& row = found->second;
        if (fresh || rules.rewrite_known_pc)
            std::copy(r.pc, r.pc + 2, row.pc);
        const int antenna = rules.high_antennas_on_last ? std::min<int>(r.antenna, 8) - 1
                                                        : (r.antenna <= 8 ? r.antenna - 1 : -1);
        if (antenna >= 0 && row.counts[antenna] < 65535)
            ++row.counts[antenna];
        row.rssi = rssi;
        return fresh ? tag_table::outcome::new_tag : tag_table::outcome::known_tag;
    }
};

// The real-time page's rules, then the antenna-switch page's.
class TagTableRandom : public testing::TestWithParam<tag_table_rules> {};

TEST_P(TagTableRandom, AgreesWithAPlainModelOnReportsOfEveryLength)
{
    std::mt19937 rng(20240607);
    tag_table table(GetParam());
    Model model{GetParam(), {}};
    static const uint8_t kPcBytes[] = {0x00, 0x01, 0x03, 0x05, 0x07, 0x08, 0x10, 0x30, 0x80, 0x88, 0xF8};
    for (int i = 0; i < 120000; ++i) {
        // Every length byte in turn, and often the length of a real report.
        const uint8_t len = static_cast<uint8_t>(i % 2 == 0 ? i / 2 % 256 : 6 + rng() % 40);
        const size_t count = len > 3 ? len - 3u : 0u;
        std::unique_ptr<uint8_t[]> data(new uint8_t[count]);
        for (size_t k = 0; k < count; ++k)
            data[k] = static_cast<uint8_t>(rng());
        // Mostly a real report's shape over few EPC bytes, so that tags
        // repeat, begin one another and fill the table.
        if (count >= 2 && rng() % 4 != 0) {
            data[0] = static_cast<uint8_t>(rng() % 11);
            data[1] = kPcBytes[rng() % sizeof(kPcBytes)];
            for (size_t k = 3; k < count && k < 35; ++k)
                data[k] = static_cast<uint8_t>(rng() % 3 == 0 ? rng() % 4 : 0xE2);
        }

        const tag_table::result got = table.add_report(data.get(), len);
        const int rssi = got.row >= 0 ? table.row(got.row).rssi : 0;
        ASSERT_EQ(got.what, model.add(data.get(), len, rssi)) << "report " << i << ", length byte " << int(len);
        ASSERT_EQ(table.size(), static_cast<int>(model.rows.size()));
        if (got.row >= 0) {
            const ModelRow& want = model.rows.at(std::vector<uint8_t>(
                table.row(got.row).epc, table.row(got.row).epc + table.row(got.row).epc_len));
            EXPECT_EQ(want.index, got.row);
            EXPECT_TRUE(std::equal(want.counts, want.counts + 8, table.row(got.row).counts)) << "report " << i;
            EXPECT_TRUE(std::equal(want.pc, want.pc + 2, table.row(got.row).pc)) << "report " << i;
        }
        if (i % 1000 == 999 && !model.rows.empty()) {
            int low = 0;
            int high = 0;
            ASSERT_TRUE(table.rssi_range(low, high));
            const auto by_rssi = [](const auto& a, const auto& b) { return a.second.rssi < b.second.rssi; };
            EXPECT_EQ(low, std::min_element(model.rows.begin(), model.rows.end(), by_rssi)->second.rssi);
            EXPECT_EQ(high, std::max_element(model.rows.begin(), model.rows.end(), by_rssi)->second.rssi);
        }
        if (i % 40000 == 39999) {
            table.clear();
            model.rows.clear();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, TagTableRandom, testing::Values(tag_table_rules{true, true}, tag_table_rules{false, false}),
                         [](const testing::TestParamInfo<tag_table_rules>& info) {
                             return info.param.rewrite_known_pc ? "Realtime" : "AntennaSwitch";
                         });

}  // namespace
