#pragma once
// Orders of a phrase list (three keys, each with its own reverse flag) and of
// the group sequence. Elements that compare equal end in the reverse of their
// previous order, so sorting twice with the same settings restores it.

#include <array>
#include <string>
#include <string_view>

#include "core/project.h"

namespace pw {

enum class SortKey : int {
    Alphabetical = 0,
    HitCount = 1,
    WordCount = 2,
    FreeText = 3,
    Capitalised = 4,
    StartsWithDigit = 5,
};
constexpr int kSortKeyCount = 6;
constexpr std::string_view kSortKeyNames[kSortKeyCount] = {
    "Alphabetically", "By hit count", "By word count", "By free text", "By capitalised",
    "By words starting with digits"};
constexpr size_t kFreeTextLimit = 126;

struct PhraseOrder {
    std::array<SortKey, 3> keys{SortKey::Alphabetical, SortKey::HitCount, SortKey::WordCount};
    std::array<bool, 3> reverse{false, false, false};
    std::string freeText;  // only the first 126 characters count

    bool usesFreeText() const;
};

// One key's comparison: negative when a goes first.
int comparePhrases(SortKey key, const Phrase& a, const Phrase& b, std::string_view freeText);

// Sorts the list in place; does nothing and returns false when a key is
// "By free text" and there is no free text.
bool sortPhrases(Group& group, const PhraseOrder& order);

enum class GroupOrder : int { Alphabetical = 0, PhraseCount = 1, LastModified = 2, Color = 3 };

void sortGroups(Project& project, GroupOrder order);

}  // namespace pw
