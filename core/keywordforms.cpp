#include "core/keywordforms.h"

namespace pw {

std::vector<std::string> keywordRows(const Group& group, KeywordForms forms, KeywordNotation notation) {
    const bool symbols = notation == KeywordNotation::Symbols;
    std::vector<std::string> rows;
    for (const Phrase& p : group.phrases) {
        if (!p.visible()) continue;
        const std::string text(p.text());
        if (forms.broad) rows.push_back(symbols ? text : text + " broad");
        if (forms.phrase) rows.push_back(symbols ? "\"" + text + "\"" : text + " phrase");
        if (forms.exact) rows.push_back(symbols ? "[" + text + "]" : text + " exact");
    }
    return rows;
}

}  // namespace pw
