#pragma once
// A set of words looked up ignoring ASCII case, as whole-word ignore words
// and country names are: one flat open-addressed table over one block of
// folded text, so a lookup is a hash and usually one comparison.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class FoldedWordSet {
public:
    explicit FoldedWordSet(const std::vector<std::string_view>& words);
    bool contains(std::string_view word) const;
    bool empty() const { return count_ == 0; }

private:
    struct Slot {
        uint64_t hash = 0;
        uint32_t offset = 0;
        uint32_t length = 0;  // 0: an empty slot (empty words are never stored)
    };
    static uint64_t hashOf(std::string_view word);
    bool find(std::string_view word, uint64_t hash, size_t& slot) const;

    std::vector<Slot> slots_;  // a power of two, at most half full
    std::string folded_;
    size_t count_ = 0;
};

}  // namespace pw
