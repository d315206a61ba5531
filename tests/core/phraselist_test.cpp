#include "core/phraselist.h"

#include <gtest/gtest.h>

#include "core/project.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

using test::groupOf;
using test::textsOf;

// Rows: a b c d e; c is inactive and d set aside, so the view shows a b e.
Group mixedGroup() {
    Group g = groupOf({"a", "b", "c", "d", "e"});
    g.phrases[2].active = 0;
    g.phrases[3].setAside = 1;
    return g;
}

TEST(PhraseList, CountsByActiveAndSetAside) {
    const Group g = mixedGroup();
    EXPECT_EQ(countPhrases(g.phrases, false, false), 3);
    EXPECT_EQ(countPhrases(g.phrases, true, false), 4);
    EXPECT_EQ(countPhrases(g.phrases, false, true), 4);
    EXPECT_EQ(countPhrases(g.phrases, true, true), 5);
    EXPECT_EQ(activeBefore(g.phrases, 3), 2);
    EXPECT_EQ(activeBefore(g.phrases, 99), 4);
    EXPECT_EQ(positionOfActive(g.phrases, 3), 4);
    EXPECT_EQ(positionOfActive(g.phrases, 0), 0);
}

TEST(PhraseList, SetAsideVisibleCountsOnlyVisibleRows) {
    Group g = mixedGroup();
    setAsideVisible(g, 2);  // the third visible row is e
    EXPECT_EQ(textsOf(g.phrases, true), (std::vector<std::string>{"a", "b"}));
    setAsideVisible(g, 5);  // past the end: nothing
    EXPECT_EQ(visibleCount(g.phrases), 2);
    EXPECT_GT(g.modifiedTime, 0u);
}

TEST(PhraseList, EqualPhrasesAreSetAsideAndRestoredInOrder) {
    Group g = groupOf({"x", "dup", "y", "dup", "dup"});
    g.phrases[1].hitCount = 5;
    g.phrases[3].hitCount = 5;
    g.phrases[4].hitCount = 9;

    size_t cursor = 0;
    EXPECT_TRUE(setAsideByText(g, "dup", 5, &cursor));
    EXPECT_EQ(cursor, 1u);
    EXPECT_TRUE(setAsideByText(g, "dup", 5, &cursor));
    EXPECT_EQ(cursor, 3u);
    EXPECT_FALSE(setAsideByText(g, "dup", 5, &cursor));  // wrapped round once, none left
    EXPECT_TRUE(setAsideByText(g, "dup", kAnyHits));
    EXPECT_EQ(textsOf(g.phrases, true), (std::vector<std::string>{"x", "y"}));

    // Brought back, each reports the row it takes in the view.
    const Restored first = restoreByText(g, "dup", kAnyHits);
    EXPECT_EQ(first.row, 1);
    EXPECT_EQ(first.position, 1u);
    const Restored second = restoreByText(g, "dup", 9);
    EXPECT_EQ(second.row, 3);
    EXPECT_EQ(second.position, 4u);
    EXPECT_EQ(restoreByText(g, "nothing", kAnyHits).row, -1);
}

TEST(PhraseList, RestoreIgnoresInactiveAndFindsNothingWithoutSetAside) {
    Group g = groupOf({"a", "a"});
    EXPECT_EQ(restoreByText(g, "a", kAnyHits).row, -1);
    g.phrases[0].setAside = 1;
    g.phrases[0].active = 0;
    EXPECT_EQ(restoreByText(g, "a", kAnyHits).row, -1);
}

TEST(PhraseList, DeleteSetAsideAndReactivateAll) {
    Group g = mixedGroup();
    EXPECT_EQ(reactivateAll(g), 1);
    EXPECT_EQ(reactivateAll(g), 0);
    EXPECT_EQ(deleteSetAside(g), 1);
    EXPECT_EQ(textsOf(g.phrases), (std::vector<std::string>{"a", "b", "c", "e"}));
}

TEST(PhraseList, MaxVisibleHitsSkipsHiddenPhrases) {
    Group g = mixedGroup();
    g.phrases[2].hitCount = 100;
    g.phrases[3].hitCount = 90;
    g.phrases[4].hitCount = 7;
    EXPECT_EQ(maxVisibleHits(g.phrases), 7);
    EXPECT_EQ(maxVisibleHits(PhraseList{}), 0);
}

TEST(PhraseList, BestPrefixMatchPrefersAFullMatchThenTheLongestPrefix) {
    Group g = groupOf({"cheap hotels", "Cheap flights", "hidden", "car hire", "cheap flights to paris"});
    g.phrases[2].active = 0;
    const std::pair<const char*, int> cases[] = {
        {"CHEAP F", 1}, {"cheap flights to", 3}, {"cheap x", 0}, {"ca", 2}, {"zzz", -1}, {"", -1}, {"hid", -1}};
    for (const auto& [search, row] : cases) EXPECT_EQ(bestPrefixMatch(g.phrases, search), row) << search;
}

TEST(Project, GroupsAreFoundInsertedAndColouredByName) {
    Project project;
    appendGroup(project, "apple");
    appendGroup(project, "Cars");
    int position = -1;
    ASSERT_TRUE(insertGroupSorted(project, "Boots", &position));
    EXPECT_EQ(position, 0);  // "apple" is greater than "Boots" in byte order
    EXPECT_EQ(insertGroupSorted(project, "apple", &position), nullptr);
    EXPECT_EQ(groupIndex(project, "Cars"), 2);
    EXPECT_EQ(groupIndex(project, "cars"), -1);

    project.groups[1]->colorIndex = 2;
    EXPECT_EQ(groupColorAt(project, 2), (Rgb{108, 188, 71}));
    EXPECT_EQ(groupColorAt(project, 0), kWhite);
    EXPECT_EQ(groupColorAt(project, 4), kWhite);
    EXPECT_EQ(groupAt(project, -1), nullptr);
    EXPECT_EQ(groupAt(project, 3), nullptr);

    EXPECT_TRUE(deleteGroup(project, findGroup(project, "Boots")));
    EXPECT_FALSE(deleteGroup(project, &project.mainList));
    EXPECT_EQ(project.groups.size(), 2u);
}

TEST(Project, NewGroupsAndResetProjectsStartClean) {
    const Group fresh("g");
    EXPECT_TRUE(fresh.wholeWordsOnly);
    EXPECT_EQ(fresh.maxWords, 0);
    EXPECT_FALSE(fresh.deleteDuplicates || fresh.deleteUnwantedCharacters || fresh.deleteCountries);
    EXPECT_FALSE(fresh.ignoreText);
    EXPECT_EQ(fresh.modifiedTime, 0u);
    EXPECT_EQ(fresh.colorIndex, 0);

    Project project;
    project.unwantedCharacters = "x";
    project.mainList.wholeWordsOnly = false;
    project.mainList.phrases.emplace_back("a");
    appendGroup(project, "g");
    project.path = "/tmp/p.pwj";
    resetProject(project);
    EXPECT_EQ(project.unwantedCharacters, "~!@#$%^&*()_+");
    EXPECT_TRUE(project.mainList.wholeWordsOnly);
    EXPECT_TRUE(project.mainList.phrases.empty());
    EXPECT_TRUE(project.groups.empty());
    EXPECT_TRUE(project.path.empty());
    EXPECT_EQ(project.mainList.name, "main list");
}

}  // namespace
}  // namespace pw
