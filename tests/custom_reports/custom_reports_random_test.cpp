// Random replies of every custom report kind and every length into the
// custom table, each in a buffer of exactly its size, so that the sanitizer
// build catches a read past the reply.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "wxcrafter/custom_inv_pannel_base/custom_reports.h"

namespace {

const custom_report_kind kKinds[] = {custom_report_kind::plain_epc, custom_report_kind::match_data,
                                     custom_report_kind::gb_match_data, custom_report_kind::magnus,
                                     custom_report_kind::nmv2d,         custom_report_kind::velatag};

TEST(CustomReportsRandom, NoReplyIsReadPastItsLengthAndEveryCountAddsUp)
{
    std::mt19937 rng(20240611);
    custom_tag_table table;
    static const uint8_t kPcBytes[] = {0x00, 0x01, 0x03, 0x06, 0x08, 0x10, 0x11, 0x30, 0x80, 0x88, 0xF8};
    unsigned long accepted = 0;
    int accepted_of[6] = {0};
    for (int i = 0; i < 200000; ++i) {
        const custom_report_kind kind = kKinds[i % 6];
        // Every length byte in turn for each kind, and often a short one.
        const uint8_t len = static_cast<uint8_t>(i % 12 < 6 ? i / 6 % 256 : 4 + rng() % 40);
        const size_t count = len > 3 ? len - 3u : 0u;
        std::unique_ptr<uint8_t[]> data(new uint8_t[count]);
        for (size_t k = 0; k < count; ++k)
            data[k] = static_cast<uint8_t>(rng());
        // Mostly a report's shape over few EPC values, so that tags repeat.
        if (count >= 6 && rng() % 4 != 0) {
            data[0] = static_cast<uint8_t>(rng() % 10);
            data[1] = kPcBytes[rng() % sizeof(kPcBytes)];
            for (size_t k = 3; k < count && k < 7; ++k)
                data[k] = static_cast<uint8_t>(rng() % 3);
            data[5] = static_cast<uint8_t>(rng() % 8);  // a small data count where one sits
        }
        const int before = table.size();
        const tag_table::result got = table.add(kind, data.get(), len);
        if (got.what != tag_table::outcome::rejected) {
            ++accepted;
            ++accepted_of[i % 6];
        }
        ASSERT_EQ(table.tags().tally().reports(), std::to_string(accepted)) << "report " << i;
        ASSERT_EQ(table.size(), before + (got.what == tag_table::outcome::new_tag ? 1 : 0));
        if (got.row >= 0) {
            for (custom_column c : {custom_column::id, custom_column::kind, custom_column::pc, custom_column::crc,
                                    custom_column::epc, custom_column::counts, custom_column::data,
                                    custom_column::data_len, custom_column::temperature, custom_column::rssi,
                                    custom_column::freq})
                table.cell(got.row, c);
            const std::string line = table.file_line(got.row, custom_column::data);
            ASSERT_EQ(line.back(), '\n');
        }
        if (i % 50000 == 49999) {
            table.clear();
            accepted = 0;
        }
    }
    // The shapes reach every parser's fields, not only its refusals.
    for (int k = 0; k < 6; ++k)
        EXPECT_GT(accepted_of[k], 1000) << "kind " << k;
}

}  // namespace
