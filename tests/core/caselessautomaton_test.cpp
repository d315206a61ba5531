#include "core/caselessautomaton.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/text.h"

namespace pw {
namespace {

bool anyWordIn(const std::vector<std::string_view>& words, std::string_view text) {
    for (std::string_view w : words)
        if (!w.empty() && containsIgnoreCase(text, w)) return true;
    return false;
}

TEST(CaselessAutomaton, FindsOverlappingWordsIgnoringAsciiCase) {
    const std::vector<std::string_view> words{"he", "she", "hers", "his", "caf\xC3\xA9", ""};
    const auto a = CaselessAutomaton::build(words);
    ASSERT_TRUE(a);
    const std::pair<const char*, bool> cases[] = {
        {"usher", true}, {"USHERS", true}, {"hi s", false}, {"tHiS", true}, {"h", false}, {"", false},
        {"CAF\xC3\xA9", true}, {"caf\xC3\x89", false},  // É is not folded
        {"ah", false},   {"sh e", false},
    };
    for (const auto& [text, found] : cases) EXPECT_EQ(a->containsAny(text), found) << text;
    EXPECT_FALSE(CaselessAutomaton::build(words, 10));  // the table would not fit
}

TEST(CaselessAutomaton, AgreesWithOneSearchPerWord) {
    std::mt19937 rng(7);
    auto randomText = [&](size_t length) {
        std::string s;
        for (size_t i = 0; i < length; ++i) s.push_back("abAB c\xC3\xA9,"[rng() % 9]);
        return s;
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> storage;
        for (int i = 0, n = 1 + static_cast<int>(rng() % 8); i < n; ++i) storage.push_back(randomText(1 + rng() % 4));
        const std::vector<std::string_view> words(storage.begin(), storage.end());
        const auto a = CaselessAutomaton::build(words);
        ASSERT_TRUE(a);
        for (int t = 0; t < 20; ++t) {
            const std::string text = randomText(rng() % 12);
            ASSERT_EQ(a->containsAny(text), anyWordIn(words, text)) << text;
        }
    }
}

}  // namespace
}  // namespace pw
