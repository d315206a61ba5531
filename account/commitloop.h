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

struct CommitRequest {
    ProgramFolder folder;
    std::vector<std::string> lines;         // the lines chosen, in queue order
    std::optional<AccountProfile> profile;  // the default profile, for the ads of created groups
    CurrentAds currentAds;
};

enum class CommitStart {
    Started,
    NothingChosen,     // nothing to do; the queue is unchanged
    AlreadyRunning,    // a commit is in progress: nothing happens
    QueueNotWritten,   // "Could not delete changes!"
    ToolNotStarted,    // the lines went back to the front of the queue
};
// Takes the chosen lines out of the queue, keeps them in the commit file and
// starts the first. A commit of another process on the same folder (the
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
};
// Call once at start-up (and before a command-line commit). The interrupted
// commit's lines go back to the front of the queue in order; a change whose
// run ended after the program did is judged by its output file. While a
// commit runs (here or in another process) nothing is touched.
CommitRecovery recoverInterruptedCommit(const ProgramFolder& folder);
// The process is a run of the account tool started in this folder's Google
// folder (a process id given to another program since is not).
bool isAccountToolRun(const ProgramFolder& folder, int32_t processId);
// Deletes the keyword and batch files of uploads when no commit runs in any
// process (a running one still needs them).
void removeUploadFilesUnlessCommitting(const ProgramFolder& folder);
// A commit runs in this program, or in another one on the same folder.
bool commitRunningOn(const ProgramFolder& folder);
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
constexpr std::string_view kNextChangeNotStartedText =
    "The account tool could not be started for the next change; it and the changes after it are back in the queue.";

}  // namespace pw
