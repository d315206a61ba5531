#include "core/foldedwordset.h"

#include "core/text.h"

namespace pw {

uint64_t FoldedWordSet::hashOf(std::string_view word) {
    uint64_t hash = 14695981039346656037ULL;
    for (char c : word) {
        hash ^= foldAscii(static_cast<unsigned char>(c));
        hash *= 1099511628211ULL;
    }
    hash ^= hash >> 32;
    return hash * 0x9E3779B97F4A7C15ULL;
}

FoldedWordSet::FoldedWordSet(const std::vector<std::string_view>& words) {
    size_t capacity = 16;
    while (capacity < words.size() * 2) capacity *= 2;
    slots_.resize(capacity);
    for (std::string_view word : words) {
        if (word.empty()) continue;
        const uint64_t hash = hashOf(word);
        size_t slot;
        if (find(word, hash, slot)) continue;
        slots_[slot] = {hash, static_cast<uint32_t>(folded_.size()), static_cast<uint32_t>(word.size())};
        folded_.append(foldedCopy(word));
        ++count_;
    }
}

// The slot holding the word (true), or the empty slot where it would go.
bool FoldedWordSet::find(std::string_view word, uint64_t hash, size_t& slot) const {
    const size_t mask = slots_.size() - 1;
    for (slot = static_cast<size_t>(hash) & mask;; slot = (slot + 1) & mask) {
        const Slot& s = slots_[slot];
        if (s.length == 0) return false;
        if (s.hash != hash || s.length != word.size()) continue;
        const char* stored = folded_.data() + s.offset;
        size_t i = 0;
        while (i < word.size() && foldAscii(static_cast<unsigned char>(word[i])) == static_cast<unsigned char>(stored[i]))
            ++i;
        if (i == word.size()) return true;
    }
}

bool FoldedWordSet::contains(std::string_view word) const {
    if (word.empty() || count_ == 0) return false;
    size_t slot;
    return find(word, hashOf(word), slot);
}

}  // namespace pw
