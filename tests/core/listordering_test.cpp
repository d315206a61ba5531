#include "core/listordering.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/core/reference.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

using test::groupOf;
using test::textsOf;

PhraseOrder orderOf(SortKey k1, bool r1, SortKey k2, bool r2, SortKey k3, bool r3, std::string freeText = {}) {
    PhraseOrder order;
    order.keys = {k1, k2, k3};
    order.reverse = {r1, r2, r3};
    order.freeText = std::move(freeText);
    return order;
}

std::vector<std::string> sorted(std::vector<std::string> texts, SortKey key, std::string freeText = {}) {
    Group g = groupOf(texts);
    EXPECT_TRUE(sortPhrases(g, orderOf(key, false, key, false, key, false, freeText)));
    return textsOf(g.phrases);
}

TEST(ListOrdering, EachKeyOrdersAndLeavesTiesReversed) {
    EXPECT_EQ(sorted({"hotels", "3 star hotels", "Hotels"}, SortKey::Capitalised),
              (std::vector<std::string>{"Hotels", "3 star hotels", "hotels"}));
    EXPECT_EQ(sorted({"b", "3 star hotels", "a"}, SortKey::StartsWithDigit),
              (std::vector<std::string>{"3 star hotels", "a", "b"}));
    EXPECT_EQ(sorted({"x paris y", "rome", "PARIS"}, SortKey::FreeText, "Paris"),
              (std::vector<std::string>{"PARIS", "x paris y", "rome"}));
    EXPECT_EQ(sorted({"b b b", "a", "c c"}, SortKey::WordCount), (std::vector<std::string>{"a", "c c", "b b b"}));
    EXPECT_EQ(sorted({"b", "_x", "A", "a"}, SortKey::Alphabetical), (std::vector<std::string>{"_x", "a", "A", "b"}));

    // All equal: sorting reverses, and sorting again restores.
    Group same = groupOf({"one", "two", "three"});
    const PhraseOrder byHits = orderOf(SortKey::HitCount, false, SortKey::HitCount, false, SortKey::HitCount, false);
    sortPhrases(same, byHits);
    EXPECT_EQ(textsOf(same.phrases), (std::vector<std::string>{"three", "two", "one"}));
    sortPhrases(same, byHits);
    EXPECT_EQ(textsOf(same.phrases), (std::vector<std::string>{"one", "two", "three"}));
}

TEST(ListOrdering, ReverseAppliesPerKey) {
    Group g = groupOf({"b", "a", "c", "d"});
    const int hits[] = {5, 5, 9, 1};
    for (size_t i = 0; i < 4; ++i) g.phrases[i].hitCount = hits[i];
    sortPhrases(g, orderOf(SortKey::HitCount, true, SortKey::Alphabetical, false, SortKey::Alphabetical, false));
    EXPECT_EQ(textsOf(g.phrases), (std::vector<std::string>{"c", "a", "b", "d"}));
}

TEST(ListOrdering, FreeTextKeyWithoutTextDoesNothing) {
    Group g = groupOf({"b", "a"});
    EXPECT_FALSE(sortPhrases(g, orderOf(SortKey::Alphabetical, false, SortKey::FreeText, false, SortKey::HitCount, false)));
    EXPECT_EQ(textsOf(g.phrases), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(g.modifiedTime, 0u);
}

TEST(ListOrdering, MatchesTheLinkedListMergeSortOnRandomLists) {
    std::mt19937 rng(7);
    const char* words[] = {"Hotel", "hotel", "3 stars", "paris", "PARIS", "a", "_b", "caf\xE9", "long phrase text here"};
    for (int round = 0; round < 40; ++round) {
        Group g("r");
        for (int i = 0; i < 200; ++i) {
            std::string text = words[rng() % std::size(words)];
            if (rng() % 2) text += std::string(" ") + words[rng() % std::size(words)];
            g.phrases.emplace_back(text, static_cast<int32_t>(rng() % 3));
            g.phrases.back().setAside = static_cast<uint8_t>(i % 2);  // tells equal phrases apart
        }
        const PhraseOrder order = orderOf(SortKey(rng() % 6), rng() % 2, SortKey(rng() % 6), rng() % 2,
                                          SortKey(rng() % 6), rng() % 2, "paris");
        Group expected = g;
        reference::sortPhrases(expected, order);
        sortPhrases(g, order);
        for (size_t i = 0; i < g.phrases.size(); ++i) {
            ASSERT_EQ(g.phrases[i].text(), expected.phrases[i].text()) << "round " << round << " row " << i;
            ASSERT_EQ(g.phrases[i].hitCount, expected.phrases[i].hitCount);
            ASSERT_EQ(g.phrases[i].setAside, expected.phrases[i].setAside);
        }
    }
}

TEST(ListOrdering, GroupOrders) {
    Project p;
    Group& ten = appendGroup(p, "beta");
    for (int i = 0; i < 10; ++i) ten.phrases.emplace_back("x");
    for (int i = 0; i < 3; ++i) ten.phrases[i].active = 0;
    Group& nine = appendGroup(p, "Alpha");
    for (int i = 0; i < 9; ++i) nine.phrases.emplace_back("y");
    Group& zero = appendGroup(p, "alpha");
    ten.modifiedTime = 0x0000000200000000ULL;
    nine.modifiedTime = 0x00000001FFFFFFFFULL;
    zero.colorIndex = 5;

    auto names = [&] {
        std::vector<std::string> n;
        for (const auto& g : p.groups) n.push_back(g->name);
        return n;
    };
    sortGroups(p, GroupOrder::PhraseCount);
    EXPECT_EQ(names(), (std::vector<std::string>{"beta", "Alpha", "alpha"}));
    sortGroups(p, GroupOrder::Alphabetical);  // Alpha and alpha tie: their order flips
    EXPECT_EQ(names(), (std::vector<std::string>{"alpha", "Alpha", "beta"}));
    sortGroups(p, GroupOrder::LastModified);
    EXPECT_EQ(names(), (std::vector<std::string>{"beta", "Alpha", "alpha"}));
    sortGroups(p, GroupOrder::Color);
    EXPECT_EQ(names()[0], "alpha");
    EXPECT_TRUE(p.modified);
}

}  // namespace
}  // namespace pw
