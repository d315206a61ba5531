#include "io/textimport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/text.h"

namespace pw {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

constexpr long long kProgressBytes = 40000;
}  // namespace

std::optional<int> detectColumns(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    // Reads only as far as the end of the first non-empty line.
    std::string line;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        for (size_t i = 0; i < got; ++i) {
            if (chunk[i] != '\n') line.push_back(chunk[i]);
            else if (!line.empty()) return static_cast<int>(splitAny(line, ",;").size());
        }
    }
    return static_cast<int>(splitAny(line, ",;").size());
}

std::optional<ImportColumns> automaticColumns(int columnCount) {
    if (columnCount == 1) return ImportColumns{1, 0, -1};
    if (columnCount == 2) return ImportColumns{2, 0, 1};
    return std::nullopt;
}

namespace {
// Hands out the file's lines as fgets does with a 2,047-byte buffer: at most
// 2,046 bytes a piece, a piece ending after its LF.
class LinePieceReader {
public:
    explicit LinePieceReader(std::FILE* file) : file_(file), buffer_(1 << 20) {}

    bool next(std::string_view& piece) {
        if (end_ - pos_ < kLinePieceLength && !eof_) refill();
        if (pos_ == end_) return false;
        const size_t limit = std::min(kLinePieceLength, end_ - pos_);
        const char* start = buffer_.data() + pos_;
        const void* lf = std::memchr(start, '\n', limit);
        const size_t length = lf ? static_cast<const char*>(lf) - start + 1 : limit;
        piece = {start, length};
        pos_ += length;
        return true;
    }

private:
    void refill() {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        const size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
        if (got == 0) eof_ = true;
        end_ += got;
    }

    std::FILE* file_;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
};
}  // namespace

int appendFromTextFile(Group& group, const std::string& path, const ImportColumns& columns, const ProgressFn& progress,
                       const std::atomic<bool>* cancel) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return 0;
    std::fseek(file.get(), 0, SEEK_END);
    const long long size = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    report(progress, 0);

    LinePieceReader reader(file.get());
    int added = 0;
    long long bytesRead = 0;
    long long lastReport = 0;
    std::string_view piece;
    while (reader.next(piece)) {
        bytesRead += static_cast<long long>(piece.size());
        const std::string_view line = trimSpaces(piece);
        if (!line.empty() && appendLine(group, line, columns, false)) ++added;
        if (bytesRead - lastReport >= kProgressBytes) {
            lastReport = bytesRead;
            if (cancelled(cancel)) {
                touch(group);
                return added;
            }
            report(progress, size > 0 ? static_cast<int>(bytesRead * 100 / size) : 100);
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
    for (std::string_view line : splitAny(fileBytes, "\n")) {
        if (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        if (!boxText.empty() && boxText.back() != '\r' && boxText.back() != '\n') boxText += "\r\n";
        boxText.append(line);
    }
    return boxText;
}

}  // namespace pw
