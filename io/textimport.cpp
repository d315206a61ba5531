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
    bool tabSeparated() const { return utf16_; }
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

std::optional<int> detectColumns(const std::string& path) {
    ListFileReader reader(path);
    if (!reader.opened()) return std::nullopt;
    if (looksBinary(path)) return 0;
    const std::string_view separators = reader.tabSeparated() ? ",;\t" : ",;";
    // Reads only as far as the end of the first non-empty line; the CR of a
    // CR LF stays part of it.
    std::string line;
    std::string_view piece;
    long long ignored = 0;
    while (reader.next(piece, ignored)) {
        const bool ends = endsLine(piece);
        line.append(ends ? piece.substr(0, piece.size() - 1) : piece);
        if (ends && !line.empty()) return static_cast<int>(splitAny(line, separators).size());
    }
    return static_cast<int>(splitAny(line, separators).size());
}

std::optional<ImportColumns> automaticColumns(int columnCount) {
    if (columnCount == 1) return ImportColumns{1, 0, -1};
    if (columnCount == 2) return ImportColumns{2, 0, 1};
    return std::nullopt;
}

int appendFromTextFile(Group& group, const std::string& path, const ImportColumns& chosen, const ProgressFn& progress,
                       const std::atomic<bool>* cancel) {
    ListFileReader reader(path);
    if (!reader.opened()) return 0;
    ImportColumns columns = chosen;
    columns.tabSeparated = reader.tabSeparated();
    const long long size = reader.size();
    report(progress, 0);

    int added = 0;
    long long bytesRead = 0;
    long long lastReport = 0;
    std::string_view piece;
    while (reader.next(piece, bytesRead)) {
        const std::string_view line = trimSpaces(piece);
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
        const std::optional<int> count = detectColumns(path);
        if (!count || *count == 0) {
            file.problem = ImportProblem::InvalidFileType;
        } else {
            file.columns = automaticColumns(*count);
            if (!file.columns && chooseColumns) file.columns = chooseColumns(path, *count);
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
