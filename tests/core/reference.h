#pragma once
// Plain, slow implementations of the list rules, written straight from their
// description, that the fast engine is checked against.

#include <algorithm>
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "core/group.h"
#include "core/listordering.h"

namespace pw::reference {

inline std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

inline bool matches(const Phrase& p, std::string_view word, bool wholeWords) {
    if (wholeWords) {
        for (int i = 0; i < p.wordCount(); ++i)
            if (lower(p.word(i)) == lower(word)) return true;
        return false;
    }
    return lower(p.text()).find(lower(word)) != std::string::npos;
}

// One pass over the list for each word, in order; returns what each pass hid.
inline std::vector<int> deactivateEachWord(Group& g, const std::vector<std::string_view>& words, bool wholeWords) {
    std::vector<int> counts;
    for (std::string_view word : words) {
        int n = 0;
        if (!word.empty())
            for (Phrase& p : g.phrases)
                if (p.active && matches(p, word, wholeWords)) {
                    p.active = 0;
                    ++n;
                }
        counts.push_back(n);
    }
    return counts;
}

// The combined comparison: a goes before b (or with it).
inline bool before(const Phrase& a, const Phrase& b, const PhraseOrder& order) {
    for (int k = 0; k < 2; ++k) {
        int c = comparePhrases(order.keys[k], a, b, order.freeText);
        if (order.reverse[k]) c = -c;
        if (c < 0) return true;
        if (c > 0) return false;
    }
    int c = comparePhrases(order.keys[2], a, b, order.freeText);
    if (order.reverse[2]) c = -c;
    return c <= 0;
}

// The linked-list merge sort with bins of runs of doubling length; its merge
// puts an element of the later run first whenever it goes before-or-with the
// element of the earlier run.
template <typename T, typename Before>
void binMergeSort(std::list<T>& items, Before goesBefore) {
    auto merge = [&](std::list<T>& earlier, std::list<T>& later) {
        std::list<T> out;
        while (!earlier.empty() && !later.empty()) {
            if (goesBefore(later.front(), earlier.front())) out.splice(out.end(), later, later.begin());
            else out.splice(out.end(), earlier, earlier.begin());
        }
        out.splice(out.end(), earlier);
        out.splice(out.end(), later);
        earlier.swap(out);
    };
    std::vector<std::list<T>> bins(64);
    while (!items.empty()) {
        std::list<T> carry;
        carry.splice(carry.end(), items, items.begin());
        size_t i = 0;
        for (; !bins[i].empty(); ++i) {
            merge(bins[i], carry);
            carry.swap(bins[i]);
        }
        bins[i].swap(carry);
    }
    for (size_t i = 0; i < bins.size(); ++i) {
        merge(bins[i], items);
        items.swap(bins[i]);
    }
}

inline void sortPhrases(Group& g, const PhraseOrder& order) {
    std::list<Phrase> items;
    for (Phrase& p : g.phrases) items.push_back(std::move(p));
    binMergeSort(items, [&](const Phrase& a, const Phrase& b) { return before(a, b, order); });
    g.phrases.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
}

inline int removeDuplicates(Group& g) {
    PhraseOrder order;
    order.keys = {SortKey::Alphabetical, SortKey::HitCount, SortKey::Alphabetical};
    reference::sortPhrases(g, order);
    int n = 0;
    for (size_t i = 0; i < g.phrases.size(); ++i) {
        if (!g.phrases[i].active) continue;
        for (size_t j = i + 1; j < g.phrases.size() && lower(g.phrases[j].text()) == lower(g.phrases[i].text()); ++j)
            if (g.phrases[j].active) {
                g.phrases[j].active = 0;
                ++n;
            }
    }
    return n;
}

}  // namespace pw::reference
