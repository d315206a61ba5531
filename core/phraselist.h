#pragma once
// Operations over a group's phrase list. Rows of the list view are the visible
// phrases (active and not set aside) in list order.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/group.h"

namespace pw {

constexpr int32_t kAnyHits = -1;

void appendPhrase(Group& group, Phrase phrase);

// Phrases with (active or includeInactive) and (not set aside or includeSetAside).
int countPhrases(const PhraseList& list, bool includeInactive, bool includeSetAside);
inline int visibleCount(const PhraseList& list) { return countPhrases(list, false, false); }

// Active phrases among the first `position` phrases (set-aside ones count too).
int activeBefore(const PhraseList& list, int position);
// How many phrases are passed until n active ones have been counted.
int positionOfActive(const PhraseList& list, int n);

// Sets aside the n-th visible phrase (zero-based); nothing when there is none.
void setAsideVisible(Group& group, int n);

// Sets aside the first visible phrase with this text and hit count (kAnyHits:
// any), searching from *cursor to the end and then once from the start. The
// cursor is left so that a run of equal phrases is taken in order.
bool setAsideByText(Group& group, std::string_view text, int32_t hits, size_t* cursor = nullptr, bool stamp = true);

struct Restored {
    int row = -1;         // visible phrases between the start of the scan and it
    size_t position = 0;  // index in the list
};
// Brings back the first set-aside, active phrase with this text and hit count.
// Row -1 when none matches.
Restored restoreByText(Group& group, std::string_view text, int32_t hits, size_t* cursor = nullptr, bool stamp = true);

// Deletes every set-aside phrase; returns how many.
int deleteSetAside(Group& group);
// Makes every inactive phrase active; returns how many changed.
int reactivateAll(Group& group);

int maxVisibleHits(const PhraseList& list);

// Type-ahead: the visible row whose text starts with the search text, else the
// row with the longest common prefix (first wins); -1 when nothing shares one.
int bestPrefixMatch(const PhraseList& list, std::string_view search);

}  // namespace pw
