#pragma once
// Phase 4's keyword rows: every visible phrase of a group in the match-type
// forms that are ticked, in "Symbols" or "Types " notation.

#include <string>
#include <vector>

#include "core/group.h"

namespace pw {

struct KeywordForms {
    bool broad = false;   // "Free text"
    bool phrase = false;  // "Quotes"
    bool exact = false;   // "Brackets"
};

enum class KeywordNotation { Symbols, Types };

// Rows phrase by phrase: broad, phrase, exact for each phrase in turn.
std::vector<std::string> keywordRows(const Group& group, KeywordForms forms, KeywordNotation notation);

}  // namespace pw
