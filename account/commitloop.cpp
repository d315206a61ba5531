#include "account/commitloop.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <iterator>
#include <set>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "account/changequeue.h"
#include "account/profilerules.h"
#include "account/toolcommands.h"
#include "account/toolrecords.h"
#include "core/atomicfile.h"
#include "core/text.h"

namespace pw {

namespace {

struct CommitRun {
    CommitStatus status;
    std::deque<std::string> lines;  // the lines not yet done, the running one first
    int logFd = -1;                 // the commit file, open for appending
    std::optional<ProgramFolder> folder;
    std::optional<AccountProfile> profile;
    CurrentAds currentAds;
    int32_t processId = 0;
    std::optional<FileLock> fileLock;  // the commit lock file, held until the commit ends
    std::condition_variable ended;
};

CommitRun& run() {
    static CommitRun state;
    return state;
}

bool touchesCampaign(std::string_view line) {
    return contains(line, "modifyCampaign") || contains(line, "createCampaign");
}

std::string commitFilePath(const ProgramFolder& folder) { return googleFile(folder, kCommitFile); }

// Held by whichever process commits; the others leave the commit's files alone.
std::optional<FileLock> tryCommitLock(const ProgramFolder& folder) {
    return FileLock::tryAcquire(googleFile(folder, kCommitLockFile));
}

// The commit file is a log: the lines of the commit, written whole when it
// starts, then only appended events, so that a change costs a few bytes
// however many lines wait: "#run" (the first pending line's run is about to
// start), "#done" (the first pending line is done), "#front <line>" (a line
// put in front). A line that starts with '#' is written after "#=".
constexpr std::string_view kRunEvent = "#run";
constexpr std::string_view kDoneEvent = "#done";
constexpr std::string_view kFrontEvent = "#front ";
constexpr std::string_view kLineEscape = "#=";

std::string commitLogEntry(std::string_view line) {
    return (line.starts_with('#') ? std::string(kLineEscape) : std::string()) + std::string(line) + "\n";
}

bool writeCommitLog(const ProgramFolder& folder, const std::deque<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += commitLogEntry(line);
    return writePrivateFile(commitFilePath(folder), text);
}

// Appends events in one write and flushes them: a kill or a crash right
// after finds all of them or none.
bool appendToCommitLog(CommitRun& state, const std::vector<std::string>& events) {
    std::string text;
    for (const std::string& event : events) (text += event) += '\n';
    return state.logFd >= 0 && ::write(state.logFd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
           ::fdatasync(state.logFd) == 0;
}

struct CommitLogState {
    std::deque<std::string> lines;  // not yet done, in order
    bool runStarting = false;       // the first line's run may have started
};

CommitLogState readCommitLog(std::string_view text) {
    CommitLogState log;
    for (std::string_view piece : splitAny(text, "\n")) {
        if (piece.starts_with(kLineEscape)) {
            log.lines.emplace_back(piece.substr(kLineEscape.size()));
        } else if (piece.starts_with(kRunEvent)) {
            log.runStarting = true;
        } else if (piece == kDoneEvent) {
            if (!log.lines.empty()) log.lines.pop_front();
            log.runStarting = false;
        } else if (piece.starts_with(kFrontEvent)) {
            log.lines.emplace_front(piece.substr(kFrontEvent.size()));
            log.runStarting = false;
        } else {
            log.lines.emplace_back(piece);
        }
    }
    return log;
}

// The run lock: locked just before a change's run starts and inherited by
// that run, so it stays locked exactly as long as the run lives, even when
// the program that started it is killed at any moment. A descriptor, or -1.
int lockRunFile(const ProgramFolder& folder, bool wait) {
    const int fd = ::open(googleFile(folder, kRunLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    int locked = 0;
    while ((locked = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
    }
    if (locked == 0) return fd;
    ::close(fd);
    return -1;
}

// The line without its failed mark, to match a line with its failed form.
std::string_view baseForm(std::string_view line) {
    if (line.ends_with(kFailedMarker)) line.remove_suffix(kFailedMarker.size());
    return line;
}

// Puts lines back at the front of the queue in order, in one write; a line
// that is in the queue already (a write that happened just before a crash)
// moves, keeping its failed form if it has one.
bool returnToQueueFront(const ProgramFolder& folder, const std::deque<std::string>& lines) {
    return editQueuedChanges(folder, [&](std::vector<std::string>& queued) {
        std::unordered_map<std::string_view, std::vector<size_t>> positions;  // by base form, earliest at the back
        for (size_t i = queued.size(); i-- > 0;) positions[baseForm(queued[i])].push_back(i);
        std::vector<bool> moved(queued.size(), false);
        std::vector<std::string> result;
        result.reserve(queued.size() + lines.size());
        for (const std::string& line : lines) {
            auto found = positions.find(baseForm(line));
            if (found == positions.end() || found->second.empty()) {
                result.push_back(line);
                continue;
            }
            const size_t at = found->second.back();
            found->second.pop_back();
            moved[at] = true;
            result.push_back(queued[at]);
        }
        for (size_t i = 0; i < queued.size(); ++i)
            if (!moved[i]) result.push_back(std::move(queued[i]));
        queued = std::move(result);
    });
}

// Puts lines back behind whatever stayed in the queue, in one write; a line
// whose plain or failed form is queued already is not written again.
bool returnToQueueEnd(const ProgramFolder& folder, const std::deque<std::string>& lines) {
    return editQueuedChanges(folder, [&](std::vector<std::string>& queued) {
        std::unordered_set<std::string_view> present;  // views of lines that stay put meanwhile
        present.reserve(queued.size() + lines.size());
        for (const std::string& q : queued) present.insert(baseForm(q));
        std::vector<const std::string*> missing;
        for (const std::string& line : lines)
            if (present.insert(baseForm(line)).second) missing.push_back(&line);
        queued.reserve(queued.size() + missing.size());
        for (const std::string* line : missing) queued.push_back(*line);
    });
}

void endCommit(CommitRun& state) {
    state.lines.clear();
    if (state.logFd >= 0) ::close(state.logFd);
    state.logFd = -1;
    removeFile(commitFilePath(*state.folder));
    state.fileLock.reset();
    state.status.inProgress = false;
    state.status.runningText.clear();
    state.status.remaining = 0;
    state.ended.notify_all();
}

// The changes not run go back behind whatever stayed in the queue.
void requeueRest(CommitRun& state) {
    returnToQueueEnd(*state.folder, state.lines);
    state.lines.clear();
}

void onChangeCommitted(const std::optional<std::string>& outputPath, const ToolExit& exit);

// A line that does not name our account tool (a damaged queue) is never
// run: it goes back marked failed, and the commit goes on with the next.
void setAsideDamagedLine(CommitRun& state) {
    queueChange(*state.folder, failedForm(state.lines.front()));
    state.lines.pop_front();
    appendToCommitLog(state, {std::string(kDoneEvent)});
    ++state.status.failed;
    state.status.lastError = std::string(kNotAToolLineText);
}

enum class FirstLine { Started, NoneLeft, NotStarted };

// Starts the first line; called with commitLock held. The commit file says a
// run is starting before it starts, so a recovery after a kill at any moment
// waits for that run (through the run lock) and judges it by its answer.
FirstLine startFirstLine(CommitRun& state) {
    while (!state.lines.empty() && !isOwnToolLine(state.lines.front())) setAsideDamagedLine(state);
    if (state.lines.empty()) return FirstLine::NoneLeft;
    const std::string& line = state.lines.front();
    state.status.runningText = changeActionLabel(line) + " \"" + changeTargetLabel(line) + "\"...";
    state.status.remaining = state.lines.size();
    if (touchesCampaign(line)) state.status.campaignsTouched = true;
    removeFile(googleFile(*state.folder, kChangeOutput));
    const int runLock = lockRunFile(*state.folder, true);
    if (runLock < 0 || !appendToCommitLog(state, {std::string(kRunEvent)})) {
        if (runLock >= 0) ::close(runLock);
        return FirstLine::NotStarted;
    }
    int32_t processId = 0;
    const bool started = startAccountTool(*state.folder, line, onChangeCommitted, kChangeOutput, processId, runLock);
    ::close(runLock);  // the run holds its own copy until it ends
    if (!started) return FirstLine::NotStarted;
    state.processId = processId;
    return FirstLine::Started;
}

// The path of a file option ("-inFile=", "-keywordFile="), when short enough to be one of ours.
std::optional<std::string> fileOption(std::string_view line, std::string_view option) {
    const size_t at = line.find(option);
    if (at == std::string_view::npos) return std::nullopt;
    size_t start = at + option.size();
    if (start < line.size() && line[start] == '"') ++start;
    const size_t end = line.find('"', start);
    if (end == std::string_view::npos || end - start > 512) return std::nullopt;
    return std::string(line.substr(start, end - start));
}

// The values of one option on every line of a batch file: "\t-name=value"
// up to the next tab or the line's end.
std::vector<std::string> batchOptionValues(const std::string& batchPath, std::string_view option) {
    std::vector<std::string> values;
    std::string text;
    if (!readWholeFile(batchPath, text)) return values;
    const std::string tagged = "\t" + std::string(option);
    for (size_t at = text.find(tagged); at != std::string::npos; at = text.find(tagged, at + 1)) {
        const size_t start = at + tagged.size();
        const size_t end = std::min(text.find_first_of("\t\n", start), text.size());
        values.push_back(text.substr(start, end - start));
    }
    return values;
}

// The keyword files a batch file names.
void deleteKeywordFilesOfBatch(const std::string& batchPath) {
    for (const std::string& path : batchOptionValues(batchPath, "-keywordFile="))
        if (path.find("/kw") != std::string::npos && path.ends_with(".key")) removeFile(path);
}

// A change that ran needs its files no more: the batch file, the keyword
// files it names and the line's own keyword file.
void deleteFilesOfChange(std::string_view line) {
    if (auto batch = fileOption(line, "-inFile="); batch && !batch->empty()) {
        deleteKeywordFilesOfBatch(*batch);
        removeFile(*batch);
    }
    if (auto keywords = fileOption(line, "-keywordFile="); keywords && !keywords->empty()) removeFile(*keywords);
}

std::string withoutLineBreaks(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

// "%s/<group id><group name><n>.in", the first free n below 5000.
std::optional<std::string> freeAdsBatchPath(const ProgramFolder& folder, int32_t groupId, std::string groupName) {
    for (char& c : groupName)
        if (c == '/') c = '_';
    for (int n = 0; n < 5000; ++n) {
        std::string path = folder.googleFolder() + "/" + std::to_string(groupId) + groupName + std::to_string(n) + ".in";
        if (!fileExists(path)) return path;
    }
    return std::nullopt;
}

std::string adsBatchText(int32_t groupId, const AdList& ads) {
    std::string text = "-batchAction=createCreativeList\n";
    for (const Ad& ad : ads) {
        text += "-adGroupID=" + std::to_string(groupId) + "\t-headline=" + withoutLineBreaks(ad.title) +
                "\t-descr1=" + withoutLineBreaks(ad.line1) + "\t-descr2=" + withoutLineBreaks(ad.line2) +
                "\t-displayURL=" + withoutLineBreaks(ad.displayUrl) +
                "\t-destURL=" + outgoingDestinationUrl(withoutLineBreaks(ad.destinationUrl)) + "\t-approved=true\n";
    }
    text += "-end_createCreativeList";
    return text;
}

// The ad groups an upload line asks for: the "-name=" entries of its batch
// file, or the line's own ad group name.
std::vector<std::string> groupNamesOfUpload(std::string_view line) {
    if (!contains(line, "-todo=UploadGroups")) return {changeTargetLabel(line)};
    const auto batch = fileOption(line, "-inFile=");
    return batch ? batchOptionValues(*batch, "-name=") : std::vector<std::string>{};
}

// After an upload that created ad groups: the current ads of the project
// groups of the same names are uploaded next (the later group's first). A
// group of the upload whose ads cannot follow (not created under its name,
// or its ads not written) is reported, not counted as done.
void uploadCreatedGroupAds(CommitRun& state, const std::string& outputPath, std::string_view line,
                           std::vector<std::string>& events) {
    if (!isParentChange(line)) return;
    if (!contains(line, "-todo=UploadGroups") && !contains(line, "-action=createAdGroup")) return;
    std::string text;
    if (!readWholeFile(outputPath, text) || !state.profile) return;
    std::set<std::string> sent;
    for (const CreatedAdGroup& created : readCreatedAdGroups(text)) {
        const auto ads = state.currentAds.find(created.name);
        if (ads == state.currentAds.end() || ads->second.empty()) continue;
        const auto path = freeAdsBatchPath(*state.folder, created.id, created.name);
        if (!path) continue;
        if (!writePrivateFile(*path, adsBatchText(created.id, ads->second))) continue;
        if (const CommandLine upload = uploadAdsCommand(*state.profile, *path, created.name)) {
            state.lines.push_front(*upload);
            events.push_back(std::string(kFrontEvent) + *upload);
            sent.insert(created.name);
        } else {
            removeFile(*path);
        }
    }
    std::string missing;
    for (const std::string& name : groupNamesOfUpload(line)) {
        const auto ads = state.currentAds.find(name);
        if (ads == state.currentAds.end() || ads->second.empty() || sent.contains(name)) continue;
        ++state.status.adsNotUploaded;
        missing += (missing.empty() ? "\"" : ", \"") + name + "\"";
    }
    if (!missing.empty()) state.status.lastError = "The ads of the ad groups " + missing + " were not uploaded.";
}

// Why the running change counts as failed: the tool's refusal, or a run
// that ended badly (a crash, a kill, an error exit) without an answer. An
// exit 0 without an output file is a change done.
std::optional<std::string> failureOfRun(const std::optional<std::string>& outputPath, const ToolExit& exit) {
    if (outputPath) {
        if (auto error = readToolError(*outputPath)) return error->empty() ? "The account tool refused a change." : *error;
        if (fileExists(*outputPath)) return std::nullopt;
    }
    if (!exit.succeeded()) return toolExitText(exit);
    return std::nullopt;
}

void onChangeCommitted(const std::optional<std::string>& outputPath, const ToolExit& exit) {
    CommitRun& state = run();
    std::lock_guard guard(commitLock());
    if (state.lines.empty()) {
        endCommit(state);
        return;
    }
    if (auto error = failureOfRun(outputPath, exit)) {
        state.lines.front() = failedForm(state.lines.front());
        ++state.status.failed;
        state.status.lastError = *error;
        requeueRest(state);
        endCommit(state);
        return;
    }
    const std::string line = std::move(state.lines.front());
    state.lines.pop_front();
    ++state.status.done;
    std::vector<std::string> events{std::string(kDoneEvent)};
    if (outputPath) uploadCreatedGroupAds(state, *outputPath, line, events);
    // The commit file says the change is done (and which ads follow it)
    // before its answer and files go: a kill in between must not bring back
    // a change without its files.
    appendToCommitLog(state, events);
    if (outputPath) removeFile(*outputPath);
    deleteFilesOfChange(line);
    if (!state.lines.empty() && !state.status.stopRequested) {
        const FirstLine next = startFirstLine(state);
        if (next == FirstLine::Started) return;
        if (next == FirstLine::NotStarted) {
            // Nothing would ever end this commit: it ends here, and the
            // change that could not start goes back with the rest.
            state.lines.front() = failedForm(state.lines.front());
            ++state.status.failed;
            state.status.lastError = std::string(kNextChangeNotStartedText);
            state.status.startFailed = true;
        }
    }
    requeueRest(state);
    endCommit(state);
}

}  // namespace

namespace {

// Waits, at most a few minutes, until no run of an earlier commit lives (it
// keeps running when the program that started it was killed); false when
// one still runs.
bool waitForEarlierRun(const ProgramFolder& folder) {
    for (int i = 0; i < 3000; ++i) {
        if (const int fd = lockRunFile(folder, false); fd >= 0) {
            ::close(fd);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// The temporary files of an atomic write ("google.commit.XXXXXX") a kill left
// behind: they hold the password. The lock files are no temporary files.
void removeTempFilesOf(const ProgramFolder& folder, std::string_view fileName) {
    const std::string prefix = std::string(fileName) + ".";
    constexpr size_t kTempSuffix = 6;  // mkstemp's XXXXXX
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder.googleFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == prefix.size() + kTempSuffix && name.starts_with(prefix) && !name.ends_with(".lock") &&
            entry.is_regular_file(ec))
            removeFile(entry.path().string());
    }
}

// A finished upload that created ad groups, whose ads were still to be sent.
bool createdGroupsWithoutAds(std::string_view line, const std::string& outputPath) {
    if (!isParentChange(line)) return false;
    std::string text;
    return readWholeFile(outputPath, text) && !readCreatedAdGroups(text).empty();
}

}  // namespace

std::mutex& commitLock() {
    static std::mutex lock;
    return lock;
}

CurrentAds currentAdsOf(const Project& project) {
    CurrentAds ads;
    for (const auto& group : project.groups) ads.emplace(group->name, group->adLists[AdListKind::Current]);
    return ads;
}

namespace {

// Takes the chosen lines out of the queue: only lines still queued are
// taken (one queued line for each chosen one), in queue order.
std::deque<std::string> takeChosenLines(std::vector<std::string>& queued, const CommitRequest& request) {
    if (request.choice == ChangeChoice::Listed) {
        std::vector<std::string> taken = takeQueuedLines(queued, request.lines);
        return {std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end())};
    }
    std::deque<std::string> taken;
    std::vector<std::string> kept;
    for (std::string& line : queued)
        (request.choice == ChangeChoice::EveryQueued || !isFailedChange(line) ? taken.emplace_back(std::move(line))
                                                                               : kept.emplace_back(std::move(line)));
    queued = std::move(kept);
    return taken;
}

}  // namespace

CommitStart startCommit(CommitRequest request) {
    CommitRun& state = run();
    std::lock_guard guard(commitLock());
    if (state.status.inProgress) return CommitStart::AlreadyRunning;
    if (request.choice == ChangeChoice::Listed && request.lines.empty()) return CommitStart::NothingChosen;
    const ProgramFolder& folder = request.folder;
    // The commit lock first, then the queue: what another commit took out of
    // the queue is gone by the time this one reads it.
    std::optional<FileLock> fileLock = tryCommitLock(folder);
    if (!fileLock) return CommitStart::AlreadyRunning;
    if (fileExists(commitFilePath(folder))) return CommitStart::AlreadyRunning;  // not yet recovered
    std::deque<std::string> lines;
    {
        detail::QueueFileGuard queueGuard(folder);
        std::vector<std::string> queued = readQueuedChanges(folder);
        lines = takeChosenLines(queued, request);
        if (lines.empty()) return CommitStart::NothingChosen;
        // On disk before they leave the queue: a crash in between leaves
        // them in both, and the recovery keeps one of each.
        if (!writeCommitLog(folder, lines)) return CommitStart::QueueNotWritten;
        state.logFd = ::open(commitFilePath(folder).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (state.logFd < 0 || !writeQueuedChanges(folder, queued)) {
            if (state.logFd >= 0) ::close(state.logFd);
            state.logFd = -1;
            removeFile(commitFilePath(folder));
            return CommitStart::QueueNotWritten;
        }
    }
    state.status = CommitStatus{};
    state.status.inProgress = true;
    state.fileLock = std::move(fileLock);
    state.lines = std::move(lines);
    state.folder = request.folder;
    state.profile = std::move(request.profile);
    state.currentAds = std::move(request.currentAds);
    switch (startFirstLine(state)) {
    case FirstLine::Started: return CommitStart::Started;
    case FirstLine::NoneLeft: endCommit(state); return CommitStart::Started;
    case FirstLine::NotStarted: break;
    }
    returnToQueueFront(folder, state.lines);
    state.status.lastError = std::string(kToolStartFailedText);
    state.status.startFailed = true;
    endCommit(state);
    return CommitStart::ToolNotStarted;
}

CommitStatus commitStatus() {
    std::lock_guard guard(commitLock());
    return run().status;
}

bool commitInProgress() {
    std::lock_guard guard(commitLock());
    return run().status.inProgress;
}

std::string commitStatusLine(const CommitStatus& status) {
    if (status.stopRequested) return std::string(kStoppingText);
    if (!status.runningText.empty()) return status.runningText;
    return std::string(kCommittingText);
}

void requestCommitStop() {
    std::lock_guard guard(commitLock());
    if (run().status.inProgress) run().status.stopRequested = true;
}

bool waitForCommitEnd(std::chrono::milliseconds timeout) {
    std::unique_lock guard(commitLock());
    return run().ended.wait_for(guard, timeout, [] { return !run().status.inProgress; });
}

bool commitRunningOn(const ProgramFolder& folder) { return !lockOutCommits(folder); }

std::optional<FileLock> lockOutCommits(const ProgramFolder& folder) {
    if (commitInProgress()) return std::nullopt;
    return tryCommitLock(folder);
}

void removeUploadFilesUnlessCommitting(const ProgramFolder& folder) {
    if (lockOutCommits(folder)) removeLeftoverUploadFiles(folder);
}

CommitRecovery recoverInterruptedCommit(const ProgramFolder& folder) {
    CommitRecovery recovery;
    if (commitInProgress()) return recovery;
    // A commit of another process still needs its file, its lines and its runs.
    const auto fileLock = tryCommitLock(folder);
    if (!fileLock) return recovery;
    removeTempFilesOf(folder, kCommitFile);
    {
        detail::QueueFileGuard queueGuard(folder);  // no rewrite of the queue is half done
        removeTempFilesOf(folder, kChangeQueueFile);
    }
    const std::string path = commitFilePath(folder);
    std::string text;
    if (!readWholeFile(path, text)) return recovery;
    CommitLogState log = readCommitLog(text);
    std::deque<std::string>& lines = log.lines;
    if (log.runStarting && !lines.empty()) {
        // The first line's run may have started: once it has ended, its
        // output file says how. While it still runs, nothing is touched.
        if (!waitForEarlierRun(folder)) {
            recovery.stillRunning = true;
            return recovery;
        }
        const std::string output = googleFile(folder, kChangeOutput);
        if (fileExists(output)) {
            if (readToolError(output)) {
                lines.front() = failedForm(lines.front());
                recovery.lastFailed = true;
            } else {
                recovery.createdGroupsWithoutAds = createdGroupsWithoutAds(lines.front(), output);
                deleteFilesOfChange(lines.front());
                lines.pop_front();
                recovery.completed = 1;
                removeFile(output);
            }
        }
    }
    if (!lines.empty() && !returnToQueueFront(folder, lines)) return recovery;
    recovery.returned = lines.size();
    removeFile(path);
    return recovery;
}

std::string commitRecoveryMessage(const CommitRecovery& recovery) {
    if (recovery.stillRunning) return std::string(kEarlierRunStillRunningText);
    if (recovery.returned == 0 && !recovery.createdGroupsWithoutAds) return {};
    std::string text = "The last commit did not end.";
    if (recovery.returned > 0)
        text += " " + std::to_string(recovery.returned) +
                (recovery.returned == 1 ? " change that was not sent is" : " changes that were not sent are") +
                " back at the top of the change list.";
    if (recovery.lastFailed) text += " The change that was running was refused and is marked as failed.";
    if (recovery.createdGroupsWithoutAds)
        text += " The ad group upload that was running finished, but the ads of the ad groups it created were not "
                "uploaded.";
    return text;
}

}  // namespace pw
