#include "ui/account/commitprogress.h"
#include "ui/account/messages.h"

#include "account/accountcaches.h"
#include "account/accounttool.h"

namespace pw::ui {

CommitProgress commitProgress(const CommitStatus& status) {
    CommitProgress progress;
    progress.running = status.inProgress;
    progress.stopRequested = status.stopRequested;
    if (status.inProgress) {
        progress.statusText = commitStatusLine(status);
        return progress;
    }
    progress.campaignsTouched = status.campaignsTouched;
    if (!status.lastError.empty())
        progress.endMessage = status.startFailed
                                  ? toolStartProblem(status.lastError)
                                  : toolProblem(status.lastError);
    return progress;
}

namespace {
bool endUnreported = false;  // the window thread's alone
}  // namespace

void commitStartedUnreported() { endUnreported = true; }
void commitEndReported() { endUnreported = false; }
bool commitEndUnreported() { return endUnreported; }

void forgetCachesAfterCommit(const CommitProgress& ended) {
    if (ended.campaignsTouched) campaignCache().clear();
    // Any change may have touched an ad group, its keywords or its ads, and a
    // cached bid sent back by "Save" would undo the commit.
    adGroupCache().clear();
}

CommitProgress pollBackgroundCommit() {
    CommitProgress progress = commitProgressNow();
    if (!progress.running) forgetCachesAfterCommit(progress);
    return progress;
}

void BackgroundCommitWatch::managerOpened() {
    // A commit that ended since the last poll is reported now, and its
    // caches forgotten before the manager reads them.
    if (following_ && !managerOpen_) reportEnd();
    managerOpen_ = true;
    following_ = false;
}

void BackgroundCommitWatch::managerClosed() {
    managerOpen_ = false;
    following_ = commitInProgress() || commitEndUnreported();
}

std::optional<std::string> BackgroundCommitWatch::poll() {
    if (managerOpen_ || !following_) return std::nullopt;
    return reportEnd();
}

std::optional<std::string> BackgroundCommitWatch::reportEnd() {
    const CommitProgress progress = pollBackgroundCommit();
    if (progress.running) return progress.statusText;
    // Before the message: it waits for the user while the timer goes on.
    following_ = false;
    commitEndReported();
    if (progress.endMessage) desktop_.message(*progress.endMessage);
    return std::nullopt;
}

}  // namespace pw::ui
