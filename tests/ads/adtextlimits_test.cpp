#include "ads/adtextlimits.h"

#include <gtest/gtest.h>

#include "core/textencoding.h"

namespace pw {
namespace {

const std::string kE = "\xC3\xA9";  // é: one character, two bytes

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(AdTextLimits, BoxesHoldCharactersNotBytes) {
    EXPECT_EQ(adTextLimit(AdField::Title), 127u);
    EXPECT_EQ(adTextLimit(AdField::Text2), 255u);
    EXPECT_EQ(adTextLimit(AdField::DestinationUrl), 2047u);
    EXPECT_EQ(adTextLimit(AdField::Notes), 9999u);
    EXPECT_EQ(adTextLimit(AdField::Tokens), 255u);

    const std::string title = "Caf" + kE + repeat("x", 17);  // 21 characters, 22 bytes
    EXPECT_EQ(adCounterText(title, 25), "21/25");
    // "é" typed as the 25th character stays whole; as the 26th it goes whole.
    const std::string full = repeat("x", 24) + kE;
    EXPECT_EQ(clipToNetworkLimit(full, SearchEngine::Google, AdField::Title), full);
    EXPECT_EQ(clipToNetworkLimit(full + kE, SearchEngine::Google, AdField::Title), full);
    EXPECT_EQ(clipToNetworkLimit(repeat("x", 25) + kE, SearchEngine::Google, AdField::Title), repeat("x", 25));
    // Miva's line 2 allows 10,000 characters; the box holds 255.
    EXPECT_EQ(adTextLength(clipToNetworkLimit(repeat(kE, 300), SearchEngine::Miva, AdField::Text2)), 255u);
    EXPECT_EQ(clipAdText(repeat(kE, 10), 3), repeat(kE, 3));
}

}  // namespace
}  // namespace pw
