#include "core/foldedwordset.h"

#include <gtest/gtest.h>

#include <string>

namespace pw {
namespace {

TEST(FoldedWordSet, LooksWordsUpIgnoringAsciiCaseOnly) {
    const FoldedWordSet set({"Paris", "paris", "caf\xC3\xA9", "", "a", "ab"});
    const std::pair<const char*, bool> cases[] = {
        {"PARIS", true}, {"paris", true}, {"pari", false}, {"parisx", false}, {"CAF\xC3\xA9", true},
        {"caf\xC3\x89", false},  // É is not folded
        {"A", true},     {"aB", true},    {"b", false},    {"", false},
    };
    for (const auto& [word, found] : cases) EXPECT_EQ(set.contains(word), found) << word;
    EXPECT_FALSE(set.empty());
    EXPECT_TRUE(FoldedWordSet({""}).empty());
}

TEST(FoldedWordSet, HoldsManyWords) {
    std::vector<std::string> storage;
    for (int i = 0; i < 5000; ++i) storage.push_back("Word" + std::to_string(i));
    const std::vector<std::string_view> words(storage.begin(), storage.end());
    const FoldedWordSet set(words);
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(set.contains("WORD" + std::to_string(i))) << i;
    for (int i = 5000; i < 6000; ++i) ASSERT_FALSE(set.contains("word" + std::to_string(i))) << i;
}

}  // namespace
}  // namespace pw
