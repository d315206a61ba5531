#include "account/changequeue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "account/accountfolder.h"
#include "account/commitloop.h"
#include "account/profilerules.h"
#include "core/atomicfile.h"
#include "core/text.h"

namespace pw {

namespace {

// One writer of the queue file at a time within the program: the window
// thread clears and commits, the commit loop's watcher threads append.
std::recursive_mutex& queueFileMutex() {
    static std::recursive_mutex lock;
    return lock;
}

bool holdsLineBreak(std::string_view line) { return line.find_first_of("\r\n") != std::string_view::npos; }

// The word stands on its own between blanks, outside double quotes.
bool holdsUnquotedWord(std::string_view line, std::string_view word) {
    bool inQuotes = false;
    size_t start = 0;
    for (size_t i = 0; i <= line.size(); ++i) {
        const bool end = i == line.size();
        if (!end && line[i] == '"') inQuotes = !inQuotes;
        if (end || (!inQuotes && (line[i] == ' ' || line[i] == '\t'))) {
            if (line.substr(start, i - start) == word) return true;
            start = i + 1;
        }
    }
    return false;
}

}  // namespace

namespace detail {
namespace {
int guardDepth = 0;  // changed only by the thread holding queueFileMutex
}  // namespace

QueueFileGuard::QueueFileGuard(const ProgramFolder& folder) {
    queueFileMutex().lock();
    // A second flock of this process on a new descriptor would wait for ever.
    if (guardDepth++ == 0) fileLock_ = FileLock::acquire(googleFile(folder, kQueueLockFile));
}

QueueFileGuard::~QueueFileGuard() {
    fileLock_.reset();
    --guardDepth;
    queueFileMutex().unlock();
}
}  // namespace detail

std::string changeQueuePath(const ProgramFolder& folder) { return googleFile(folder, kChangeQueueFile); }

std::vector<std::string> readQueuedChanges(const ProgramFolder& folder) {
    // The file is only ever replaced whole: a read alone needs no lock of
    // other processes (an edit holds it around its read).
    std::lock_guard guard(queueFileMutex());
    std::string text;
    if (!readWholeFile(changeQueuePath(folder), text)) return {};
    std::vector<std::string> lines;
    for (std::string_view line : splitAny(text, "\n")) lines.emplace_back(line);
    return lines;
}

bool writeQueuedChanges(const ProgramFolder& folder, const std::vector<std::string>& lines) {
    detail::QueueFileGuard guard(folder);
    const std::string path = changeQueuePath(folder);
    if (lines.empty()) return removeFile(path) || !fileExists(path);
    std::string text;
    for (const std::string& line : lines) (text += line) += '\n';
    return writePrivateFile(path, text);
}

bool isChangeQueued(const ProgramFolder& folder, std::string_view line) {
    std::string text;
    if (line.empty() || !readWholeFile(changeQueuePath(folder), text)) return false;
    return contains(text, line);
}

bool queueChange(const ProgramFolder& folder, std::string_view line) {
    if (line.empty() || holdsLineBreak(line)) return false;
    detail::QueueFileGuard guard(folder);
    if (isChangeQueued(folder, line)) return true;
    const std::string path = changeQueuePath(folder);
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::fchmod(fd, 0600);
    // One write of line and line feed: a reader never sees half a line.
    std::string text(line);
    text += '\n';
    const ssize_t written = ::write(fd, text.data(), text.size());
    const bool ok = written == static_cast<ssize_t>(text.size()) && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool hasUncommittedChanges(const ProgramFolder& folder) {
    struct stat info {};
    if (::stat(changeQueuePath(folder).c_str(), &info) == 0 && info.st_size > 0) return true;
    removeUploadFilesUnlessCommitting(folder);
    return false;
}

bool isFailedChange(std::string_view line) { return line.ends_with(kFailedMarker); }

bool isParentChange(std::string_view line) { return holdsUnquotedWord(line, kParentMarker); }
bool isChildChange(std::string_view line) { return holdsUnquotedWord(line, kChildMarker); }

std::string failedForm(std::string_view line) {
    std::string failed(line);
    if (!isFailedChange(line)) failed += kFailedMarker;
    return failed;
}

std::string changeActionLabel(std::string_view line) {
    const bool campaign = contains(line, "-action=modifyCampaign");
    if (campaign && contains(line, "-status=\"Deleted\"")) return "Delete campaign";
    if (campaign) return "Modify campaign";
    if (contains(line, "-action=createCampaign")) return "Create campaign";
    if (contains(line, "-action=createAdGroup")) return contains(line, kParentMarker) ? "Upload ad group" : "Create ad group";
    if (contains(line, "-action=modifyAdGroup"))
        return contains(line, "-keywordFile=") ? "Set ad group keywords" : "Modify ad group";
    if (contains(line, "-action=deleteCreative")) return "Delete ad";
    if (contains(line, "-action=createCreative")) return "Create ad";
    if (contains(line, "-action=modifyCreative")) return "Modify ad";
    if (contains(line, "-todo=UploadAds")) return "Upload ads";
    if (contains(line, "-todo=UploadGroups")) return "Upload ad groups";
    return "Unknown action";
}

std::string changeTargetLabel(std::string_view line) {
    size_t at = line.find("-name=");
    if (at == std::string_view::npos) at = line.find("-headline=");
    if (at == std::string_view::npos) return "Unknown target";
    const size_t open = line.find('"', at);
    if (open == std::string_view::npos) return "Unknown target";
    const size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos || countCharacters(line.substr(open + 1, close - open - 1)) > 127)
        return "Unknown target";
    return std::string(line.substr(open + 1, close - open - 1));
}

std::vector<ChangeRow> changeRows(const std::vector<std::string>& lines) {
    std::vector<ChangeRow> rows;
    rows.reserve(lines.size());
    for (const std::string& line : lines) {
        ChangeRow row{changeActionLabel(line), changeTargetLabel(line), isFailedChange(line),
                      isChildChange(line), isParentChange(line)};
        if (row.child) {
            row.action = "|--" + row.action;
            row.target = "|--" + row.target;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void followParentSelection(const std::vector<std::string>& lines, std::vector<bool>& selected) {
    selected.resize(lines.size(), false);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!isParentChange(lines[i])) continue;
        for (size_t j = i + 1; j < lines.size() && isChildChange(lines[j]); ++j) selected[j] = selected[i];
    }
}

bool anyChangeSelected(const std::vector<bool>& selected) {
    for (bool on : selected)
        if (on) return true;
    return false;
}

std::vector<std::string> selectedChanges(const std::vector<std::string>& lines, const std::vector<bool>& selected) {
    std::vector<std::string> chosen;
    for (size_t i = 0; i < lines.size() && i < selected.size(); ++i)
        if (selected[i]) chosen.push_back(lines[i]);
    return chosen;
}

std::vector<std::string> takeQueuedLines(std::vector<std::string>& queued, const std::vector<std::string>& lines) {
    std::unordered_map<std::string_view, size_t> wanted;
    for (const std::string& line : lines) ++wanted[line];
    std::vector<std::string> taken;
    std::vector<std::string> kept;
    kept.reserve(queued.size());
    for (std::string& line : queued) {
        const auto it = wanted.find(line);
        const bool take = it != wanted.end() && it->second > 0;
        if (take) --it->second;
        (take ? taken : kept).push_back(std::move(line));
    }
    queued = std::move(kept);
    return taken;
}

ClearResult clearChanges(const ProgramFolder& folder, const std::vector<std::string>& lines) {
    const bool written =
        editQueuedChanges(folder, [&](std::vector<std::string>& queued) { takeQueuedLines(queued, lines); });
    return written ? ClearResult::Cleared : ClearResult::WriteFailed;
}

}  // namespace pw
