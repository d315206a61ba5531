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
