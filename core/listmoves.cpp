#include "core/listmoves.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace pw {

std::vector<uint32_t> visiblePositions(const PhraseList& list) {
    std::vector<uint32_t> rows;
    for (uint32_t i = 0; i < list.size(); ++i)
        if (list[i].visible()) rows.push_back(i);
    return rows;
}

std::vector<uint32_t> setAsidePositions(const PhraseList& list) {
    std::vector<uint32_t> rows;
    for (uint32_t i = 0; i < list.size(); ++i)
        if (list[i].active && list[i].setAside) rows.push_back(i);
    return rows;
}

int setAsideAt(Group& group, const std::vector<uint32_t>& positions) {
    int changed = 0;
    for (uint32_t i : positions) {
        if (i >= group.phrases.size() || !group.phrases[i].visible()) continue;
        group.phrases[i].setAside = 1;
        ++changed;
    }
    if (changed) touch(group);
    return changed;
}

int restoreAt(Group& group, const std::vector<uint32_t>& positions) {
    int changed = 0;
    for (uint32_t i : positions) {
        if (i >= group.phrases.size() || !group.phrases[i].setAside) continue;
        group.phrases[i].setAside = 0;
        ++changed;
    }
    if (changed) touch(group);
    return changed;
}

std::vector<uint32_t> restoreByTexts(Group& group, const std::vector<std::string>& texts) {
    std::unordered_map<std::string_view, std::vector<uint32_t>> wanted;
    for (const std::string& t : texts) wanted.try_emplace(t);
    for (uint32_t i = 0; i < group.phrases.size(); ++i) {
        const Phrase& p = group.phrases[i];
        if (!p.setAside || !p.active) continue;
        if (auto it = wanted.find(p.text()); it != wanted.end()) it->second.push_back(i);
    }
    std::unordered_map<std::string_view, size_t> used;
    std::vector<uint32_t> found;
    found.reserve(texts.size());
    for (const std::string& t : texts) {
        const std::vector<uint32_t>& candidates = wanted[t];
        size_t& next = used[t];
        if (next < candidates.size()) {
            const uint32_t i = candidates[next++];
            group.phrases[i].setAside = 0;
            found.push_back(i);
        } else {
            found.push_back(kNotFound);
        }
    }
    touch(group);
    return found;
}

std::vector<int> validRows(std::vector<int> rows, size_t count) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [count](int r) { return r < 0 || static_cast<size_t>(r) >= count; });
    return rows;
}

std::vector<Phrase> takeAt(Group& group, const std::vector<uint32_t>& positions) {
    std::vector<Phrase> out = takePositions(group.phrases, positions);
    touch(group);
    return out;
}

void moveAllPhrases(Group& from, Group& to) {
    to.phrases.reserve(to.phrases.size() + from.phrases.size());
    for (Phrase& p : from.phrases) to.phrases.push_back(std::move(p));
    from.phrases.clear();
    touch(from);
    touch(to);
}

}  // namespace pw
