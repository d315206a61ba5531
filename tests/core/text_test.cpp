#include "core/text.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(Text, CountsAreShownWithThousandsSeparators) {
    const std::pair<long long, const char*> cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {12345, "12,345"}, {1234567, "1,234,567"}, {-1234, "-1,234"}};
    for (const auto& [value, shown] : cases) EXPECT_EQ(formatCount(value), shown) << value;
}

TEST(Text, LeadingIntegerReadsLikeAtoi) {
    const std::pair<const char*, int32_t> cases[] = {
        {"120", 120}, {"  -7x", -7}, {"+5", 5}, {"1,234", 1}, {"12.5", 12}, {"abc", 0}, {"", 0},
        {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
    for (const auto& [text, value] : cases) EXPECT_EQ(parseLeadingInt(text), value) << text;
}

// Keyword planners write volumes with thousands separators and as ranges.
TEST(Text, PlannerCountsReadSeparatorsWholeAndRangesByTheirLowerBound) {
    const std::pair<const char*, int32_t> cases[] = {
        {"1,000", 1000},
        {"1,234,567", 1234567},
        {"1.000", 1000},
        {"12 500", 12500},
        {"12\xC2\xA0" "500", 12500},         // no-break space
        {"12\xE2\x80\xAF" "500", 12500},     // narrow no-break space
        {"1K \xE2\x80\x93 10K", 1000},       // en dash
        {"10K-100K", 10000},
        {"100 \xE2\x80\x93 1K", 100},
        {"1M \xE2\x80\x93 10M", 1000000},
        {"90", 90},
        {" 40 ", 40},
        {"12.5", 12},                         // a decimal part is no thousands group
        {"1.5K \xE2\x80\x93 2K", 1500},        // but before a suffix it counts
        {"2,25M", 2250000},
        {"1,00", 1},
        {"", 0},
        {"\xE2\x80\x94", 0},
        {"10B", INT32_MAX},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(parsePlannerCount(text), value) << text;
}

TEST(Text, CaseFoldingTouchesAsciiLettersOnly) {
    EXPECT_TRUE(equalsIgnoreCase("Shoes", "sHOES"));
    EXPECT_FALSE(equalsIgnoreCase("\xC9t\xE9", "\xE9t\xE9"));  // É and é stay apart
    EXPECT_LT(compareIgnoreCase("apple", "Boots"), 0);
    EXPECT_LT(compareIgnoreCase("ab", "abc"), 0);
    EXPECT_GT(compareIgnoreCase("\xE9", "z"), 0);  // bytes compare unsigned
    EXPECT_TRUE(containsIgnoreCase("Age Issues", "ISSUE"));
    EXPECT_FALSE(containsIgnoreCase("age", "ages"));
}

}  // namespace
}  // namespace pw
