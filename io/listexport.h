#pragma once
// What leaves the program: the rows of the list view as TXT or CSV, the
// group names, the ignore box, and phase 4's keyword rows for the clipboard.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/project.h"

namespace pw {

// One row of the list view: its text and its hit count.
struct ListRow {
    std::string_view text;
    int32_t hits;
};
// The rows a list shows: its visible phrases in order.
std::vector<ListRow> visibleRows(const Group& group);

// Appends the extension unless the name is longer than it and already ends
// with it (ignoring case): "list" -> "list.txt", "list.TXT" stays, "txt" -> "txt.txt".
std::string withExtension(std::string name, std::string_view extension);

// Each row cut to 2,046 characters.
std::string listAsText(const std::vector<ListRow>& rows);
std::string listAsCsv(const std::vector<ListRow>& rows, bool withHits);
std::string groupNamesAsText(const Project& project);
// The clipboard text of phase 4: rows joined with CR LF between them, each
// cut to 998 characters; always UTF-8, whatever each row came in as.
std::string keywordRowsForClipboard(const std::vector<std::string>& rows);

// Creates or truncates the file and writes the bytes; false when the file
// cannot be created or a write fails.
bool writeExportFile(const std::string& path, std::string_view bytes);

// What a failed export write says, in the window and on the command line.
struct ExportMessage {
    std::string_view caption;
    std::string_view text;
};
constexpr ExportMessage kCannotWriteExport{"Write error!", "Cannot open file for writing!"};

}  // namespace pw
