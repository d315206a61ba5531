#pragma once
// Moving many phrases at once between a list's view, its side lists and
// other groups, in one pass over the list however many rows are selected.

#include <cstdint>
#include <string>
#include <vector>

#include "core/group.h"

namespace pw {

constexpr uint32_t kNotFound = UINT32_MAX;

// The list positions of the visible phrases, in order: the rows of the view.
std::vector<uint32_t> visiblePositions(const PhraseList& list);
// The positions of the active, set-aside phrases: the rows of the 'Delete' box.
std::vector<uint32_t> setAsidePositions(const PhraseList& list);

// Sets aside the phrases at these positions; returns how many changed.
int setAsideAt(Group& group, const std::vector<uint32_t>& positions);
// Brings back the phrases at these positions; returns how many changed.
int restoreAt(Group& group, const std::vector<uint32_t>& positions);

// For each text in order, the first set-aside, active phrase with that text
// not yet taken; brings it back. kNotFound where none is left.
std::vector<uint32_t> restoreByTexts(Group& group, const std::vector<std::string>& texts);

// The selected rows that exist, ascending, once each.
std::vector<int> validRows(std::vector<int> rows, size_t count);

// Takes the items at these positions out, in the order given; positions out
// of range (kNotFound among them) and repeats are passed over. The rest keep
// their order.
template <typename T, typename Index>
std::vector<T> takePositions(std::vector<T>& items, const std::vector<Index>& positions) {
    std::vector<char> taken(items.size(), 0);
    std::vector<T> out;
    out.reserve(positions.size());
    for (Index i : positions) {
        if (i < 0 || static_cast<size_t>(i) >= items.size() || taken[static_cast<size_t>(i)]) continue;
        taken[static_cast<size_t>(i)] = 1;
        out.push_back(std::move(items[static_cast<size_t>(i)]));
    }
    size_t kept = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (taken[i]) continue;
        if (kept != i) items[kept] = std::move(items[i]);  // an item moved onto itself may be emptied
        ++kept;
    }
    items.resize(kept);
    return out;
}

// Unlinks the phrases at these positions (kNotFound skipped) and returns them
// in the order given; the rest of the list keeps its order.
std::vector<Phrase> takeAt(Group& group, const std::vector<uint32_t>& positions);

// Moves every phrase of `from`, in order, to the end of `to`.
void moveAllPhrases(Group& from, Group& to);

}  // namespace pw
