// Reply bytes in, what the operator sees out: the log lines with their
// colour, whether the waiting request ends, and what goes to a page.
#include "reply_decoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using reply::Action;
using reply::Outcome;
using reply::Parser;

// A reply frame with `data` and its length byte (data + 3 unless given).
Outcome decode(uint8_t cmd, std::vector<uint8_t> data, int len_byte = -1)
{
    std::vector<uint8_t> frame = {0xA0, static_cast<uint8_t>(len_byte < 0 ? data.size() + 3 : len_byte), 0x00, cmd};
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(0);  // check byte
    return reply::decode(reply::view(frame.data(), frame.size()));
}

struct Row {
    const char* what;
    uint8_t cmd;
    std::vector<uint8_t> data;
    std::string line;  // "" for no line
    bool red;
    bool clears;
    Action action;
    std::string text;  // the text or texts shown, joined by "|"
};

std::string shown(const Outcome& out)
{
    std::string s = out.text;
    for (const std::string& t : out.texts)
        s += (s.empty() ? "" : "|") + t;
    return s;
}

TEST(ReplyDecoder, ReaderSettingReplies)
{
    const Row rows[] = {
        {"version", 0x72, {3, 7, 6}, "", true, true, Action::show_version, "KSR460-3.7"},
        {"version, unknown model", 0x72, {2, 1, 5}, "", true, true, Action::show_version, "2.1"},
        {"version cut short", 0x72, {3}, "", true, true, Action::none, ""},
        {"temperature below zero", 0x7B, {0, 25}, "", true, true, Action::show_temperature, "-25℃"},
        {"temperature above", 0x7B, {1, 3}, "", true, true, Action::show_temperature, "+3℃"},
        {"temperature, odd sign", 0x7B, {7, 19}, "", true, true, Action::show_temperature, "19℃"},
        {"power out of range", 0x76, {0x25}, "功率超出范围!", true, true, Action::none, ""},
        {"eight powers refused", 0x5E, {0x11}, "读写器不支持此命令！", true, true, Action::none, ""},
        {"eight powers too high", 0x5E, {0x25}, "功率超出范围!", true, true, Action::none, ""},
        {"one power read", 0x77, {30}, "", true, true, Action::show_powers, "30"},
        {"eight powers read", 0x77, {1, 2, 3, 4, 5, 6, 7, 8}, "", true, true, Action::show_powers, "1|2|3|4|5|6|7|8"},
        {"four powers read", 0x77, {1, 2, 3, 4}, "", true, true, Action::show_powers, "1|2|3|4"},
        {"custom plan", 0x79, {4, 0x01, 0xF4, 10, 0x0D, 0xBB, 0xA0}, "", true, true, Action::show_custom_plan,
         "500|10|900000"},
        {"address set", 0x73, {0x10}, "set addr successful!", true, false, Action::none, ""},
        {"address, other status", 0x73, {0x13}, "", true, false, Action::none, ""},
        {"reset", 0x70, {0x10}, "复位成功！", true, true, Action::none, ""},
        {"reset failed", 0x70, {0x11}, "复位失败!", true, true, Action::none, ""},
        {"antenna out of range", 0x74, {0x41}, "天线超出范围!", true, true, Action::none, ""},
        {"set fast EPC", 0x51, {0x10}, "", true, true, Action::none, ""},
        {"profile in the list", 0x6A, {9}, "", true, true, Action::show_profile, ""},
        {"profile not in the list", 0x6A, {5}, "读写器当前的通讯带宽配置ID为5，不在配置列表中！", true, true,
         Action::show_profile, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Outcome out = decode(row.cmd, row.data);
        EXPECT_TRUE(out.handled);
        EXPECT_EQ(out.clear_timeout, row.clears);
        ASSERT_EQ(out.lines.size(), row.line.empty() && row.cmd != 0x73 ? 0u : 1u);
        if (!out.lines.empty()) {
            EXPECT_EQ(out.lines[0].text, row.line);
            EXPECT_EQ(out.lines[0].red, row.red);
        }
        EXPECT_EQ(out.action, row.action);
        EXPECT_EQ(shown(out), row.text);
    }

    // Region 1 counts its points from 7: entry 0, points 0 and 52.
    const Outcome fcc = decode(0x79, {1, 7, 59});
    EXPECT_EQ(fcc.action, Action::show_standard_plan);
    EXPECT_EQ((std::vector<int>{fcc.values[0], fcc.values[1], fcc.values[2]}), (std::vector<int>{0, 0, 52}));
    // GPIO levels become radio indexes: 1 is "高" (0), 0 "低" (1), others leave it.
    const Outcome gpio = decode(0x60, {1, 2});
    EXPECT_EQ(gpio.values[0], 0);
    EXPECT_EQ(gpio.values[1], -1);
}

TEST(ReplyDecoder, RepliesWithoutABranchChangeNothing)
{
    // Baud rate, save, factory reset, stop: taken and dropped.
    for (uint8_t cmd : {0x41, 0x71, 0x4A, 0x4B, 0x8C, 0x93, 0x94, 0xDA, 0xB0}) {
        SCOPED_TRACE(static_cast<int>(cmd));
        const Outcome out = decode(cmd, {0x10});
        EXPECT_FALSE(out.handled);
        EXPECT_FALSE(out.clear_timeout);
        EXPECT_TRUE(out.lines.empty());
    }
}

TEST(ReplyDecoder, InventoryAndTagMemoryReplies)
{
    const struct {
        const char* what;
        uint8_t cmd;
        std::vector<uint8_t> data;
        std::string line;
        bool red;
        bool clears;
        Action action;
        Parser parser;
    } rows[] = {
        {"end of a round", 0x89, {0x10}, "", true, false, Action::none, Parser::none},
        {"antenna missing", 0x89, {0x22}, "天线未连接!", true, false, Action::realtime_end, Parser::none},
        {"no tag", 0x89, {0x36}, "无可操作标签错误!", true, false, Action::realtime_end, Parser::none},
        {"0x36 in a longer report is data", 0x89, {0x36, 1, 2}, "", true, false, Action::realtime_report,
         Parser::none},
        {"a lone unknown status is no tag", 0x89, {0x33}, "", true, false, Action::none, Parser::none},
        {"tag report", 0x89, {0x01, 0x30, 0x00, 0xE2, 0x11}, "", true, false, Action::realtime_report, Parser::none},
        {"custom finished", 0x8A, {0x12}, "结束自定义盘存", false, false, Action::custom_end, Parser::none},
        {"0x12 in a longer report is data", 0x8A, {0x12, 1}, "", true, false, Action::custom_report, Parser::epc},
        {"TID inventory finished, any length", 0x53, {0x12, 1, 2, 3}, "结束自定义盘存", false, false,
         Action::custom_end, Parser::none},
        {"custom with no tag", 0x52, {0x36}, "无可操作标签错误!", true, false, Action::none, Parser::none},
        {"antenna-switch finished", 0x87, {0x13}, "结束多天线轮询盘存", false, false, Action::switchant_end,
         Parser::none},
        {"antenna-switch refused", 0x87, {0x11}, "读写器不支持此命令！", true, false, Action::switchant_end,
         Parser::none},
        {"antenna-switch antenna missing", 0x87, {0x22}, "天线未连接!", true, false, Action::switchant_end,
         Parser::none},
        {"buffer empty", 0x90, {0x38}, "缓存为空!", true, false, Action::none, Parser::none},
        {"buffer count", 0x80, {0x00, 0x05}, "", true, false, Action::buffer_count, Parser::none},
        {"buffer status alone is no count", 0x80, {0x05}, "", true, false, Action::none, Parser::none},
        {"buffer tag count", 0x92, {0x01, 0x2C}, "缓存中标签数量: 300", false, false, Action::none, Parser::none},
        {"buffer tag count of an empty buffer", 0x92, {0x38}, "缓存为空!", true, false, Action::none, Parser::none},
        {"buffer tag count refused", 0x92, {0x11}, "读取缓存数量失败，状态码 0x11!", true, false, Action::none,
         Parser::none},
        {"6C read done", 0x81, {0x10}, "", true, true, Action::none, Parser::none},
        {"6C read result", 0x81, {0x00, 0x01, 0x14}, "", true, true, Action::tag_memory_result, Parser::read},
        {"lock, memory", 0x83, {0x43}, "内存不支持这个操作!", true, true, Action::none, Parser::none},
        {"lock result starting 0x43", 0x83, {0x43, 1}, "", true, true, Action::tag_memory_result, Parser::lock},
        {"match empty", 0x86, {0x00}, "标签匹配为空！", true, true, Action::none, Parser::none},
        {"match set", 0x86, {0x01}, "", true, true, Action::none, Parser::none},
        {"GB read, unknown", 0x45, {0x66}, "未知错误!", true, true, Action::none, Parser::none},
        {"GB secure read, authentication", 0x43, {0x65}, "标签认证读写器失败!", true, true, Action::none,
         Parser::none},
        {"GB read, four bytes success", 0x45, {0x10}, "", true, true, Action::none, Parser::none},
        {"GB read, five bytes is data", 0x45, {0x10, 1}, "", true, true, Action::tag_memory_result,
         Parser::gb_read},
        {"authentication result", 0x98, {0x10, 0x01, 0x02}, "", true, true, Action::tag_memory_result,
         Parser::double_identify},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Outcome out = decode(row.cmd, row.data);
        EXPECT_TRUE(out.handled);
        EXPECT_EQ(out.clear_timeout, row.clears);
        ASSERT_EQ(out.lines.size(), row.line.empty() ? 0u : 1u);
        if (!out.lines.empty()) {
            EXPECT_EQ(out.lines[0].text, row.line);
            EXPECT_EQ(out.lines[0].red, row.red);
        }
        EXPECT_EQ(out.action, row.action);
        EXPECT_EQ(out.parser, row.parser);
    }
    // The real-time inventory moves its antenna on after every reply, at
    // once when the reader said the antenna is missing.
    EXPECT_TRUE(decode(0x89, {0x10}).antenna_step);
    EXPECT_TRUE(decode(0x89, {0x22}).ended);
    EXPECT_TRUE(decode(0x8A, {0x12}).post_tag_list);
    EXPECT_FALSE(decode(0x53, {0x12}).post_tag_list);
}

// Whatever the reader sends, the decoder reads only the reply's bytes: each
// frame is exactly as long as its length byte says or shorter (sanitizer
// build: an over-read is reported).
TEST(ReplyDecoder, RandomRepliesOfEveryCodeAndLength)
{
    std::mt19937 random(12345);
    for (int i = 0; i < 100000; ++i) {
        const uint8_t cmd = static_cast<uint8_t>(random());
        const size_t held = random() % 256;
        std::vector<uint8_t> frame(4 + held);
        frame[0] = 0xA0;
        frame[1] = static_cast<uint8_t>(random());
        frame[3] = cmd;
        for (size_t k = 4; k < frame.size(); ++k)
            frame[k] = static_cast<uint8_t>(random() % 4 == 0 ? 0x10 + random() % 0x60 : random());
        const reply::Reply r = reply::view(frame.data(), frame.size());
        ASSERT_LE(r.size, held);
        const Outcome out = reply::decode(r);
        ASSERT_LE(out.lines.size(), 1u);
    }
}

}  // namespace
