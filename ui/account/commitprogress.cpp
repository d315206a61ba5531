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
        progress.endMessage = Message{status.lastError, std::string(kToolErrorCaption), Icon::Warning, Buttons::Ok};
    return progress;
}

CommitProgress pollBackgroundCommit() {
    CommitProgress progress = commitProgressNow();
    if (!progress.running && progress.campaignsTouched) campaignCache().clear();
    return progress;
}

}  // namespace pw::ui
