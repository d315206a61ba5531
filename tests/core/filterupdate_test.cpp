#include "core/filterupdate.h"

#include <gtest/gtest.h>

#include "core/phraselist.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

using test::textsOf;

class Update : public ::testing::Test {
protected:
    Project project;
    Group& list = project.mainList;

    void fill(const std::vector<std::pair<std::string, int>>& phrases) {
        for (const auto& [text, hits] : phrases) list.phrases.emplace_back(text, hits);
        project.editedCount = static_cast<int>(phrases.size());
    }
    UpdateResult run(const FilterSettings& filters, std::optional<int> selectedRow = {}) {
        UpdateRequest request;
        request.filters = filters;
        request.selectedRow = selectedRow;
        return updateFilters(project, list, request);
    }
    std::vector<std::string> visible() const { return textsOf(list.phrases, true); }
};

TEST_F(Update, AppliesEveryFilterInOrderAndCountsEachPhraseOnce) {
    fill({{"age issues", 1}, {"management", 2}, {"a b c d", 3}, {"50% off age", 4}, {"Shoes", 10}, {"shoes", 5},
          {"hotels france", 6}, {"hotels new zealand", 7}});
    project.unwantedCountries = "new zealand\nfrance\n";
    FilterSettings f;
    f.ignoreOn = true;
    f.ignoreText = "age\r\nAge\r\nAGE\r\n";
    f.maxWordsOn = true;
    f.maxWordsText = "3";
    f.unwantedCharacters = true;
    f.duplicates = true;
    f.countries = true;
    const UpdateResult r = run(f);
    // age: 2 (the 50% phrase goes here first), over 3 words: 1, characters: 0
    // more, duplicates: 1, countries: 1.
    EXPECT_EQ(r.changed, 5);
    EXPECT_TRUE(r.refill);
    EXPECT_EQ(r.ignoreBoxText, "age\r\n");
    EXPECT_EQ(visible(), (std::vector<std::string>{"hotels new zealand", "management", "shoes"}));
    EXPECT_EQ(r.visibleBefore, 8);
    EXPECT_EQ(r.visibleAfter, 3);
    EXPECT_EQ(project.editedCount, 3);

    // The list remembers how it was filtered.
    EXPECT_EQ(list.ignoreText, "age\r\nAge\r\nAGE\r\n");
    EXPECT_EQ(list.maxWords, 3);
    EXPECT_TRUE(list.deleteDuplicates && list.deleteUnwantedCharacters && list.deleteCountries);
    const FilterSettings restored = storedFilterSettings(list);
    EXPECT_TRUE(restored.ignoreOn && restored.maxWordsOn);
    EXPECT_EQ(restored.maxWordsText, "3");

    // Every press with a filter that hides something counts and refills again.
    EXPECT_EQ(run(f).changed, 10);
    EXPECT_EQ(project.editedCount, 3);

    // Everything off brings back every phrase that is not set aside.
    list.phrases[0].setAside = 1;
    const UpdateResult off = run(FilterSettings{});
    EXPECT_EQ(off.changed, 5);
    EXPECT_EQ(visibleCount(list.phrases), 7);
    EXPECT_FALSE(list.ignoreText);
    EXPECT_EQ(list.maxWords, 0);
}

TEST_F(Update, NothingToDoMeansNoRefillUnlessAFillWasCancelled) {
    fill({{"a", 1}, {"b", 2}});
    EXPECT_FALSE(run(FilterSettings{}).refill);
    EXPECT_EQ(project.editedCount, 2);
    UpdateRequest reload;
    reload.needsReload = true;
    EXPECT_TRUE(updateFilters(project, list, reload).refill);
}

TEST_F(Update, WholeWordsOptionIsStoredAndUsed) {
    fill({{"age issues", 1}, {"management", 2}});
    FilterSettings f;
    f.ignoreOn = true;
    f.ignoreText = "age";
    f.wholeWordsOnly = false;
    EXPECT_EQ(run(f).changed, 2);
    EXPECT_FALSE(list.wholeWordsOnly);
    f.wholeWordsOnly = true;
    EXPECT_EQ(run(f).changed, 3);  // 2 back, 1 hidden
    EXPECT_EQ(visible(), (std::vector<std::string>{"management"}));
}

TEST_F(Update, MoreThan10000IgnoreWordsAreCutWithAWarning) {
    fill({{"w10000", 1}, {"w9999", 1}});
    std::string box;
    for (int i = 0; i <= 10000; ++i) box.append("w").append(std::to_string(i)).append("\r\n");
    FilterSettings f;
    f.ignoreOn = true;
    f.ignoreText = box;
    const UpdateResult r = run(f);
    EXPECT_TRUE(r.tooManyIgnoreWords);
    EXPECT_EQ(visible(), (std::vector<std::string>{"w10000"}));
    EXPECT_EQ(r.ignoreBoxText.size(), box.size() - std::string("w10000\r\n").size());
}

TEST_F(Update, TheSelectedRowIsFoundAgainAfterwards) {
    fill({{"a", 1}, {"drop", 1}, {"b", 1}, {"c", 1}});
    FilterSettings f;
    f.ignoreOn = true;
    f.ignoreText = "drop";
    EXPECT_EQ(run(f, 3).rowToSelect, 2);  // "c" moves up one row
    EXPECT_FALSE(run(f, 0).rowToSelect);   // row 0 is never re-selected
}

TEST(IgnoreWords, AreCutAtLineEndsSpacesAndTabsAndKeptOnce) {
    // A pasted list may hold tabs; a word holding one could never match.
    const IgnoreWords w = parseIgnoreWords("age\r\n\r\nAge free  AGE\nfree\tdom\t\tcheap");
    EXPECT_EQ(w.words, (std::vector<std::string_view>{"age", "free", "dom", "cheap"}));
    EXPECT_FALSE(w.truncated);
    EXPECT_EQ(parseNumberBox("12"), 12);
    EXPECT_EQ(parseNumberBox("x"), 0);
    EXPECT_EQ(parseNumberBox(""), 0);
}

}  // namespace
}  // namespace pw
