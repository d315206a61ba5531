#include "ui/account/commitprogress.h"

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
                                  ? Message{status.lastError, std::string(kToolStartFailedCaption), Icon::Error, Buttons::Ok}
                                  : Message{status.lastError, std::string(kToolErrorCaption), Icon::Warning, Buttons::Ok};
    return progress;
}

CommitProgress pollBackgroundCommit() {
    CommitProgress progress = commitProgressNow();
    if (!progress.running && progress.campaignsTouched) campaignCache().clear();
    return progress;
}

void BackgroundCommitWatch::managerOpened() {
    managerOpen_ = true;
    following_ = false;
}

void BackgroundCommitWatch::managerClosed() {
    managerOpen_ = false;
    following_ = commitInProgress();
}

std::optional<std::string> BackgroundCommitWatch::poll() {
    if (managerOpen_ || !following_) return std::nullopt;
    const CommitProgress progress = pollBackgroundCommit();
    if (progress.running) return progress.statusText;
    // Before the message: it waits for the user while the timer goes on.
    following_ = false;
    if (progress.endMessage) desktop_.message(*progress.endMessage);
    return std::nullopt;
}

}  // namespace pw::ui
