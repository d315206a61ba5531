#pragma once
// Building a phrase from one line of a text or CSV file.

#include <optional>
#include <string_view>

#include "core/group.h"

namespace pw {

// The file being imported: how many columns it has, which one holds the
// phrase and which the hit count (-1: none).
struct ImportColumns {
    int count = 0;
    int phraseColumn = 0;
    int hitColumn = -1;
    // Tabs alone end fields, so commas and semicolons are data, and hit counts
    // are read as keyword planners write them (UTF-16 files split at tabs).
    bool tabSeparated = false;
    int linesBeforeData = 0;  // a keyword-planner export's title lines and header row, skipped

    bool usable() const { return count > 0 && phraseColumn >= 0 && phraseColumn < count && phraseColumn != hitColumn; }
};

// Cuts the line at commas, semicolons and LF (at tabs and LF when the columns
// say so) outside double quotes and takes the two configured columns. None
// when the columns are not usable.
std::optional<Phrase> phraseFromLine(std::string_view line, const ImportColumns& columns);

// Drops one trailing LF; appends the phrase when the line gives a text.
bool appendLine(Group& group, std::string_view line, const ImportColumns& columns, bool stamp = true);

}  // namespace pw
