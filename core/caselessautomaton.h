#pragma once
// A set of literal words searched for in one pass over a text, ignoring ASCII
// case: an Aho-Corasick automaton turned into a full transition table over
// the bytes the words use. Building it for 10,000 words takes milliseconds,
// so an "Update" does not wait for a regular-expression compiler.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pw {

class CaselessAutomaton {
public:
    // None when the table would pass `maxTableEntries` (the caller then uses
    // another matcher). Empty words are left out.
    static std::optional<CaselessAutomaton> build(const std::vector<std::string_view>& words,
                                                  size_t maxTableEntries = size_t{1} << 25);

    // Some word occurs in the text; stops at the first one found.
    bool containsAny(std::string_view text) const {
        uint32_t state = 0;
        for (char c : text) {
            state = next_[state * classCount_ + classOf_[static_cast<unsigned char>(c)]];
            if (final_[state]) return true;
        }
        return false;
    }

private:
    CaselessAutomaton() = default;

    uint8_t classOf_[256] = {};  // 0: a byte no word uses
    uint32_t classCount_ = 1;
    std::vector<uint32_t> next_;  // state * classCount_ + class -> state
    std::vector<uint8_t> final_;  // a word ends here (or at one of its suffixes)
};

}  // namespace pw
