#include "core/phraselist.h"

#include <algorithm>

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

bool setAsideByText(Group& group, std::string_view text, int32_t hits, size_t* cursor, bool stamp) {
    PhraseList& list = group.phrases;
    const size_t start = cursor ? std::min(*cursor, list.size()) : 0;
    for (size_t pass = 0; pass < 2; ++pass) {
        const size_t from = pass == 0 ? start : 0;
        const size_t to = pass == 0 ? list.size() : start;
        for (size_t i = from; i < to; ++i) {
            Phrase& p = list[i];
            if (!p.visible() || !sameText(p, text, hits)) continue;
            p.setAside = 1;
            if (cursor) *cursor = i;
            if (stamp) touch(group);
            return true;
        }
        if (!cursor) break;
    }
    return false;
}

Restored restoreByText(Group& group, std::string_view text, int32_t hits, size_t* cursor, bool stamp) {
    PhraseList& list = group.phrases;
    const size_t start = cursor ? std::min(*cursor, list.size()) : 0;
    for (size_t pass = 0; pass < 2; ++pass) {
        const size_t from = pass == 0 ? start : 0;
        const size_t to = pass == 0 ? list.size() : start;
        int visibleSeen = 0;
        for (size_t i = from; i < to; ++i) {
            Phrase& p = list[i];
            if (p.setAside && p.active && sameText(p, text, hits)) {
                p.setAside = 0;
                if (cursor) *cursor = i;
                if (stamp) touch(group);
                return {visibleSeen, i};
            }
            visibleSeen += p.visible();
        }
        if (!cursor) break;
    }
    return {};
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
