// Reading decimal boxes: a long number must never wrap into a small one.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "wxcrafter/page_support/page_support.h"

namespace {

// Parses `text` against `max`; -1 when it is refused.
long long parse(const char* text, unsigned long max)
{
    unsigned long value = 12345;  // must stay untouched on refusal
    if (!leading_decimal(wxString(text), max, value)) {
        EXPECT_EQ(value, 12345u);
        return -1;
    }
    return static_cast<long long>(value);
}

TEST(LeadingDecimal, TakesTheLeadingDigitsOnly)
{
    EXPECT_EQ(parse("", 65535), 0);
    EXPECT_EQ(parse("abc", 65535), 0);
    EXPECT_EQ(parse("0", 65535), 0);
    EXPECT_EQ(parse("8080", 65535), 8080);
    EXPECT_EQ(parse("12ab34", 65535), 12);
    EXPECT_EQ(parse("007", 255), 7);
}

TEST(LeadingDecimal, RefusesWhatExceedsTheLimitInsteadOfWrapping)
{
    EXPECT_EQ(parse("65535", 65535), 65535);
    EXPECT_EQ(parse("65536", 65535), -1);
    EXPECT_EQ(parse("255", 255), 255);
    EXPECT_EQ(parse("256", 255), -1);
    EXPECT_EQ(parse("300", 255), -1);
    // atoi would have wrapped this to a small port number.
    EXPECT_EQ(parse("4294975376", 65535), -1);
    EXPECT_EQ(parse("99999999999999999999999999", 65535), -1);
    // A single digit above a small limit.
    EXPECT_EQ(parse("7", 5), -1);
    EXPECT_EQ(parse("5", 5), 5);
}

TEST(LeadingDecimal, WorksUpToTheWidestLimit)
{
    const std::string max = std::to_string(ULONG_MAX);
    unsigned long value = 0;
    EXPECT_TRUE(leading_decimal(wxString(max), ULONG_MAX, value));
    EXPECT_EQ(value, ULONG_MAX);
    std::string above = max;
    above.back() = static_cast<char>(above.back() + 1);
    EXPECT_FALSE(leading_decimal(wxString(above), ULONG_MAX, value));
    EXPECT_FALSE(leading_decimal(wxString(max + "0"), ULONG_MAX, value));
}

}  // namespace
