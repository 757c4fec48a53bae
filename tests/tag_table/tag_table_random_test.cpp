// Random replies of every length into the tag table, each in a buffer of
// exactly its size (so the sanitizer build catches any read past it),
// against a plain model of the same table: a linear-time map of EPCs and a
// full scan for the lowest and highest RSSI.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "general_func_file.h"
#include "wxcrafter/page_support/tag_table.h"

namespace {

struct ModelRow {
    int index;
    uint8_t pc[2];
    uint16_t counts[8];
    int rssi;
    uint32_t freq;
};

// The real-time page's table, told the simple way.
class Model {
public:
    int size() const { return static_cast<int>(order.size()); }

    tag_table::outcome add(const uint8_t* data, uint8_t len)
    {
        plain_report r;
        if (!parse_plain_report(data, len, r))
            return tag_table::outcome::rejected;
        ++reports;
        const std::vector<uint8_t> epc(r.epc, r.epc + r.epc_len);
        const int antenna = r.antenna == 0 ? -1 : std::min<int>(r.antenna, 8) - 1;
        const int rssi = calc.Calculate_Rssi(reinterpret_cast<const char*>(r.rssi), r.epc_len + 3);
        auto found = rows.find(epc);
        const bool fresh = found == rows.end();
        if (fresh) {
            if (size() == tag_table::kMaxRows)
                return tag_table::outcome::table_full;
            found = rows.emplace(epc, ModelRow{size(), {0, 0}, {0}, 0, 0}).first;
            order.push_back(epc);
        }
        ModelRow& row = found->second;
        if (antenna >= 0 && row.counts[antenna] < 65535)
            ++row.counts[antenna];
        row.pc[0] = r.pc[0];
        row.pc[1] = r.pc[1];
        row.rssi = rssi;
        row.freq = r.freq_khz;
        return fresh ? tag_table::outcome::new_tag : tag_table::outcome::known_tag;
    }

    void clear()
    {
        rows.clear();
        order.clear();
        reports = 0;
    }

    const ModelRow& row(int i) const { return rows.at(order[static_cast<size_t>(i)]); }
    const std::vector<uint8_t>& epc(int i) const { return order[static_cast<size_t>(i)]; }

    unsigned long reports = 0;

private:
    general_func_file calc;
    std::map<std::vector<uint8_t>, ModelRow> rows;
    std::vector<std::vector<uint8_t>> order;
};

void expect_same_row(const tag_table& table, const Model& model, int i)
{
    const tag_row& got = table.row(i);
    const ModelRow& want = model.row(i);
    const std::vector<uint8_t>& epc = model.epc(i);
    ASSERT_EQ(got.epc_len, epc.size()) << "row " << i;
    EXPECT_TRUE(std::equal(epc.begin(), epc.end(), got.epc)) << "row " << i;
    EXPECT_EQ(got.pc[0], want.pc[0]) << "row " << i;
    EXPECT_EQ(got.pc[1], want.pc[1]) << "row " << i;
    EXPECT_TRUE(std::equal(std::begin(want.counts), std::end(want.counts), got.counts)) << "row " << i;
    EXPECT_EQ(got.rssi, want.rssi) << "row " << i;
    EXPECT_EQ(got.freq_khz, want.freq) << "row " << i;
}

void expect_same_rssi_range(const tag_table& table, const Model& model)
{
    int lowest = 0;
    int highest = 0;
    ASSERT_EQ(table.rssi_range(lowest, highest), model.size() > 0);
    if (model.size() == 0)
        return;
    int model_low = model.row(0).rssi;
    int model_high = model_low;
    for (int i = 1; i < model.size(); ++i) {
        model_low = std::min(model_low, model.row(i).rssi);
        model_high = std::max(model_high, model.row(i).rssi);
    }
    EXPECT_EQ(lowest, model_low);
    EXPECT_EQ(highest, model_high);
}

// The report of frame length `len`: random bytes, or (most of the time) a
// report shaped like a real one around a few EPCs, so that tags repeat,
// begin one another and fill the table.
std::unique_ptr<uint8_t[]> make_report(std::mt19937& rng, uint8_t len, size_t& count)
{
    count = len > 3 ? len - 3u : 0u;
    std::unique_ptr<uint8_t[]> data(new uint8_t[count]);
    std::uniform_int_distribution<int> byte(0, 255);
    for (size_t i = 0; i < count; ++i)
        data[i] = static_cast<uint8_t>(byte(rng));
    if (count < 2 || rng() % 4 == 0)
        return data;
    static const uint8_t kPcBytes[] = {0x00, 0x01, 0x03, 0x05, 0x07, 0x08, 0x10, 0x30, 0x80, 0x88, 0xF8};
    data[0] = static_cast<uint8_t>(rng() % 11);
    data[1] = kPcBytes[rng() % sizeof(kPcBytes)];
    // Few distinct EPC bytes, so that EPCs collide; the RSSI bytes vary.
    for (size_t i = 3; i < count && i < 3 + 32; ++i)
        data[i] = static_cast<uint8_t>(rng() % 3 == 0 ? byte(rng) % 4 : 0xE2);
    return data;
}

TEST(TagTableRandom, AgreesWithAPlainModelOnReportsOfEveryLength)
{
    std::mt19937 rng(20240607);
    tag_table table({true, true});
    Model model;
    const int kReports = 120000;
    unsigned long accepted = 0;
    for (int i = 0; i < kReports; ++i) {
        // Every length byte from 0 to 255 in turn, and often the lengths a
        // real report of the chosen PC would have.
        const uint8_t len = static_cast<uint8_t>(i % 2 == 0 ? i / 2 % 256 : 3 + 3 + (rng() % 40));
        size_t count = 0;
        std::unique_ptr<uint8_t[]> data = make_report(rng, len, count);
        const tag_table::result got = table.add_report(data.get(), len);
        const tag_table::outcome want = model.add(data.get(), len);
        ASSERT_EQ(got.what, want) << "report " << i << ", length byte " << int(len);
        if (want != tag_table::outcome::rejected)
            ++accepted;
        ASSERT_EQ(table.size(), model.size());
        if (got.row >= 0)
            expect_same_row(table, model, got.row);
        if (i % 1000 == 999) {
            expect_same_rssi_range(table, model);
            EXPECT_EQ(table.tally().reports(), std::to_string(model.reports));
        }
        if (i % 40000 == 39999) {
            table.clear();
            model.clear();
        }
    }
    // Most reports were read, not refused.
    EXPECT_GT(accepted, static_cast<unsigned long>(kReports) / 3);
}

TEST(TagTableRandom, FillsTheTableWithoutWritingPastIt)
{
    std::mt19937 rng(7);
    tag_table table({false, false});
    uint8_t data[3 + 12 + 7] = {0x09, 0x30, 0x00};
    for (int i = 0; i < 3 * tag_table::kMaxRows; ++i) {
        for (size_t k = 3; k < sizeof(data); ++k)
            data[k] = static_cast<uint8_t>(rng());
        table.add_report(data, sizeof(data) + 3);
    }
    EXPECT_EQ(table.size(), tag_table::kMaxRows);
    for (int i = 0; i < table.size(); ++i)
        for (uint16_t c : table.row(i).counts)
            EXPECT_EQ(c, 0) << "antenna 9 counts nowhere on this page";
}

}  // namespace
