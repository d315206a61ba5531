#include "ads/adpreviewlayout.h"

#include <gtest/gtest.h>

#include "core/textencoding.h"

namespace pw {
namespace {

// Ten pixels a character: a width of 106 fits lines of at most 9 characters.
const TextWidth tenEach = [](std::string_view t) { return static_cast<int>(t.size()) * 10; };
const PreviewFonts fonts{tenEach, tenEach, tenEach};

TEST(PreviewLayout, LongLinesEndInDots) {
    EXPECT_EQ(shortenToFit("short", 106, tenEach), "short");
    EXPECT_EQ(shortenToFit("123456789", 106, tenEach), "123456789");
    EXPECT_EQ(shortenToFit("1234567890", 106, tenEach), "1234567...");
    EXPECT_EQ(shortenToFit("x", 5, tenEach), "...");
}

TEST(PreviewLayout, ADescriptionBreaksAtTheLastSpaceOrPunctuation) {
    PreviewTexts t;
    t.oneDescription = true;
    t.line1 = "Big, sale today";  // fits "Big, sale" (9); the break before "today"
    PreviewTexts out = layoutPreview(t, 106, fonts);
    EXPECT_EQ(out.line1, "Big, sale");
    EXPECT_EQ(out.line2, "today");

    t.line1 = "Cheap, ab more";  // the prefix ends two letters after ", ": breaks at that space
    out = layoutPreview(t, 96, fonts);  // fits 8 characters: "Cheap, a"
    EXPECT_EQ(out.line1, "Cheap,");
    EXPECT_EQ(out.line2, "ab more");

    t.line1 = "Abcdefghijklmn";  // nowhere to break: dots, and line 2 goes on from them
    out = layoutPreview(t, 106, fonts);
    EXPECT_EQ(out.line1, "Abcdefg...");
    EXPECT_EQ(out.line2, "hijklmn");

    t.line1 = "One\r\nTwo\r\nThree";
    out = layoutPreview(t, 106, fonts);
    EXPECT_EQ(out.line1, "One");
    EXPECT_EQ(out.line2, "Two");
}

// Widths count characters, as a font does: "é" is one of them.
TEST(PreviewLayout, AccentedLettersAreNeverCutInHalf) {
    const TextWidth perCharacter = [](std::string_view t) { return static_cast<int>(countCharacters(t)) * 10; };
    const PreviewFonts byCharacter{perCharacter, perCharacter, perCharacter};
    const std::string e = "\xC3\xA9";
    EXPECT_EQ(shortenToFit("caf" + e + "s " + e + e + e + e, 106, perCharacter), "caf" + e + "s " + e + "...");
    EXPECT_EQ(shortenToFit(e + e + e + e + e + e + e + e + e, 106, perCharacter), e + e + e + e + e + e + e + e + e);
    EXPECT_EQ(shortenToFit(e + e + e + e + e + e + e + e + e + e, 106, perCharacter), e + e + e + e + e + e + e + "...");

    PreviewTexts t;
    t.oneDescription = true;
    t.line1 = e + e + e + e + e + e + e + e + e + e + e + "x";  // nowhere to break
    PreviewTexts out = layoutPreview(t, 106, byCharacter);
    EXPECT_EQ(out.line1, e + e + e + e + e + e + e + "...");
    EXPECT_EQ(out.line2, e + e + e + e + "x");

    t.line1 = "Caf" + e + "\r\nOpen " + e + "t" + e;  // a stored line break is CR LF
    out = layoutPreview(t, 106, byCharacter);
    EXPECT_EQ(out.line1, "Caf" + e);
    EXPECT_EQ(out.line2, "Open " + e + "t" + e);
}

TEST(PreviewLayout, TwoLineAdsAreOnlyShortened) {
    PreviewTexts t{"A long title here", "Line one", "A second line that is long", "www.example.com", false};
    const PreviewTexts out = layoutPreview(t, 106, fonts);
    EXPECT_EQ(out.title, "A long ...");
    EXPECT_EQ(out.line1, "Line one");
    EXPECT_EQ(out.line2, "A secon...");
    EXPECT_EQ(out.displayUrl, "www.exa...");
}

}  // namespace
}  // namespace pw
