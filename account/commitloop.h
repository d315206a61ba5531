#pragma once
// The background commit: the chosen queued changes run one after another,
// one account-tool run at a time, each next one started from the watcher
// thread of the previous run. A change the tool refuses goes back to the
// queue marked " -failed", with every change not yet run behind it.
//
// The lines being committed stay on disk ("Google/google.commit") until each
// one is done, so a crash or a kill loses none: the next start puts them back
// at the front of the queue (recoverInterruptedCommit).

#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "account/accountprofile.h"
#include "core/ad.h"
#include "core/filelock.h"
#include "core/project.h"
#include "io/programfolder.h"

namespace pw {

constexpr std::string_view kCommitFile = "google.commit";

// Guards the commit state and the kept process id of a stopped run.
std::mutex& commitLock();

// The current ad list of every project group, by name, taken on the window
// thread when the commit starts: the ads of groups an upload creates come
// from it (the watcher threads never touch the project).
using CurrentAds = std::map<std::string, AdList>;
CurrentAds currentAdsOf(const Project& project);

// Which queued lines a commit takes, judged against the queue when the
// commit starts (never against a list read earlier).
enum class ChangeChoice {
    Listed,         // the lines the user chose in the change list, those still queued
    NotFailed,      // every queued line that did not fail before
    EveryQueued,    // every queued line
};

struct CommitRequest {
    ProgramFolder folder;
    std::vector<std::string> lines;         // the lines chosen, in queue order (for Listed)
    std::optional<AccountProfile> profile;  // the default profile, for the ads of created groups
    CurrentAds currentAds;
    ChangeChoice choice = ChangeChoice::Listed;
};

enum class CommitStart {
    Started,
    NothingChosen,     // nothing chosen is queued (any more); the queue is unchanged
    AlreadyRunning,    // a commit is in progress: nothing happens
    QueueNotWritten,   // "Could not delete changes!"
    ToolNotStarted,    // the lines went back to the front of the queue
};
// Takes the commit lock, then the chosen lines that are still queued out of
// the queue, keeps them in the commit file and starts the first; only lines
// taken so are ever sent. A commit of another process on the same folder (the
// command line beside the program) counts as running: the commit lock file
// is held from the start of a commit to its end.
CommitStart startCommit(CommitRequest request);

struct CommitStatus {
    bool inProgress = false;
    bool stopRequested = false;
    bool campaignsTouched = false;  // a campaign was created or changed: read the list again
    std::string runningText;        // `Create campaign "Spring"...`
    size_t remaining = 0;           // changes not yet done, the running one included
    size_t done = 0;
    size_t failed = 0;              // changes that went back marked " -failed"
    size_t adsNotUploaded = 0;      // created ad groups whose project ads could not follow
    std::string lastError;          // the tool's refusal, or why the commit could not go on
    bool startFailed = false;       // lastError says a change's run could not be started (a file error)
};
CommitStatus commitStatus();
// The close refusal and the windows' disabling while a commit runs.
bool commitInProgress();
// The status line while a commit runs: "Stopping upload..." when a stop was
// asked for, else the running change, else "Committing changes...".
std::string commitStatusLine(const CommitStatus& status);
// The running change finishes; the others go back to the queue.
void requestCommitStop();
// Blocks until no commit runs (the command line's foreground commit); false
// when the time ran out.
bool waitForCommitEnd(std::chrono::milliseconds timeout = std::chrono::hours(24));

// What the next start found of a commit that did not end.
struct CommitRecovery {
    size_t returned = 0;   // lines put back at the front of the queue
    size_t completed = 0;  // the change that was running had finished: not put back
    bool lastFailed = false;
    bool createdGroupsWithoutAds = false;  // a finished group upload whose new groups' ads were not sent
    bool stillRunning = false;  // the interrupted commit's run has not ended yet: nothing was touched
};
// Call once at start-up (and before a command-line commit). The interrupted
// commit's lines go back to the front of the queue in order; a change whose
// run ended after the program did is judged by its output file. While a
// commit runs (here or in another process) nothing is touched.
CommitRecovery recoverInterruptedCommit(const ProgramFolder& folder);
// Deletes the keyword and batch files of uploads when no commit runs in any
// process (a running one still needs them).
void removeUploadFilesUnlessCommitting(const ProgramFolder& folder);
// A commit runs in this program, or in another one on the same folder.
bool commitRunningOn(const ProgramFolder& folder);
// The commit lock of the folder when no commit runs anywhere on it: while it
// is held, none can start (in this program or another). None when one runs.
std::optional<FileLock> lockOutCommits(const ProgramFolder& folder);
// The message a window shows after a recovery that returned lines (empty when none).
std::string commitRecoveryMessage(const CommitRecovery& recovery);

// The fixed texts of the commit.
constexpr std::string_view kCommittingText = "Committing changes...";
constexpr std::string_view kStoppingText = "Stopping upload...";
constexpr std::string_view kCommitHintText =
    "You can click 'Close' if you want to continue using \"Phrasewright\" while the commit is running!";
constexpr std::string_view kCommitHintCaption = "Commit in background";
constexpr std::string_view kCloseRefusedText = "Cannot close program! Google upload in progress!";
constexpr std::string_view kCloseRefusedCaption = "Google upload active";
constexpr std::string_view kCommitAlreadyRunningText = "Another commit is running; commit again when it has ended.";
constexpr std::string_view kNotAToolLineText =
    "A queued change does not start with the account tool and was not run; it is marked as failed.";
constexpr std::string_view kEarlierRunStillRunningText =
    "A change of the last commit is still running; its changes stay aside until it has ended.";
constexpr std::string_view kNextChangeNotStartedText =
    "The account tool could not be started for the next change; it and the changes after it are back in the queue.";

}  // namespace pw
