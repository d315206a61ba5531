#pragma once
// Reading text and CSV lists into a phrase list, and word lists into the
// ignore box.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/delimitedline.h"
#include "core/progress.h"
#include "core/project.h"

namespace pw {

constexpr size_t kLinePieceLength = 2046;  // a longer line arrives as several pieces
constexpr std::string_view kSpreadsheetCsvMarker = "pwr_exportxls2csv";

// What the start of a list file says about its columns.
struct ListLayout {
    // The column count (0: not a list), how the fields are split, the lines
    // before the data, and the columns to offer: the first one and no hit
    // counts, or a keyword-planner export's keyword and search columns.
    ImportColumns columns;
    bool plannerExport = false;
};

// Counts the non-empty comma- or semicolon-separated fields of the file's
// first non-empty line; a UTF-16 file whose first line holds a tab is split at
// tabs alone. A UTF-16 file whose header row, at most the fifth line, names a
// "Keyword" and an "Avg. monthly searches" column is a keyword-planner export:
// its count is that row's, and the lines up to it are skipped. None when the
// file cannot be opened.
std::optional<ListLayout> detectLayout(const std::string& path);

// One column: phrases only; two: phrase and hit count (a planner export's as
// its header names them); none for more (the user chooses) or for zero (not a
// list).
std::optional<ImportColumns> automaticColumns(const ListLayout& layout);

// Appends a phrase for each line piece, as UTF-8: a file with a UTF-16
// byte-order mark is converted, a UTF-8 mark is skipped, other text that is
// not UTF-8 is read as Windows-1252; the columns say how lines are split and
// how many lines come before the data. Returns how many were added (0 when the
// file cannot be opened). Stops early when *cancel is raised.
int appendFromTextFile(Group& group, const std::string& path, const ImportColumns& columns,
                       const ProgressFn& progress = {}, const std::atomic<bool>* cancel = nullptr);

// What happened to the files of one "Import list".
enum class ImportProblem { None, InvalidFileType, ErrorImporting };
struct ImportReport {
    int added = 0;
    ImportProblem problem = ImportProblem::None;  // the last one met
    std::string problemFile;
    bool cancelled = false;
};
struct ImportMessage {
    std::string_view caption;
    std::string_view text;
};
ImportMessage importMessage(ImportProblem problem);

// Asked for files of three or more columns, with the columns to offer; the
// answer keeps how the file is split and where its data starts. None skips
// the file.
using ChooseColumns =
    std::function<std::optional<ImportColumns>(const std::string& path, const ImportColumns& offered)>;

// What to do with each chosen file, decided before any is read: the columns
// to take, or why it is skipped. The window decides on its own thread (the
// column dialog may be asked), then the worker reads the files.
struct PlannedFile {
    std::string path;
    std::optional<ImportColumns> columns;  // none: skipped
    ImportProblem problem = ImportProblem::None;
};
std::vector<PlannedFile> planImport(const std::vector<std::string>& paths, const ChooseColumns& chooseColumns);

// Reads the planned files in order into `target`, adding to the project's
// imported and edited counts. A file that gives no phrase stops the job.
// Temporary spreadsheet CSV files are deleted after their turn.
ImportReport runImport(Project& project, Group& target, const std::vector<PlannedFile>& plan,
                       const ProgressFn& progress = {}, std::atomic<bool>* cancel = nullptr);

// Both, in one go (scripts and the command line).
ImportReport importFiles(Project& project, Group& target, const std::vector<std::string>& paths,
                         const ChooseColumns& chooseColumns, const ProgressFn& progress = {},
                         std::atomic<bool>* cancel = nullptr);

// The ignore-box import: the file's lines, as UTF-8 (see decodeTextFile),
// appended to the box text, each on a line of its own.
constexpr size_t kLargeIgnoreFile = 99999;
std::string appendIgnoreLines(std::string boxText, std::string_view fileBytes);

}  // namespace pw
