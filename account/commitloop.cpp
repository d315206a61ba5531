#include "account/commitloop.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

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
    std::vector<std::string> lines;  // the lines not yet done, the running one first
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

// The commit file: an optional first line "#run" written just before the
// first line's run is started, then the lines not yet done. Written whole
// and replaced atomically, for the user alone.
constexpr std::string_view kRunHeader = "#run";

bool writeCommitFile(const ProgramFolder& folder, const std::vector<std::string>& lines, bool runStarting) {
    std::string text;
    if (runStarting) (text += kRunHeader) += "\n";
    for (const std::string& line : lines) (text += line) += '\n';
    return writePrivateFile(commitFilePath(folder), text);
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

// Puts lines back at the front of the queue in order; a line that is in the
// queue already (a write that happened just before a crash) moves, keeping
// its failed form if it has one.
bool returnToQueueFront(const ProgramFolder& folder, const std::vector<std::string>& lines) {
    return editQueuedChanges(folder, [&](std::vector<std::string>& queued) {
        std::vector<std::string> front;
        for (const std::string& line : lines) {
            auto it = std::find_if(queued.begin(), queued.end(),
                                   [&](const std::string& q) { return baseForm(q) == baseForm(line); });
            if (it != queued.end()) {
                front.push_back(std::move(*it));
                queued.erase(it);
            } else {
                front.push_back(line);
            }
        }
        queued.insert(queued.begin(), std::make_move_iterator(front.begin()), std::make_move_iterator(front.end()));
    });
}

void endCommit(CommitRun& state) {
    state.lines.clear();
    removeFile(commitFilePath(*state.folder));
    state.fileLock.reset();
    state.status.inProgress = false;
    state.status.runningText.clear();
    state.status.remaining = 0;
    state.ended.notify_all();
}

// The changes not run go back behind whatever stayed in the queue.
void requeueRest(CommitRun& state) {
    for (const std::string& line : state.lines) queueChange(*state.folder, line);
    state.lines.clear();
}

void onChangeCommitted(const std::optional<std::string>& outputPath, const ToolExit& exit);

// A line that does not name our account tool (a damaged queue) is never
// run: it goes back marked failed, and the commit goes on with the next.
void setAsideDamagedLine(CommitRun& state) {
    queueChange(*state.folder, failedForm(state.lines.front()));
    state.lines.erase(state.lines.begin());
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
    if (runLock < 0 || !writeCommitFile(*state.folder, state.lines, true)) {
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
void uploadCreatedGroupAds(CommitRun& state, const std::string& outputPath, std::string_view line) {
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
            state.lines.insert(state.lines.begin(), *upload);
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
        queueChange(*state.folder, failedForm(state.lines.front()));
        state.lines.erase(state.lines.begin());
        ++state.status.failed;
        state.status.lastError = *error;
        requeueRest(state);
        endCommit(state);
        return;
    }
    const std::string line = std::move(state.lines.front());
    state.lines.erase(state.lines.begin());
    ++state.status.done;
    if (outputPath) uploadCreatedGroupAds(state, *outputPath, line);
    // The commit file says the change is done before its answer and files
    // go: a kill in between must not bring back a change without its files.
    writeCommitFile(*state.folder, state.lines, false);
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
std::vector<std::string> takeChosenLines(std::vector<std::string>& queued, const CommitRequest& request) {
    std::vector<std::string> taken;
    std::vector<std::string> kept;
    std::vector<std::string> wanted = request.lines;
    for (std::string& line : queued) {
        bool chosen = false;
        if (request.choice == ChangeChoice::Listed) {
            if (auto it = std::find(wanted.begin(), wanted.end(), line); it != wanted.end()) {
                wanted.erase(it);
                chosen = true;
            }
        } else {
            chosen = request.choice == ChangeChoice::EveryQueued || !isFailedChange(line);
        }
        (chosen ? taken : kept).push_back(std::move(line));
    }
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
    std::vector<std::string> lines;
    {
        detail::QueueFileGuard queueGuard(folder);
        std::vector<std::string> queued = readQueuedChanges(folder);
        lines = takeChosenLines(queued, request);
        if (lines.empty()) return CommitStart::NothingChosen;
        // On disk before they leave the queue: a crash in between leaves
        // them in both, and the recovery keeps one of each.
        if (!writeCommitFile(folder, lines, false)) return CommitStart::QueueNotWritten;
        if (!writeQueuedChanges(folder, queued)) {
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
    std::vector<std::string> lines;
    bool runStarting = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view piece = std::string_view(text).substr(start, end - start);
        if (piece.starts_with(kRunHeader)) runStarting = true;
        else if (!piece.empty()) lines.emplace_back(piece);
        start = end + 1;
    }
    if (runStarting && !lines.empty()) {
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
                lines.erase(lines.begin());
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
