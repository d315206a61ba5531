#include "core/phrasefilters.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/core/reference.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

using test::groupOf;
using test::textsOf;

std::vector<std::string> hiddenBy(std::vector<std::string> texts, auto&& filter) {
    Group g = groupOf(texts);
    filter(g);
    std::vector<std::string> hidden;
    for (const Phrase& p : g.phrases)
        if (!p.active) hidden.emplace_back(p.text());
    return hidden;
}

TEST(PhraseFilters, IgnoreWordsMatchSubstringsOrWholeWords) {
    const std::vector<std::string> texts{"age issues", "management", "Age, limits", "stage"};
    auto ignore = [](bool whole) { return [whole](Group& g) { deactivateMatching(g, "age", whole); }; };
    EXPECT_EQ(hiddenBy(texts, ignore(false)), texts);
    EXPECT_EQ(hiddenBy(texts, ignore(true)), (std::vector<std::string>{"age issues", "Age, limits"}));
    // A word with a space can never be one word of a phrase.
    EXPECT_TRUE(hiddenBy({"new zealand"}, [](Group& g) { deactivateMatching(g, "new zealand", true); }).empty());
    EXPECT_TRUE(hiddenBy(texts, [](Group& g) { deactivateMatching(g, "", false); }).empty());
}

TEST(PhraseFilters, WordCountCharactersAndOnlyActivePhrasesCount) {
    const std::vector<std::string> texts{"a b c d", "a b c", "50% off", "rock & roll", "dog-friendly hotels"};
    EXPECT_EQ(hiddenBy(texts, [](Group& g) { deactivateLongerThan(g, 3); }), (std::vector<std::string>{"a b c d"}));
    EXPECT_TRUE(hiddenBy(texts, [](Group& g) { deactivateLongerThan(g, 0); }).empty());
    EXPECT_EQ(hiddenBy(texts, [](Group& g) { deactivateWithCharacters(g, "~!@#$%^&*()_+"); }),
              (std::vector<std::string>{"50% off", "rock & roll"}));

    Group g = groupOf(texts);
    EXPECT_EQ(deactivateWithCharacters(g, "%&"), 2);
    EXPECT_EQ(deactivateMatching(g, "off", false), 0);  // already hidden: not counted again
}

TEST(PhraseFilters, UnwantedCharactersAreWholeCharacters) {
    const std::string euro = "\xE2\x82\xAC";
    const std::vector<std::string> texts{"10" + euro + " off", "caf\xC3\xA9", "\xE2\x84\xA2 brand", "plain"};
    EXPECT_EQ(hiddenBy(texts, [&](Group& g) { deactivateWithCharacters(g, "~" + euro + "\xE2\x84\xA2"); }),
              (std::vector<std::string>{texts[0], texts[2]}));
    // "£" (C2 A3) shares no character with "é" (C3 A9) or "€", whatever bytes they share.
    EXPECT_TRUE(hiddenBy(texts, [](Group& g) { deactivateWithCharacters(g, "\xC2\xA3"); }).empty());
}

TEST(PhraseFilters, DuplicatesKeepTheLowestHitCount) {
    Group g = groupOf({"Shoes", "boots", "shoes", "SHOES"});
    g.phrases[0].hitCount = 10;
    g.phrases[2].hitCount = 5;
    g.phrases[3].hitCount = 7;
    EXPECT_EQ(removeDuplicates(g), 2);
    EXPECT_EQ(textsOf(g.phrases, true), (std::vector<std::string>{"boots", "shoes"}));
    EXPECT_EQ(g.phrases[1].hitCount, 5);
}

TEST(PhraseFilters, NextMatchingWalksActiveAndInactivePhrases) {
    Group g = groupOf({"age issues", "stage", "age group"});
    g.phrases[2].active = 0;
    size_t cursor = 0;
    std::vector<std::string> found;
    while (const Phrase* p = nextMatching(g, "AGE", true, cursor)) found.emplace_back(p->text());
    EXPECT_EQ(found, (std::vector<std::string>{"age issues", "age group"}));
}

// Random lists and ignore words, with case variants, separators, quotes and
// bytes above 127, filtered by the engine and by the one-pass-per-word rules.
class RandomLists : public ::testing::Test {
protected:
    std::mt19937 rng{12345};
    const std::vector<std::string> vocabulary{"cheap", "Flights", "hotel", "hotels", "AGE", "age", "paris",
                                              "new", "york", "caf\xE9", "CAF\xC9", "a", "de", "x-ray", "3"};

    std::string pick() { return vocabulary[rng() % vocabulary.size()]; }
    std::string randomPhrase() {
        static const char* separators[] = {" ", " ", " ", ",", ".", ";", "\t", " '", "\" "};
        std::string text;
        const int words = 1 + static_cast<int>(rng() % 5);
        for (int w = 0; w < words; ++w) {
            if (w) text += separators[rng() % std::size(separators)];
            std::string word = pick();
            if (rng() % 4 == 0) word = word.substr(0, 1 + rng() % word.size());
            text += word;
        }
        return text;
    }
    std::string randomIgnoreWord() {
        std::string word = pick();
        switch (rng() % 5) {
        case 0: return word.substr(rng() % word.size());
        case 1: return word + "," + pick();
        case 2: return "\t" + word;
        default: return word;
        }
    }
    Group randomGroup(int size) {
        Group g("random");
        for (int i = 0; i < size; ++i) {
            g.phrases.emplace_back(randomPhrase(), static_cast<int32_t>(rng() % 4));
            if (rng() % 7 == 0) g.phrases.back().active = 0;
            if (rng() % 9 == 0) g.phrases.back().setAside = 1;
        }
        return g;
    }
};

TEST_F(RandomLists, ManyIgnoreWordsAtOnceHideWhatOnePassPerWordHides) {
    for (int round = 0; round < 60; ++round) {
        const bool whole = round % 2 == 0;
        const Group original = randomGroup(400);
        std::vector<std::string> storage;
        for (int i = 0, n = 1 + static_cast<int>(rng() % 30); i < n; ++i) storage.push_back(randomIgnoreWord());
        storage.emplace_back();
        const std::vector<std::string_view> words(storage.begin(), storage.end());

        Group fast = original;
        Group slow = original;
        const int fastCount = deactivateMatchingAny(fast, words, whole);
        const std::vector<int> perWord = reference::deactivateEachWord(slow, words, whole);
        int slowCount = 0;
        for (int n : perWord) slowCount += n;
        ASSERT_EQ(fastCount, slowCount) << "round " << round;
        for (size_t i = 0; i < fast.phrases.size(); ++i)
            ASSERT_EQ(fast.phrases[i].active, slow.phrases[i].active) << fast.phrases[i].text();
    }
}

TEST_F(RandomLists, DuplicatesMatchTheReferenceInOrderAndCount) {
    for (int round = 0; round < 30; ++round) {
        const Group original = randomGroup(300);
        Group fast = original;
        Group slow = original;
        ASSERT_EQ(removeDuplicates(fast), reference::removeDuplicates(slow));
        for (size_t i = 0; i < fast.phrases.size(); ++i) {
            ASSERT_EQ(fast.phrases[i].text(), slow.phrases[i].text());
            ASSERT_EQ(fast.phrases[i].hitCount, slow.phrases[i].hitCount);
            ASSERT_EQ(fast.phrases[i].active, slow.phrases[i].active);
        }
    }
}

}  // namespace
}  // namespace pw
