#pragma once
// The phase-1 filters. A filter never deletes: it clears `active`, and the
// next update starts by making everything active again.

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/group.h"
#include "core/progress.h"

namespace pw {

// Whole words: one of the phrase's words equals the word, ignoring ASCII case.
// Otherwise: the word occurs anywhere in the text, ignoring ASCII case.
bool matchesWord(const Phrase& phrase, std::string_view word, bool wholeWords);
// `characters` is UTF-8: "€" is one character, matched whole.
bool containsAnyCharacter(const Phrase& phrase, std::string_view characters);

// Each returns how many phrases it switched from active to inactive.
int deactivateMatching(Group& group, std::string_view word, bool wholeWords);
int deactivateWithCharacters(Group& group, std::string_view characters);
int deactivateLongerThan(Group& group, int maxWords);
// Sorts by text, hit count, text, then keeps the first active phrase of each
// run of texts equal ignoring case: the one with the lowest hit count.
int removeDuplicates(Group& group);

// The same phrases and count as deactivateMatching once per word, in one pass.
// Reports progress from 0 to 80 on the way through the list.
int deactivateMatchingAny(Group& group, const std::vector<std::string_view>& words, bool wholeWords,
                          const ProgressFn& progress = {});

// From *cursor on, the next phrase (active or not) the word matches; the
// cursor moves past it. None at the end. Lists what an ignore word removes.
const Phrase* nextMatching(const Group& group, std::string_view word, bool wholeWords, size_t& cursor);

}  // namespace pw
