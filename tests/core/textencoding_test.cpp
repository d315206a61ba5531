#include "core/textencoding.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

const std::string kCafeUtf8 = "caf\xC3\xA9";
const std::string kEuroUtf8 = "\xE2\x82\xAC";

TEST(TextEncoding, ValidUtf8StaysAndTheRestIsReadAsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {kCafeUtf8, kCafeUtf8},
        {"caf\xE9", kCafeUtf8},
        {"\x80 off", kEuroUtf8 + " off"},
        {"\xC3", "\xC3\x83"},                            // a cut-off sequence is not UTF-8
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},  // nor is a surrogate
        {"plain ascii text, longer than eight bytes", "plain ascii text, longer than eight bytes"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},        // four bytes
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(toUtf8(in), out) << in;
}

TEST(TextEncoding, FilesAreReadAsTheirByteOrderMarkSays) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF" "caf\xC3\xA9\n", kCafeUtf8 + "\n"},
        {"\xFF\xFE" "c\0a\0f\0\xE9\0\t\0" "1\0"s, kCafeUtf8 + "\t1"},
        {"\xFE\xFF" "\0c\0\xE9\xD8\x3D\xDE\x00"s, "c\xC3\xA9\xF0\x9F\x98\x80"},  // a surrogate pair
        {"\xFF\xFE" "\x3D\xD8x\0"s, "\xEF\xBF\xBDx"},                           // an unpaired surrogate
        {"\xFF\xFE" "a\0b"s, "a"},                                              // an odd byte at the end
        {"caf\xE9\r\n", kCafeUtf8 + "\r\n"},
        {"no mark", "no mark"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(decodeTextFile(in), out) << in;
}

TEST(TextEncoding, CountsAndCutsCharactersNeverHalfOfOne) {
    const std::string text = "r" + kCafeUtf8 + kEuroUtf8;  // 6 characters, 9 bytes
    EXPECT_EQ(countCharacters(text), 6u);
    EXPECT_EQ(clipToCharacters(text, 5), "r" + kCafeUtf8);
    EXPECT_EQ(clipToCharacters(text, 4), "rcaf");
    EXPECT_EQ(clipToCharacters(text, 99), text);
    EXPECT_EQ(clipToBytes(text, 5), "rcaf");  // é would need bytes 5 and 6
    EXPECT_EQ(clipToBytes(text, 8), "r" + kCafeUtf8);
    EXPECT_EQ(clipToBytes(text, 9), text);
    EXPECT_EQ(wholeCharactersLength(text.substr(0, 8)), 6u);  // € cut after two of its bytes
    EXPECT_EQ(wholeCharactersLength(text.substr(0, 6)), 6u);
    EXPECT_EQ(wholeCharactersLength(text.substr(0, 5)), 4u);
    EXPECT_EQ(splitCharacters(text).size(), 6u);
    EXPECT_EQ(splitCharacters(text).back(), kEuroUtf8);
}

}  // namespace
}  // namespace pw
