// Tag-memory replies into result-row texts, and the selected EPC into the
// match bytes, without a window. Replies sit in buffers of exactly their
// length, so the sanitizer build catches any read past them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hex_bytes.h"
#include "wxcrafter/reader_rw_pannel_base/storage_fields.h"
#include "wxcrafter/reader_rw_pannel_base/storage_results.h"

namespace {

using K = StorageReply;

bool parse(K kind, const Bytes& reply, StorageRow& row)
{
    return parse_storage_reply(kind, reply.empty() ? nullptr : reply.data(), reply.size(), row);
}

const std::string kEpc = " E2 00 11 22 33 44 55 66 77 88 99 0A ";

struct ReplyCase {
    const char* name;
    K kind;
    Bytes reply;
    StorageRow want;  // pc, crc, epc, data, length, antenna
};

// Each reply is exactly as long as its layout asks.
const std::vector<ReplyCase> kReplies = {
    {"read of four bytes", K::Read, hex("00 01 14 30 00" + kEpc + "1A 2B 11 22 33 44 00 04 02"),
     {"30 00", "1A 2B", kEpc.substr(1), "11 22 33 44 ", "4", "02"}},
    {"read of nothing, antenna in the low two bits", K::Read, hex("00 01 10 30 00" + kEpc + "1A 2B 00 00 07"),
     {"30 00", "1A 2B", kEpc.substr(1), "", "0", "03"}},
    {"write done", K::Write, hex("00 01 10 30 00" + kEpc + "1A 2B 10 01"),
     {"30 00", "1A 2B", kEpc.substr(1), "write complete", "", "01"}},
    {"write refused by the tag", K::Write, hex("00 01 04 30 00 1A 2B 33 01"), {"30 00", "1A 2B", "", " ", "", "01"}},
    {"lock done", K::Lock, hex("00 01 06 34 00 AB CD 0A 0B 10 00"), {"34 00", "0A 0B", "AB CD ", "lock complete", "", "00"}},
    {"kill done", K::Kill, hex("00 01 04 30 00 0A 0B 10 02"), {"30 00", "0A 0B", "", "kill complete", "", "02"}},
    {"GB lock done", K::GbLock, hex("00 01 04 30 00 0A 0B 10 02"), {"30 00", "0A 0B", "", "lock complete", "", "02"}},
    {"GB kill done", K::GbKill, hex("00 01 04 30 00 0A 0B 10 02"), {"30 00", "0A 0B", "", "kill complete", "", "02"}},
    {"GB write done, no CRC", K::GbWrite, hex("00 01 0E 30 00" + kEpc + "10 02"),
     {"30 00", "00 00", kEpc.substr(1), "write complete", "", "02"}},
    {"GB read of two bytes", K::GbRead, hex("00 01 0E 30 00" + kEpc + "00 02 AB CD 05"),
     {"30 00", "00 00", kEpc.substr(1), "AB CD ", "2", "01"}},
    {"authentication passed", K::DoubleIdentify, hex("08 30 00 E2 00 11 22 59 05"),
     {"30 00", "00 00", "E2 00 11 22 ", "双向认证成功！", "0", "05"}},
    {"authentication failed", K::DoubleIdentify, hex("04 30 00 58 81"), {"30 00", "00 00", "", "双向认证失败！", "0", "81"}},
    {"authentication, unknown result", K::DoubleIdentify, hex("04 30 00 00 01"), {"30 00", "00 00", "", " ", "0", "01"}},
};

TEST(StorageReplies, EachLayoutGivesItsCells)
{
    for (const ReplyCase& c : kReplies) {
        SCOPED_TRACE(c.name);
        StorageRow row;
        ASSERT_TRUE(parse(c.kind, c.reply, row));
        EXPECT_EQ((std::vector<std::string>{row.pc, row.crc, row.epc, row.data, row.length, row.antenna}),
                  (std::vector<std::string>{c.want.pc, c.want.crc, c.want.epc, c.want.data, c.want.length,
                                            c.want.antenna}));
    }
}

// Any shorter piece of those replies announces more than it holds.
TEST(StorageReplies, ACutReplyMakesNoRowAndLeavesTheRow)
{
    for (const ReplyCase& c : kReplies) {
        for (size_t len = 0; len < c.reply.size(); ++len) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(len) + " bytes");
            StorageRow row;
            row.pc = "kept";
            EXPECT_FALSE(parse(c.kind, Bytes(c.reply.begin(), c.reply.begin() + static_cast<long>(len)), row));
            EXPECT_EQ(row.pc, "kept");
        }
    }
}

TEST(StorageReplies, LengthsThatCannotHoldTheirFieldsMakeNoRow)
{
    StorageRow row;
    // More bytes read than the tag field holds beside PC and CRC.
    EXPECT_FALSE(parse(K::Read, hex("00 01 05 30 00 11 22 33 00 02 01"), row));
    EXPECT_FALSE(parse(K::Write, hex("00 01 03 30 00 11 10 01"), row));
    EXPECT_FALSE(parse(K::DoubleIdentify, hex("03 30 59 01"), row));
    // 300 bytes announced, two there.
    EXPECT_FALSE(parse(K::GbRead, hex("00 01 02 30 00 01 2C AB CD 01"), row));
}

// Random replies of every length: nothing is read past the buffer (the
// sanitizers watch), and a row that comes out is well formed.
TEST(StorageReplies, RandomRepliesOfEveryLengthStayInside)
{
    std::mt19937 random(20240607);
    size_t rows = 0;
    for (K kind : {K::Read, K::Write, K::Lock, K::Kill, K::GbRead, K::GbWrite, K::GbLock, K::GbKill,
                   K::DoubleIdentify}) {
        for (size_t len = 0; len <= 255; ++len) {
            for (int round = 0; round < 40; ++round) {
                Bytes reply(len);
                for (uint8_t& b : reply)
                    b = static_cast<uint8_t>(random());
                // Small length bytes, so that some replies fit their layout.
                if (len > 2 && round % 2 == 0)
                    reply[kind == K::DoubleIdentify ? 0 : 2] = static_cast<uint8_t>(random() % (len + 1));
                StorageRow row;
                if (!parse(kind, reply, row))
                    continue;
                ++rows;
                ASSERT_EQ(row.pc.size() + row.crc.size() + row.antenna.size(), 12u);
                ASSERT_EQ(row.epc.size() % 3, 0u);
                if (kind == K::Read || kind == K::GbRead) {
                    ASSERT_EQ(row.data.size(), 3 * std::stoul(row.length));
                }
            }
        }
    }
    EXPECT_GT(rows, 0u) << "no random reply fitted any layout";
}

TEST(StorageFields, SelectedEpcCountsAndBytes)
{
    std::string long_epc;
    for (int i = 0; i < 40; ++i)
        long_epc += "AB ";
    Bytes at_most(32, 0xAB);
    at_most[0] = 30;
    const std::pair<std::string, Bytes> cases[] = {
        // text, then the count byte and the EPC; nothing when refused
        {"E2 00 11 22", hex("03 E2 00 11 22")}, {"E200", hex("01 E2 00")}, {"E 2", hex("00 02")},
        {"", {}}, {"E", {}}, {"   ", {}}, {long_epc, at_most},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        Bytes dest(33, 0x55);
        EXPECT_EQ(epc_select_bytes(c.first, dest.data(), 32), c.second.empty() ? 0 : c.second.size() - 1);
        EXPECT_EQ(Bytes(dest.begin(), dest.begin() + static_cast<long>(c.second.size())), c.second);
        EXPECT_EQ(dest[c.second.size()], 0x55) << "written past the stored bytes";
    }
}

}  // namespace
