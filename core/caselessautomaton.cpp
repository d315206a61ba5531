#include "core/caselessautomaton.h"

#include "core/text.h"

namespace pw {

std::optional<CaselessAutomaton> CaselessAutomaton::build(const std::vector<std::string_view>& words,
                                                          size_t maxTableEntries) {
    CaselessAutomaton a;
    // Classes: the folded bytes the words use; both cases of a letter share one.
    size_t states = 1;
    for (std::string_view word : words) {
        states += word.size();
        for (char c : word) {
            const unsigned char folded = foldAscii(static_cast<unsigned char>(c));
            if (a.classOf_[folded] == 0) {
                if (a.classCount_ == 256) return std::nullopt;
                a.classOf_[folded] = static_cast<uint8_t>(a.classCount_++);
            }
        }
    }
    for (unsigned c = 'A'; c <= 'Z'; ++c) a.classOf_[c] = a.classOf_[c + ('a' - 'A')];
    const uint32_t k = a.classCount_;
    if (states * k > maxTableEntries) return std::nullopt;

    // The trie; 0 means "no edge yet" (no edge ever leads back to the root).
    a.next_.reserve(states * k);
    a.final_.reserve(states);
    a.next_.assign(k, 0);
    a.final_.assign(1, 0);
    for (std::string_view word : words) {
        if (word.empty()) continue;
        uint32_t s = 0;
        for (char c : word) {
            uint32_t& edge = a.next_[s * k + a.classOf_[static_cast<unsigned char>(c)]];
            if (edge == 0) {
                edge = static_cast<uint32_t>(a.final_.size());
                a.final_.push_back(0);
                a.next_.resize(a.next_.size() + k, 0);
            }
            s = a.next_[s * k + a.classOf_[static_cast<unsigned char>(c)]];
        }
        a.final_[s] = 1;
    }

    // Breadth first: each missing edge takes the edge of the state's longest
    // proper suffix, and a state is final when that suffix is.
    std::vector<uint32_t> fail(a.final_.size(), 0);
    std::vector<uint32_t> queue;
    queue.reserve(a.final_.size());
    for (uint32_t c = 0; c < k; ++c)
        if (const uint32_t child = a.next_[c]) queue.push_back(child);
    for (size_t head = 0; head < queue.size(); ++head) {
        const uint32_t s = queue[head];
        for (uint32_t c = 0; c < k; ++c) {
            uint32_t& edge = a.next_[s * k + c];
            const uint32_t viaSuffix = a.next_[fail[s] * k + c];
            if (edge == 0) {
                edge = viaSuffix;
            } else {
                fail[edge] = viaSuffix;
                a.final_[edge] |= a.final_[viaSuffix];
                queue.push_back(edge);
            }
        }
    }
    return a;
}

}  // namespace pw
