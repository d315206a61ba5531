#include "core/listordering.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <thread>

#include "core/text.h"

namespace pw {

namespace {

constexpr size_t kPrefixLength = 16;

// Eight folded bytes from `offset` on, big-endian, so that integer order is
// byte order; missing bytes count as 0, which sorts a shorter text first.
uint64_t foldedBytes(std::string_view text, size_t offset) {
    uint64_t prefix = 0;
    for (size_t i = offset; i < offset + 8; ++i) {
        const unsigned char c = i < text.size() ? foldAscii(static_cast<unsigned char>(text[i])) : 0;
        prefix = (prefix << 8) | c;
    }
    return prefix;
}

bool firstIsCapital(const Phrase& p) {
    const unsigned char c = static_cast<unsigned char>(*p.c_str());
    return upperAscii(c) == c;
}
bool firstIsDigit(const Phrase& p) {
    const char c = *p.c_str();
    return c >= '0' && c <= '9';
}

template <typename T>
int threeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}
// Phrases that have the property come first.
int havingFirst(bool a, bool b) { return threeWay(!a, !b); }

enum Flags : uint8_t { kHasFreeText = 1, kCapital = 2, kDigit = 4 };

// What the comparison needs of each phrase, worked out once before sorting.
struct SortEntry {
    uint64_t prefix;  // folded bytes 0-7 and 8-15 of the text
    uint64_t prefix2;
    int32_t hits;
    int32_t words;
    uint32_t index;
    uint8_t flags;
};

class EntryComparator {
public:
    EntryComparator(const PhraseList& list, const PhraseOrder& order) : list_(list), order_(order) {}

    // a strictly before b on the three keys together.
    bool operator()(const SortEntry& a, const SortEntry& b) const {
        for (int k = 0; k < 3; ++k) {
            int c = compare(order_.keys[k], a, b);
            if (order_.reverse[k]) c = -c;
            if (c != 0) return c < 0;
        }
        return false;
    }

private:
    int compare(SortKey key, const SortEntry& a, const SortEntry& b) const {
        switch (key) {
        case SortKey::Alphabetical: {
            if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
            if (a.prefix2 != b.prefix2) return a.prefix2 < b.prefix2 ? -1 : 1;
            const std::string_view ta = list_[a.index].text();
            const std::string_view tb = list_[b.index].text();
            return compareIgnoreCase(ta.substr(std::min(kPrefixLength, ta.size())),
                                     tb.substr(std::min(kPrefixLength, tb.size())));
        }
        case SortKey::HitCount: return threeWay(a.hits, b.hits);
        case SortKey::WordCount: return threeWay(a.words, b.words);
        case SortKey::FreeText: return havingFirst(a.flags & kHasFreeText, b.flags & kHasFreeText);
        case SortKey::Capitalised: return havingFirst(a.flags & kCapital, b.flags & kCapital);
        case SortKey::StartsWithDigit: return havingFirst(a.flags & kDigit, b.flags & kDigit);
        }
        return 0;
    }

    const PhraseList& list_;
    const PhraseOrder& order_;
};

constexpr size_t kParallelFrom = 50000;

// Runs work(begin, end) over [0, n), in two threads for long lists.
template <typename Work>
void inTwoHalves(size_t n, Work work) {
    if (n < kParallelFrom) {
        work(size_t{0}, n);
        return;
    }
    std::thread first([&] { work(size_t{0}, n / 2); });
    work(n / 2, n);
    first.join();
}

// Equal elements end in the reverse of their order before: a stable sort of
// the reversed sequence gives exactly that. Long lists are sorted in two
// halves at once and merged, which keeps the sort stable.
template <typename T, typename Less>
void sortTiesReversed(std::vector<T>& items, Less less) {
    std::reverse(items.begin(), items.end());
    const auto begin = items.begin();
    inTwoHalves(items.size(), [&](size_t from, size_t to) { std::stable_sort(begin + from, begin + to, less); });
    if (items.size() >= kParallelFrom) std::inplace_merge(begin, begin + items.size() / 2, items.end(), less);
}

template <typename T>
std::vector<T> permuted(std::vector<T>& items, const std::vector<SortEntry>& order) {
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (const SortEntry& e : order) sorted.push_back(std::move(items[e.index]));
    return sorted;
}

}  // namespace

bool PhraseOrder::usesFreeText() const {
    return std::find(keys.begin(), keys.end(), SortKey::FreeText) != keys.end();
}

int comparePhrases(SortKey key, const Phrase& a, const Phrase& b, std::string_view freeText) {
    switch (key) {
    case SortKey::Alphabetical: return compareIgnoreCase(a.text(), b.text());
    case SortKey::HitCount: return threeWay(a.hitCount, b.hitCount);
    case SortKey::WordCount: return threeWay(a.wordCount(), b.wordCount());
    case SortKey::FreeText:
        return havingFirst(containsIgnoreCase(a.text(), freeText), containsIgnoreCase(b.text(), freeText));
    case SortKey::Capitalised: return havingFirst(firstIsCapital(a), firstIsCapital(b));
    case SortKey::StartsWithDigit: return havingFirst(firstIsDigit(a), firstIsDigit(b));
    }
    return 0;
}

bool sortPhrases(Group& group, const PhraseOrder& order) {
    const std::string_view freeText = std::string_view(order.freeText).substr(0, kFreeTextLimit);
    if (order.usesFreeText() && freeText.empty()) return false;

    PhraseList& list = group.phrases;
    std::vector<SortEntry> entries(list.size());
    const bool withFreeText = order.usesFreeText();
    inTwoHalves(list.size(), [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            const Phrase& p = list[i];
            uint8_t flags = 0;
            if (withFreeText && containsIgnoreCase(p.text(), freeText)) flags |= kHasFreeText;
            if (firstIsCapital(p)) flags |= kCapital;
            if (firstIsDigit(p)) flags |= kDigit;
            entries[i] = {foldedBytes(p.text(), 0), foldedBytes(p.text(), 8), p.hitCount, p.wordCount(),
                          static_cast<uint32_t>(i), flags};
        }
    });
    sortTiesReversed(entries, EntryComparator(list, order));
    list = permuted(list, entries);
    touch(group);
    return true;
}

void sortGroups(Project& project, GroupOrder order) {
    auto before = [order](const std::unique_ptr<Group>& a, const std::unique_ptr<Group>& b) {
        switch (order) {
        case GroupOrder::Alphabetical: return compareIgnoreCase(a->name, b->name) < 0;
        case GroupOrder::PhraseCount: return a->phrases.size() > b->phrases.size();
        case GroupOrder::LastModified: return a->modifiedTime > b->modifiedTime;
        case GroupOrder::Color: return a->colorIndex > b->colorIndex;
        }
        return false;
    };
    sortTiesReversed(project.groups, before);
    project.modified = true;
}

}  // namespace pw
