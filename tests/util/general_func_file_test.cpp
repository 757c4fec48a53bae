#include "general_func_file.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <random>
#include <vector>

namespace {

general_func_file g;

// The four bytes sit in a buffer of exactly four, so that the sanitizer
// catches a read past them.
int rssi(uint8_t b0, uint32_t energy24, uint8_t len)
{
    std::vector<char> bytes = {static_cast<char>(b0), static_cast<char>(energy24 >> 16),
                               static_cast<char>(energy24 >> 8), static_cast<char>(energy24)};
    return g.Calculate_Rssi(bytes.data(), len);
}

TEST(Rssi, WorkedReports)
{
    EXPECT_EQ(rssi(0x08, 0x0F4240, 4), -21);
    EXPECT_EQ(rssi(0x06, 0x0186A0, 5), -33); // -33.95 truncated, not floored
    EXPECT_EQ(rssi(0xE8, 0x002710, 3), -90); // first byte above 0x7F: column 7
    EXPECT_EQ(rssi(0x09, 0x000000, 4), -30); // bit 0 of the first byte is energy bit 24
}

TEST(Rssi, EveryCalibratedCell)
{
    // q = 150,000 in each column of rows 3 and 4; the high columns need the
    // first byte read as unsigned.
    const int row3[8] = {-8, -8, -34, -60, -29, -50, -60, -60};
    const int row4[8] = {-59, -39, -9, -30, -65, -90, -57, -43};
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(rssi(static_cast<uint8_t>(column << 5 | 3 << 1), 150000, 4), row3[column]) << column;
        EXPECT_EQ(rssi(static_cast<uint8_t>(column << 5 | 4 << 1), 150000, 4), row4[column]) << column;
    }
}

TEST(Rssi, DivisorFromLength)
{
    // Energy 25,500,000 (bit 24 set, high bytes above 0x7F) in row 4,
    // column 0: undivided it saturates, by 255 it is 100,000.
    EXPECT_EQ(rssi(0x09, 0x851960, 4), -30);
    EXPECT_EQ(rssi(0x09, 0x851960, 3), -30);
    EXPECT_EQ(rssi(0x09, 0x851960, 2), -68);
    EXPECT_EQ(rssi(0x08, 0x00C350, 4), rssi(0x08, 0x0186A0, 5)); // 50,000 either way
    EXPECT_EQ(rssi(0x08, 0x000002, 5), rssi(0x08, 0x000001, 4));
    EXPECT_EQ(rssi(0x08, 0x000001, 5), -90); // q = 0
}

TEST(Rssi, ClampEdges)
{
    // Row 3, column 0: 53 log10(q) - 283.
    EXPECT_EQ(rssi(0x06, 220000, 4), -30); // 0.15 -> 0
    EXPECT_EQ(rssi(0x06, 205000, 4), -1);  // -1.48
    EXPECT_EQ(rssi(0x06, 4480, 4), -89);   // -89.48
    EXPECT_EQ(rssi(0x06, 4250, 4), -90);   // -90.70 -> -90
    EXPECT_EQ(rssi(0x06, 4000, 4), -90);   // -92.09
    EXPECT_EQ(rssi(0x06, 0, 4), -90);
}

TEST(Rssi, LowRowsSaturateAndUncalibratedRowsGiveFloor)
{
    for (int b0 = 0; b0 < 256; ++b0) {
        const int row = (b0 >> 1) & 0x0F;
        for (uint32_t e : {0u, 1u, 0xFFFFFFu}) {
            const int r = rssi(static_cast<uint8_t>(b0), e, 4);
            if (row >= 5 || (e == 0 && !(b0 & 1))) {
                EXPECT_EQ(r, -90) << b0 << " " << e;
            } else if (row <= 2) {
                EXPECT_EQ(r, -30) << b0 << " " << e;
            }
        }
    }
}

TEST(Rssi, RangeAndMonotoneInEnergy)
{
    // Rising energy never lowers the result, except that a line reaching 0
    // drops to -30 and stays there.
    for (int b0 = 0; b0 < 256; ++b0) {
        for (int len : {0, 3, 5, 40, 255}) {
            int last = -90;
            bool saturated = false;
            for (uint32_t e = 0; e < 0x1000000; e = e * 3 + 1) {
                const int r = rssi(static_cast<uint8_t>(b0), e, static_cast<uint8_t>(len));
                ASSERT_GE(r, -90);
                ASSERT_LE(r, -1);
                if (saturated || r < last) {
                    ASSERT_EQ(r, -30) << b0 << " " << len << " " << e;
                    saturated = true;
                }
                last = r;
            }
        }
    }
}

TEST(DecimalText, WorkedExamples)
{
    using Op = std::string (general_func_file::*)(std::string, std::string);
    const Op add = &general_func_file::Add, sub = &general_func_file::Sub;
    const Op mul = &general_func_file::Mul, div = &general_func_file::Div;
    const struct {
        Op op;
        const char *a, *b, *expected;
    } cases[] = {
        {add, "999", "1", "1000"},         {add, "0", "0", "0"},
        {add, "", "7", "7"},               {add, "7", "", "7"},
        {sub, "10", "3", "7"},             {sub, "3", "10", "-7"},
        {sub, "0", "5", "-5"},             {sub, "1000", "1", "999"},
        {sub, "42", "42", "0"},            {sub, "", "0", "0"},
        {mul, "-12", "34", "-408"},        {mul, "12", "10", "120"},
        {mul, "-3", "-4", "12"},           {mul, "0", "-5", "0"},
        {mul, "-5", "", "0"},              {div, "1", "3", "0.333333"},
        {div, "2", "3", "0.666666"},       {div, "10", "4", "2.500000"},
        {div, "-7", "2", "-3.500000"},     {div, "7", "-2", "-3.500000"},
        {div, "100", "7", "14.285714"},    {div, "1", "1", "1.000000"},
        {div, "1", "1000000", "0.000001"}, {div, "1", "10000000", "0.000000"},
        {div, "-1", "10000000", "-0.000000"}, {div, "0", "5", "0.000000"},
        {div, "5", "0", "The divisor cannot be zero!"}, {div, "5", "", "The divisor cannot be zero!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ((g.*c.op)(c.a, c.b), c.expected) << c.a << " , " << c.b;
}

TEST(DecimalText, Tests)
{
    EXPECT_TRUE(g.CheckZero(""));
    EXPECT_TRUE(g.CheckZero("000"));
    EXPECT_FALSE(g.CheckZero("010"));
    EXPECT_FALSE(g.CheckNegative(""));
    EXPECT_TRUE(g.CheckNegative("-1"));
    EXPECT_TRUE(g.Lower("99", "100"));
    EXPECT_FALSE(g.Lower("100", "99"));
    EXPECT_TRUE(g.Lower("123", "124"));
    EXPECT_FALSE(g.Lower("124", "124"));
}

std::string refDiv(int64_t a, int64_t b)
{
    if (a == 0)
        return "0.000000";
    const uint64_t q = static_cast<uint64_t>(std::llabs(a)) * 1000000 / static_cast<uint64_t>(std::llabs(b));
    char text[48];
    std::snprintf(text, sizeof text, "%s%" PRIu64 ".%06" PRIu64, (a < 0) != (b < 0) ? "-" : "",
                  q / 1000000, q % 1000000);
    return text;
}

TEST(DecimalText, AgreesWith64BitArithmetic)
{
    std::mt19937_64 rng(20240601);
    auto pick = [&](int64_t max) {
        // Mostly short operands, so that carries, borrows and swaps meet
        // every length, with zero among them.
        const int64_t m = (rng() % 2) ? max : (rng() % 3 ? 100 : 10);
        return static_cast<int64_t>(rng() % static_cast<uint64_t>(m + 1));
    };
    auto withSign = [&](int64_t v) { return rng() % 2 ? -v : v; };
    for (int i = 0; i < 20000; ++i) {
        const int64_t a = pick(1000000000000), b = pick(1000000000000);
        const std::string sa = std::to_string(a), sb = std::to_string(b);
        ASSERT_EQ(g.Add(sa, sb), std::to_string(a + b)) << sa << " + " << sb;
        ASSERT_EQ(g.Sub(sa, sb), std::to_string(a - b)) << sa << " - " << sb;

        const int64_t c = withSign(pick(1000000000)), d = withSign(pick(1000000000));
        const std::string sc = std::to_string(c), sd = std::to_string(d);
        ASSERT_EQ(g.Mul(sc, sd), std::to_string(c * d)) << sc << " * " << sd;
        if (d != 0) {
            ASSERT_EQ(g.Div(sc, sd), refDiv(c, d)) << sc << " / " << sd;
        }
    }
}

TEST(DecimalText, LongOperandsRoundTrip)
{
    std::mt19937 rng(7);
    auto number = [&](int digits) {
        std::string s(1, static_cast<char>('1' + rng() % 9));
        while (static_cast<int>(s.size()) < digits)
            s.push_back(static_cast<char>('0' + rng() % 10));
        return s;
    };
    for (int i = 0; i < 200; ++i) {
        const std::string a = number(1 + rng() % 60), b = number(1 + rng() % 60);
        const std::string sum = g.Add(a, b);
        EXPECT_EQ(g.Sub(sum, b), a);
        EXPECT_EQ(g.Sub(a, sum), "-" + b);
        EXPECT_EQ(g.Div(g.Mul(a, b), b), a + ".000000");
        EXPECT_EQ(g.Div("-" + g.Mul(a, b), a), "-" + b + ".000000");
    }
}

TEST(DecimalText, MalformedOperandsStillReturn)
{
    // A sign alone or in front of zero is no divisor at all.
    EXPECT_EQ(g.Div("5", "-"), "The divisor cannot be zero!");
    EXPECT_EQ(g.Div("5", "-0"), "The divisor cannot be zero!");
    // Equal values spelt differently leave only zeros.
    EXPECT_EQ(g.Sub("01", "1"), "0");
    EXPECT_EQ(g.Sub("1", "001"), "0");
    const std::vector<std::string> bad = {"-", "-0", "--3", "01", "007", "1a", "/", "\x80\xff",
                                          " 12", "+5", "99999999999999999999:", "-000000000000000000001"};
    const std::vector<std::string> good = {"0", "", "1", "-7", "123456789012345678901234"};
    for (const auto* set : {&bad, &good}) {
        for (const auto& a : bad) {
            for (const auto& b : *set) {
                for (const auto& r : {g.Add(a, b), g.Add(b, a), g.Sub(a, b), g.Sub(b, a), g.Mul(a, b), g.Mul(b, a)})
                    EXPECT_LT(r.size(), a.size() + b.size() + 3);
                const std::string q1 = g.Div(a, b), q2 = g.Div(b, a);
                for (const auto& q : {q1, q2})
                    EXPECT_TRUE(q == "The divisor cannot be zero!" || q.find('.') == q.size() - 7) << q;
            }
        }
    }
}

} // namespace
