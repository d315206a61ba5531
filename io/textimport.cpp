#include "io/textimport.h"

#include <fstream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/text.h"

namespace pw {

namespace {
// The most bytes 2,046 characters take in UTF-8, and one to see past a CR.
constexpr size_t kPieceWindow = 4 * kLinePieceLength + 1;

bool endsLine(std::string_view text) { return !text.empty() && (text.back() == '\n' || text.back() == '\r'); }

// The bytes of the text's first line with its end: an LF, or a CR that no
// LF follows (old Mac files); all of the text when it holds no end.
size_t lineLength(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') return i + 1;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] != '\n') return i + 1;
    }
    return text.size();
}

// Hands out a list file's lines as UTF-8 pieces of at most 2,046
// characters, a piece ending after its line end; a longer line arrives as
// several pieces, cut between characters. A file with a UTF-16 byte-order
// mark is converted whole; any other file is read as it streams in, a UTF-8
// mark skipped and each piece that is not valid UTF-8 read as Windows-1252.
class ListFileReader {
public:
    explicit ListFileReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
        if (!file_) return;
        std::fseek(file_.get(), 0, SEEK_END);
        size_ = std::ftell(file_.get());
        std::fseek(file_.get(), 0, SEEK_SET);
        buffer_.resize(1 << 20);
        refill();
        const ByteOrderMark mark = byteOrderMark(std::string_view(buffer_.data(), end_));
        if (mark == ByteOrderMark::Utf16LE || mark == ByteOrderMark::Utf16BE) {
            readWholeAsUtf16(mark == ByteOrderMark::Utf16LE);
        } else {
            pos_ = byteOrderMarkLength(mark);
        }
    }

    bool opened() const { return file_ != nullptr; }
    bool utf16() const { return utf16_; }
    long long size() const { return size_; }

    // The next piece, or false at the end. `bytesRead` grows by what it took from the file.
    bool next(std::string_view& piece, long long& bytesRead) {
        if (end_ - pos_ < kPieceWindow && !eof_) refill();
        if (pos_ == end_) return false;
        const std::string_view available(buffer_.data() + pos_, end_ - pos_);
        std::string_view line = available.substr(0, lineLength(available.substr(0, kPieceWindow)));
        if (line.size() < available.size() && !endsLine(line)) line = line.substr(0, wholeCharactersLength(line));
        piece = clipToCharacters(line, kLinePieceLength);
        const bool utf8 = isValidUtf8(piece);
        if (!utf8) piece = line.substr(0, kLinePieceLength);  // Windows-1252: a byte is a character
        pos_ += piece.size();
        bytesRead += static_cast<long long>(piece.size());
        if (utf8) return true;
        converted_ = windows1252ToUtf8(piece);
        piece = converted_;
        return true;
    }

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    void refill() {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        const size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_.get());
        if (got == 0) eof_ = true;
        end_ += got;
    }

    void readWholeAsUtf16(bool littleEndian) {
        std::string bytes(buffer_.data(), end_);
        char chunk[1 << 16];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file_.get())) > 0) bytes.append(chunk, got);
        const std::string text = utf16ToUtf8(std::string_view(bytes).substr(2), littleEndian);
        buffer_.assign(text.begin(), text.end());
        pos_ = 0;
        end_ = buffer_.size();
        eof_ = true;
        utf16_ = true;
        size_ = static_cast<long long>(end_);  // progress goes through the converted text
    }

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::vector<char> buffer_;
    std::string converted_;
    size_t pos_ = 0;
    size_t end_ = 0;
    long long size_ = 0;
    bool eof_ = false;
    bool utf16_ = false;
};

constexpr long long kProgressBytes = 40000;
}  // namespace

// A NUL byte in the first 64 KB of a file without a UTF-16 mark: a picture
// or a program picked under "All files", not a list.
bool looksBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(64 * 1024, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    const bool utf16 = head.size() >= 2 && ((head[0] == '\xFF' && head[1] == '\xFE') || (head[0] == '\xFE' && head[1] == '\xFF'));
    return !utf16 && head.find('\0') != std::string::npos;
}

namespace {
// Keyword planners head their data with a row naming its columns, after one
// or two title lines.
constexpr int kPlannerHeaderLineAtMost = 5;
constexpr std::string_view kKeywordHeader = "Keyword";
constexpr std::string_view kSearchesHeader = "Avg. monthly searches";

// The next line whole, without its LF or lone CR (the CR of a CR LF stays);
// false at the end of the file.
bool nextLine(ListFileReader& reader, std::string& line) {
    line.clear();
    std::string_view piece;
    long long ignored = 0;
    bool any = false;
    while (reader.next(piece, ignored)) {
        any = true;
        if (endsLine(piece)) {
            line.append(piece.substr(0, piece.size() - 1));
            return true;
        }
        line.append(piece);
    }
    return any;
}

// Every field between tabs, empty ones included: their positions are the columns.
std::vector<std::string_view> tabFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

bool startsWithIgnoreCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && equalsIgnoreCase(text.substr(0, start.size()), start);
}

// The columns of a planner export whose header row is line `lineNumber`, or none.
std::optional<ImportColumns> plannerColumns(std::string_view line, int lineNumber) {
    const std::vector<std::string_view> fields = tabFields(line);
    int keyword = -1;
    int searches = -1;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const std::string_view field = stripQuotes(trimSpaces(fields[i]));
        if (keyword < 0 && equalsIgnoreCase(field, kKeywordHeader)) keyword = i;
        if (searches < 0 && startsWithIgnoreCase(field, kSearchesHeader)) searches = i;
    }
    if (keyword < 0 || searches < 0) return std::nullopt;
    return ImportColumns{static_cast<int>(fields.size()), keyword, searches, true, lineNumber};
}

ImportColumns firstLineColumns(std::string_view line, bool utf16) {
    const bool tabs = utf16 && line.find('\t') != std::string_view::npos;
    return ImportColumns{static_cast<int>(splitAny(line, tabs ? "\t" : ",;").size()), 0, -1, tabs};
}

// Spaces and line ends off both ends; in a tab-separated line a leading tab
// is an empty first field and stays.
std::string_view trimmedLine(std::string_view piece, bool tabSeparated) {
    const std::string_view trimmed = trimSpaces(piece);
    if (!tabSeparated || trimmed.empty()) return trimmed;
    const size_t start = piece.find_first_not_of(" \r\n");
    return piece.substr(start, static_cast<size_t>(trimmed.data() + trimmed.size() - (piece.data() + start)));
}
}  // namespace

std::optional<ListLayout> detectLayout(const std::string& path) {
    ListFileReader reader(path);
    if (!reader.opened()) return std::nullopt;
    if (looksBinary(path)) return ListLayout{};
    const bool utf16 = reader.utf16();
    // A file without a UTF-16 mark is read only as far as its first non-empty line.
    std::string line;
    std::optional<std::string> first;
    for (int number = 1; nextLine(reader, line); ++number) {
        if (utf16 && number <= kPlannerHeaderLineAtMost) {
            if (std::optional<ImportColumns> planner = plannerColumns(line, number)) return ListLayout{*planner, true};
        }
        if (!first && !line.empty()) first = line;
        if (first && (!utf16 || number >= kPlannerHeaderLineAtMost)) break;
    }
    return ListLayout{firstLineColumns(first.value_or(""), utf16), false};
}

std::optional<ImportColumns> automaticColumns(const ListLayout& layout) {
    ImportColumns columns = layout.columns;
    if (columns.count == 1 || (columns.count == 2 && layout.plannerExport)) return columns;
    if (columns.count != 2) return std::nullopt;
    columns.phraseColumn = 0;
    columns.hitColumn = 1;
    return columns;
}

int appendFromTextFile(Group& group, const std::string& path, const ImportColumns& columns, const ProgressFn& progress,
                       const std::atomic<bool>* cancel) {
    ListFileReader reader(path);
    if (!reader.opened()) return 0;
    const long long size = reader.size();
    report(progress, 0);

    int added = 0;
    long long bytesRead = 0;
    long long lastReport = 0;
    int linesToSkip = columns.linesBeforeData;
    std::string_view piece;
    while (reader.next(piece, bytesRead)) {
        if (linesToSkip > 0) {
            if (endsLine(piece)) --linesToSkip;
            continue;
        }
        const std::string_view line = trimmedLine(piece, columns.tabSeparated);
        if (!line.empty() && appendLine(group, line, columns, false)) ++added;
        if (bytesRead - lastReport >= kProgressBytes) {
            lastReport = bytesRead;
            if (cancelled(cancel)) {
                touch(group);
                return added;
            }
            report(progress, size > 0 ? static_cast<int>(std::min(100LL, bytesRead * 100 / size)) : 100);
        }
    }
    report(progress, 100);
    touch(group);
    return added;
}

ImportMessage importMessage(ImportProblem problem) {
    switch (problem) {
    case ImportProblem::InvalidFileType: return {"Import error", "Invalid file type"};
    case ImportProblem::ErrorImporting: return {"Error", "Error importing list!"};
    case ImportProblem::None: break;
    }
    return {};
}

std::vector<PlannedFile> planImport(const std::vector<std::string>& paths, const ChooseColumns& chooseColumns) {
    std::vector<PlannedFile> plan;
    for (const std::string& path : paths) {
        PlannedFile file{path, std::nullopt, ImportProblem::None};
        const std::optional<ListLayout> layout = detectLayout(path);
        if (!layout || layout->columns.count == 0) {
            file.problem = ImportProblem::InvalidFileType;
        } else {
            file.columns = automaticColumns(*layout);
            if (!file.columns && chooseColumns) file.columns = chooseColumns(path, layout->columns);
        }
        plan.push_back(std::move(file));
    }
    return plan;
}

ImportReport runImport(Project& project, Group& target, const std::vector<PlannedFile>& plan,
                       const ProgressFn& progress, std::atomic<bool>* cancel) {
    ImportReport outcome;
    for (const PlannedFile& file : plan) {
        if (file.problem != ImportProblem::None) {
            outcome.problem = file.problem;
            outcome.problemFile = file.path;
        }
        int added = -1;
        if (file.columns) {
            added = appendFromTextFile(target, file.path, *file.columns, progress, cancel);
            project.importedCount += added;
            project.editedCount += added;
            outcome.added += added;
        }
        if (file.path.find(kSpreadsheetCsvMarker) != std::string::npos) std::remove(file.path.c_str());
        if (added == 0) {
            outcome.problem = ImportProblem::ErrorImporting;
            outcome.problemFile = file.path;
            return outcome;
        }
        if (cancel && cancel->exchange(false)) outcome.cancelled = true;
    }
    return outcome;
}

ImportReport importFiles(Project& project, Group& target, const std::vector<std::string>& paths,
                         const ChooseColumns& chooseColumns, const ProgressFn& progress, std::atomic<bool>* cancel) {
    return runImport(project, target, planImport(paths, chooseColumns), progress, cancel);
}

std::string appendIgnoreLines(std::string boxText, std::string_view fileBytes) {
    const std::string text = decodeTextFile(fileBytes);
    for (std::string_view line : splitAny(text, "\n")) {
        if (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        if (!boxText.empty() && boxText.back() != '\r' && boxText.back() != '\n') boxText += "\r\n";
        boxText.append(line);
    }
    return boxText;
}

}  // namespace pw
