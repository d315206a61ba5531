#pragma once
// The commands of phrasewright-cli. Each returns the process exit status:
// 0 done, 1 failed, 2 the project did not load.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pw::cli {

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

int newProject(const Streams& io, const std::string& projectPath, bool overwrite);
int info(const Streams& io, const std::string& projectPath);
int dump(const Streams& io, const std::string& projectPath, const std::string& listName);

struct ColumnChoice {
    int phrase = 1;               // 1-based
    std::optional<int> hits;      // 1-based; none: no hit counts
};
struct ImportOptions {
    std::string listName;
    // For files of three or more columns; none given: the file's own (column
    // 1 without hit counts, or a keyword-planner export's keywords and searches).
    std::optional<ColumnChoice> columns;
    int sheet = 1;                    // of a spreadsheet, 1-based as the sheet chooser lists them
    bool listSheets = false;          // print a spreadsheet's sheet names instead of importing
    std::string driver;               // spreadsheet ODBC driver; empty: ours, beside the executable
};
int importLists(const Streams& io, const std::string& projectPath, const std::vector<std::string>& files,
                const ImportOptions& options);

struct UpdateOptions {
    std::string listName;
    std::optional<std::string> ignoreFile;
    bool wholeWords = true;
    std::optional<int> maxWords;
    bool unwantedCharacters = false;
    bool duplicates = false;
    bool countries = false;
};
int update(const Streams& io, const std::string& projectPath, const UpdateOptions& options);

struct SetOptions {
    std::optional<std::string> countriesFile;
    std::optional<std::string> unwantedCharacters;
};
int set(const Streams& io, const std::string& projectPath, const SetOptions& options);

struct SortOptions {
    std::string listName;
    std::vector<std::string> keys;
    std::vector<int> reverse;
    std::string freeText;
};
int sort(const Streams& io, const std::string& projectPath, const SortOptions& options);

struct ExportOptions {
    std::string listName;
    bool csv = false;
    bool hits = false;
    std::vector<std::string> forms;  // broad, phrase, exact: the keyword rows instead of the list
    std::string notation = "symbols";
};
int exportList(const Streams& io, const std::string& projectPath, const std::string& outPath,
               const ExportOptions& options);

// Filters the main list into phase 3's list 1 with the text and makes a group
// of it, in name order, as the window does.
int group(const Streams& io, const std::string& projectPath, const std::string& name, const std::string& filter);

}  // namespace pw::cli
