#include "core/keywordforms.h"

#include <gtest/gtest.h>

#include "tests/testsupport.h"

namespace pw {
namespace {

TEST(KeywordForms, RowsFollowPhrasesFormsAndNotation) {
    Group g = test::groupOf({"red shoes", "hidden", "boots"});
    g.phrases[1].setAside = 1;
    EXPECT_EQ(keywordRows(g, {true, true, true}, KeywordNotation::Symbols),
              (std::vector<std::string>{"red shoes", "\"red shoes\"", "[red shoes]", "boots", "\"boots\"", "[boots]"}));
    EXPECT_EQ(keywordRows(g, {true, false, true}, KeywordNotation::Types),
              (std::vector<std::string>{"red shoes broad", "red shoes exact", "boots broad", "boots exact"}));
    EXPECT_TRUE(keywordRows(g, {}, KeywordNotation::Symbols).empty());
}

}  // namespace
}  // namespace pw
