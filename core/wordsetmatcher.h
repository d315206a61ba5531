#pragma once
// Tests a phrase against many ignore words at once, with the same answer as
// testing it against each word in turn: whole words through a hash set of
// case-folded words, substrings through one caseless automaton (our own,
// built in milliseconds; a word set too large for its table goes to
// Hyperscan instead).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/caselessautomaton.h"
#include "core/foldedwordset.h"
#include "core/phrase.h"

struct hs_database;
struct hs_scratch;

namespace pw {

class WordSetMatcher {
public:
    WordSetMatcher(const std::vector<std::string_view>& words, bool wholeWords);
    ~WordSetMatcher();
    WordSetMatcher(const WordSetMatcher&) = delete;
    WordSetMatcher& operator=(const WordSetMatcher&) = delete;

    bool empty() const { return wordCount_ == 0; }
    // Not safe to call from two threads at once: the automaton has one scratch area.
    bool matches(const Phrase& phrase) const;

private:
    void compileLiterals(const std::vector<std::string_view>& words);

    bool wholeWords_;
    size_t wordCount_ = 0;
    std::optional<FoldedWordSet> folded_;
    std::optional<CaselessAutomaton> automaton_;
    hs_database* database_ = nullptr;
    hs_scratch* scratch_ = nullptr;
};

}  // namespace pw
