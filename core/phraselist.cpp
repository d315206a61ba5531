#include "core/phraselist.h"

#include <algorithm>
#include <optional>

#include "core/text.h"

namespace pw {

namespace {
bool sameText(const Phrase& phrase, std::string_view text, int32_t hits) {
    return phrase.text() == text && (hits == kAnyHits || phrase.hitCount == hits);
}
}  // namespace

void appendPhrase(Group& group, Phrase phrase) {
    group.phrases.push_back(std::move(phrase));
    touch(group);
}

int countPhrases(const PhraseList& list, bool includeInactive, bool includeSetAside) {
    if (includeInactive && includeSetAside) return static_cast<int>(list.size());
    int count = 0;
    for (const Phrase& p : list)
        if ((p.active || includeInactive) && (!p.setAside || includeSetAside)) ++count;
    return count;
}

int activeBefore(const PhraseList& list, int position) {
    const size_t end = std::min(list.size(), static_cast<size_t>(std::max(position, 0)));
    int count = 0;
    for (size_t i = 0; i < end; ++i) count += list[i].active;
    return count;
}

int positionOfActive(const PhraseList& list, int n) {
    int active = 0;
    int passed = 0;
    for (const Phrase& p : list) {
        if (active >= n) break;
        active += p.active;
        ++passed;
    }
    return passed;
}

void setAsideVisible(Group& group, int n) {
    if (n < 0 || static_cast<size_t>(n) >= group.phrases.size()) return;
    int row = 0;
    for (Phrase& p : group.phrases) {
        if (!p.visible()) continue;
        if (row++ == n) {
            p.setAside = 1;
            touch(group);
            return;
        }
    }
}

namespace {
struct Found {
    size_t position;
    int visibleBefore;  // visible phrases between the start of the scan and it
};

// Scans from the cursor to the end and then, once, from the start up to the
// cursor; without a cursor, the whole list from the start.
template <typename Match>
std::optional<Found> findFromCursor(const PhraseList& list, const size_t* cursor, Match matches) {
    const size_t start = cursor ? std::min(*cursor, list.size()) : 0;
    for (int pass = 0; pass < (cursor ? 2 : 1); ++pass) {
        const size_t from = pass == 0 ? start : 0;
        const size_t to = pass == 0 ? list.size() : start;
        int visibleSeen = 0;
        for (size_t i = from; i < to; ++i) {
            if (matches(list[i])) return Found{i, visibleSeen};
            visibleSeen += list[i].visible();
        }
    }
    return std::nullopt;
}

// Marks the found phrase and leaves the cursor on it, so that the next scan
// for an equal phrase takes the one after it.
void settle(Group& group, const Found& found, size_t* cursor, bool stamp) {
    if (cursor) *cursor = found.position;
    if (stamp) touch(group);
}
}  // namespace

bool setAsideByText(Group& group, std::string_view text, int32_t hits, size_t* cursor, bool stamp) {
    const auto found = findFromCursor(group.phrases, cursor,
                                      [&](const Phrase& p) { return p.visible() && sameText(p, text, hits); });
    if (!found) return false;
    group.phrases[found->position].setAside = 1;
    settle(group, *found, cursor, stamp);
    return true;
}

Restored restoreByText(Group& group, std::string_view text, int32_t hits, size_t* cursor, bool stamp) {
    const auto found = findFromCursor(group.phrases, cursor, [&](const Phrase& p) {
        return p.setAside && p.active && sameText(p, text, hits);
    });
    if (!found) return {};
    group.phrases[found->position].setAside = 0;
    settle(group, *found, cursor, stamp);
    return {found->visibleBefore, found->position};
}

int deleteSetAside(Group& group) {
    const auto removed = std::erase_if(group.phrases, [](const Phrase& p) { return p.setAside != 0; });
    if (removed > 0) touch(group);
    return static_cast<int>(removed);
}

int reactivateAll(Group& group) {
    int changed = 0;
    for (Phrase& p : group.phrases) {
        changed += !p.active;
        p.active = 1;
    }
    touch(group);
    return changed;
}

int maxVisibleHits(const PhraseList& list) {
    int32_t best = 0;
    for (const Phrase& p : list)
        if (p.visible()) best = std::max(best, p.hitCount);
    return best;
}

int bestPrefixMatch(const PhraseList& list, std::string_view search) {
    if (search.empty()) return -1;
    int row = 0;
    int bestRow = -1;
    size_t bestLength = 0;
    for (const Phrase& p : list) {
        if (!p.visible()) continue;
        const std::string_view text = p.text();
        const size_t limit = std::min(text.size(), search.size());
        size_t common = 0;
        while (common < limit && foldAscii(static_cast<unsigned char>(text[common])) ==
                                     foldAscii(static_cast<unsigned char>(search[common])))
            ++common;
        if (common == search.size()) return row;
        if (common > bestLength) {
            bestLength = common;
            bestRow = row;
        }
        ++row;
    }
    return bestRow;
}

}  // namespace pw
