#include "core/phrasefilters.h"

#include <array>

#include "core/listordering.h"
#include "core/text.h"
#include "core/wordsetmatcher.h"

namespace pw {

namespace {
template <typename Test>
int deactivateWhere(Group& group, Test hides) {
    int changed = 0;
    for (Phrase& p : group.phrases) {
        if (p.active && hides(p)) {
            p.active = 0;
            ++changed;
        }
    }
    touch(group);
    return changed;
}
}  // namespace

bool matchesWord(const Phrase& phrase, std::string_view word, bool wholeWords) {
    if (!wholeWords) return containsIgnoreCase(phrase.text(), word);
    for (int i = 0; i < phrase.wordCount(); ++i)
        if (equalsIgnoreCase(phrase.word(i), word)) return true;
    return false;
}

namespace {
// The unwanted characters: single bytes in a table, longer UTF-8 characters
// searched for whole (a whole character cannot match inside another one).
class CharacterSet {
public:
    explicit CharacterSet(std::string_view characters) {
        for (std::string_view c : splitCharacters(characters)) {
            if (c.size() == 1) single_[static_cast<unsigned char>(c[0])] = true;
            else multi_.push_back(c);
        }
    }
    bool anyIn(std::string_view text) const {
        for (char c : text)
            if (single_[static_cast<unsigned char>(c)]) return true;
        for (std::string_view c : multi_)
            if (text.find(c) != std::string_view::npos) return true;
        return false;
    }

private:
    std::array<bool, 256> single_{};
    std::vector<std::string_view> multi_;
};
}  // namespace

bool containsAnyCharacter(const Phrase& phrase, std::string_view characters) {
    return CharacterSet(characters).anyIn(phrase.text());
}

int deactivateMatching(Group& group, std::string_view word, bool wholeWords) {
    if (word.empty()) return 0;
    return deactivateWhere(group, [&](const Phrase& p) { return matchesWord(p, word, wholeWords); });
}

int deactivateWithCharacters(Group& group, std::string_view characters) {
    const CharacterSet unwanted(characters);
    return deactivateWhere(group, [&](const Phrase& p) { return unwanted.anyIn(p.text()); });
}

int deactivateLongerThan(Group& group, int maxWords) {
    if (maxWords <= 0) return 0;
    return deactivateWhere(group, [&](const Phrase& p) { return p.wordCount() > maxWords; });
}

int removeDuplicates(Group& group) {
    PhraseOrder order;
    order.keys = {SortKey::Alphabetical, SortKey::HitCount, SortKey::Alphabetical};
    sortPhrases(group, order);

    PhraseList& list = group.phrases;
    int changed = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (!list[i].active) continue;
        size_t j = i + 1;
        for (; j < list.size() && equalsIgnoreCase(list[j].text(), list[i].text()); ++j) {
            if (!list[j].active) continue;
            list[j].active = 0;
            ++changed;
        }
        i = j - 1;
    }
    touch(group);
    return changed;
}

int deactivateMatchingAny(Group& group, const std::vector<std::string_view>& words, bool wholeWords,
                          const ProgressFn& progress) {
    const WordSetMatcher matcher(words, wholeWords);
    if (matcher.empty()) return 0;
    constexpr size_t kStep = 50000;
    const size_t total = group.phrases.size();
    size_t seen = 0;
    return deactivateWhere(group, [&](const Phrase& p) {
        if (progress && ++seen % kStep == 0) progress(static_cast<int>(seen * 80 / total));
        return matcher.matches(p);
    });
}

const Phrase* nextMatching(const Group& group, std::string_view word, bool wholeWords, size_t& cursor) {
    while (cursor < group.phrases.size()) {
        const Phrase& p = group.phrases[cursor++];
        if (matchesWord(p, word, wholeWords)) return &p;
    }
    return nullptr;
}

}  // namespace pw
