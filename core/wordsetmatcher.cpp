#include "core/wordsetmatcher.h"

#include <hs.h>

#include <stdexcept>

#include "core/text.h"

namespace pw {

WordSetMatcher::WordSetMatcher(const std::vector<std::string_view>& words, bool wholeWords) : wholeWords_(wholeWords) {
    std::vector<std::string_view> kept;
    for (std::string_view word : words)
        if (!word.empty()) kept.push_back(word);  // an empty word hides nothing
    wordCount_ = kept.size();
    if (wholeWords_) {
        folded_.emplace(kept);
        return;
    }
    if (kept.empty()) return;
    automaton_ = CaselessAutomaton::build(kept);
    if (!automaton_) compileLiterals(kept);
}

// For a word set too large for the automaton's table.
void WordSetMatcher::compileLiterals(const std::vector<std::string_view>& words) {
    std::vector<const char*> patterns;
    std::vector<size_t> lengths;
    std::vector<unsigned> flags;
    std::vector<unsigned> ids;
    for (std::string_view word : words) {
        patterns.push_back(word.data());
        lengths.push_back(word.size());
        flags.push_back(HS_FLAG_CASELESS | HS_FLAG_SINGLEMATCH);
        ids.push_back(static_cast<unsigned>(ids.size()));
    }
    hs_compile_error_t* error = nullptr;
    if (hs_compile_lit_multi(patterns.data(), flags.data(), ids.data(), lengths.data(),
                             static_cast<unsigned>(patterns.size()), HS_MODE_BLOCK, nullptr, &database_,
                             &error) != HS_SUCCESS) {
        const std::string message = error && error->message ? error->message : "cannot build the word matcher";
        hs_free_compile_error(error);
        throw std::runtime_error(message);
    }
    if (hs_alloc_scratch(database_, &scratch_) != HS_SUCCESS) {
        hs_free_database(database_);
        database_ = nullptr;
        throw std::bad_alloc();
    }
}

WordSetMatcher::~WordSetMatcher() {
    if (scratch_) hs_free_scratch(scratch_);
    if (database_) hs_free_database(database_);
}

bool WordSetMatcher::matches(const Phrase& phrase) const {
    if (wordCount_ == 0) return false;
    if (wholeWords_) {
        for (int i = 0; i < phrase.wordCount(); ++i)
            if (folded_->contains(phrase.word(i))) return true;
        return false;
    }
    const std::string_view text = phrase.text();
    if (automaton_) return automaton_->containsAny(text);
    if (text.empty()) return false;
    auto stopAtFirst = [](unsigned, unsigned long long, unsigned long long, unsigned, void*) -> int { return 1; };
    return hs_scan(database_, text.data(), static_cast<unsigned>(text.size()), 0, scratch_, stopAtFirst, nullptr) ==
           HS_SCAN_TERMINATED;
}

}  // namespace pw
