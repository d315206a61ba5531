#pragma once
// The change queue: every change to the advertising account is one complete
// account-tool command line, a line of "Google/google.queue", sent only when
// the user commits it. The file holds the account password in every line, so
// it is readable by the user alone.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/filelock.h"
#include "io/programfolder.h"

namespace pw {

// Markers of a line: a change that failed once ends in " -failed"; an
// upload whose run creates ad groups holds the word -parent; lines with the
// word -child belong to the nearest "-parent" line above them. The words
// count only outside quotes, so a name or a path may hold them.
constexpr std::string_view kFailedMarker = " -failed";
constexpr std::string_view kParentMarker = "-parent";
constexpr std::string_view kChildMarker = "-child";

std::string changeQueuePath(const ProgramFolder& folder);

// The queued lines in file order (a missing file holds none).
std::vector<std::string> readQueuedChanges(const ProgramFolder& folder);
// Replaces the whole queue (an empty list deletes the file).
bool writeQueuedChanges(const ProgramFolder& folder, const std::vector<std::string>& lines);
// Reads the queue, lets `edit` change the lines and writes them back, with no
// other queue write in between (false when the file cannot be written; the
// queue is then unchanged).
template <typename Edit>
bool editQueuedChanges(const ProgramFolder& folder, Edit edit);

// True when the line is in the queue afterwards; an already queued line
// (or one that a queued line contains, such as its failed form) is not
// written again. False for an empty line, one holding a line break, or a
// file that cannot be written.
bool queueChange(const ProgramFolder& folder, std::string_view line);
bool isChangeQueued(const ProgramFolder& folder, std::string_view line);
// True when the queue file holds anything. Otherwise, while no commit runs,
// the leftover keyword and batch files of uploads are deleted.
bool hasUncommittedChanges(const ProgramFolder& folder);

// The line as it goes back after a failed run (marked once only).
std::string failedForm(std::string_view line);
bool isFailedChange(std::string_view line);
bool isParentChange(std::string_view line);
bool isChildChange(std::string_view line);

// What the change list shows of a line.
std::string changeActionLabel(std::string_view line);
std::string changeTargetLabel(std::string_view line);

struct ChangeRow {
    std::string action;  // "|--" in front for a "-child" line
    std::string target;
    bool failed = false;
    bool child = false;
    bool parent = false;
    bool operator==(const ChangeRow&) const = default;
};
std::vector<ChangeRow> changeRows(const std::vector<std::string>& lines);

// The change list's selection rule: after the user changed the selection,
// every "-child" line that directly follows a "-parent" line takes the
// parent's state. `selected` has one entry per line.
void followParentSelection(const std::vector<std::string>& lines, std::vector<bool>& selected);
// OK is enabled while at least one row is selected.
bool anyChangeSelected(const std::vector<bool>& selected);
// The selected lines in file order.
std::vector<std::string> selectedChanges(const std::vector<std::string>& lines, const std::vector<bool>& selected);

// Takes one queued line out for each of `lines` (a line listed twice takes
// two); the others stay in order. The lines taken, in queue order.
std::vector<std::string> takeQueuedLines(std::vector<std::string>& queued, const std::vector<std::string>& lines);

// "Clear Changes...": removes these lines from the queue; lines queued since
// the list was read stay.
enum class ClearResult { Cleared, WriteFailed };
ClearResult clearChanges(const ProgramFolder& folder, const std::vector<std::string>& lines);

// The messages around queuing and clearing, as the windows show them.
constexpr std::string_view kQueuedText = "Action queued and ready to commit!";
constexpr std::string_view kQueuedCaption = "Success";
constexpr std::string_view kNotQueuedText = "The action could not be queued!";
constexpr std::string_view kNotQueuedCaption = "Queue error!";
constexpr std::string_view kClearedText = "Changes deleted successfully!";
constexpr std::string_view kClearedCaption = "Delete success";
constexpr std::string_view kClearFailedText = "Could not delete changes!";
constexpr std::string_view kClearFailedCaption = "Delete error";
constexpr std::string_view kPushCommitText = "Push \"Commit\" to upload your changes to Google";
constexpr std::string_view kNoChangesText = "No uncommited changes available";

namespace detail {
// One reader-writer of the queue file at a time: the window thread and the
// commit's watcher threads of this process, and other processes on the same
// folder (the command line beside the program) through the queue lock file.
// Guards nest within a thread; only the outermost takes the file lock.
struct QueueFileGuard {
    explicit QueueFileGuard(const ProgramFolder& folder);
    ~QueueFileGuard();
    QueueFileGuard(const QueueFileGuard&) = delete;
    QueueFileGuard& operator=(const QueueFileGuard&) = delete;

private:
    std::optional<FileLock> fileLock_;
};
}  // namespace detail

template <typename Edit>
bool editQueuedChanges(const ProgramFolder& folder, Edit edit) {
    detail::QueueFileGuard guard(folder);
    std::vector<std::string> lines = readQueuedChanges(folder);
    edit(lines);
    return writeQueuedChanges(folder, lines);
}

}  // namespace pw
