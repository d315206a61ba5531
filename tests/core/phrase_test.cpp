#include "core/phrase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/delimitedline.h"

namespace pw {
namespace {

std::vector<std::string> wordsOf(const Phrase& p) {
    std::vector<std::string> words;
    for (int i = 0; i < p.wordCount(); ++i) words.emplace_back(p.word(i));
    return words;
}

TEST(Phrase, TextIsTrimmedThenUnquotedThenSplitIntoWords) {
    struct Case {
        std::string raw, text;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"  red shoes\r\n", "red shoes", {"red", "shoes"}},
        {"'red shoes'", "red shoes", {"red", "shoes"}},
        {"\" red shoes \"", " red shoes ", {"red", "shoes"}},  // trimming comes before quote stripping
        {"a,b;c.d e", "a,b;c.d e", {"a", "b", "c", "d", "e"}},
        {"\"' \"", "", {}},  // only quotes and spaces: no text, not a space
        {"' \t '", "", {}},
        {"x \t y", "x \t y", {"x", "y"}},
        {"new york,, hotels", "new york,, hotels", {"new", "york", "hotels"}},
        {std::string("ab\0cd", 5), "ab", {"ab"}},
    };
    for (const Case& c : cases) {
        const Phrase p(c.raw);
        EXPECT_EQ(p.text(), c.text) << c.raw;
        EXPECT_EQ(wordsOf(p), c.words) << c.raw;
    }
}

TEST(Phrase, KeepsAtMost1024WordsAndCopiesDeeply) {
    std::string many;
    for (int i = 0; i < 1500; ++i) many += "w ";
    const Phrase p(many, 7);
    EXPECT_EQ(p.wordCount(), kMaxWordsPerPhrase);
    const Phrase spaced("\" red shoes \"");
    const Phrase spacedCopy = spaced;
    EXPECT_EQ(spacedCopy.text(), " red shoes ");
    EXPECT_EQ(spacedCopy.word(1), "shoes");
    Phrase copy = p;
    copy.setText("other");
    EXPECT_EQ(p.wordCount(), kMaxWordsPerPhrase);
    EXPECT_EQ(copy.hitCount, 7);
    EXPECT_EQ(copy.wordCount(), 1);
}

TEST(DelimitedLine, TakesTheConfiguredColumns) {
    struct Case {
        std::string line;
        ImportColumns columns;
        std::string text;
        int32_t hits;
        int words;
    };
    const Case cases[] = {
        {"\"cheap flights\",120", {2, 0, 1}, "cheap flights", 120, 2},
        {"\"new york, hotels\",\"1,200\"", {2, 0, 1}, "new york, hotels", 1, 3},
        {"a,,b", {2, 0, 1}, "a", 0, 1},
        {"phrase,count", {2, 0, 1}, "phrase", 0, 1},
        {"one;two;three", {1, 0, -1}, "one", 0, 1},
        {"x;y;'42';z", {4, 3, 2}, "z", 42, 1},
        {"12.5,hotels", {2, 1, 0}, "hotels", 12, 1},
        {"last,", {2, 0, 1}, "last", 0, 1},
    };
    for (const Case& c : cases) {
        const auto p = phraseFromLine(c.line, c.columns);
        ASSERT_TRUE(p) << c.line;
        EXPECT_EQ(p->text(), c.text) << c.line;
        EXPECT_EQ(p->hitCount, c.hits) << c.line;
        EXPECT_EQ(p->wordCount(), c.words) << c.line;
        EXPECT_TRUE(p->active);
        EXPECT_FALSE(p->setAside);
    }
}

TEST(DelimitedLine, RefusesUnusableColumnsAndEmptyTexts) {
    EXPECT_FALSE(phraseFromLine("a,b", {0, 0, -1}));
    EXPECT_FALSE(phraseFromLine("a,b", {2, 2, -1}));
    EXPECT_FALSE(phraseFromLine("a,b", {2, 1, 1}));
    Group g;
    const ImportColumns one{1, 0, -1};
    EXPECT_FALSE(appendLine(g, "  \"''\"  ", one));
    EXPECT_FALSE(appendLine(g, "\" \"", one));  // quotes around a space add nothing
    EXPECT_FALSE(appendLine(g, "\n", one));
    EXPECT_TRUE(appendLine(g, "shoes\n", one));
    ASSERT_EQ(g.phrases.size(), 1u);
    EXPECT_EQ(g.phrases[0].text(), "shoes");
}

}  // namespace
}  // namespace pw
