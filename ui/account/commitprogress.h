#pragma once
// What a window shows of the commit running in the background: the account
// manager while it is open, the main window once the manager closed during
// a commit. Both poll it every 500 ms.

#include <optional>
#include <string>

#include "account/commitloop.h"
#include "ui/common/desktop.h"

namespace pw::ui {

struct CommitProgress {
    bool running = false;
    // While running: "Stopping upload...", the running change, or
    // "Committing changes...".
    std::string statusText;
    bool stopRequested = false;
    // Once ended: the account tool's refusal, or why the commit could not go on.
    std::optional<Message> endMessage;
    // Once ended: a campaign was created or changed, so the campaign list is out of date.
    bool campaignsTouched = false;
};

// One consistent look at the commit.
CommitProgress commitProgress(const CommitStatus& status);
inline CommitProgress commitProgressNow() { return commitProgress(commitStatus()); }

// At a commit's end: a campaign list cached before the commit changed a
// campaign is forgotten, and the ad group list always, so that the managers
// read them afresh when they next open.
void forgetCachesAfterCommit(const CommitProgress& ended);

// A commit started by the manager has an end nobody reported yet, until the
// manager's poll or the main window's watch shows it: a manager closed
// between the end and its next poll leaves the end to the main window.
void commitStartedUnreported();
void commitEndReported();
bool commitEndUnreported();

// For the main window, every 500 ms after the account manager closed during
// a commit: the state now; the first poll that finds the commit ended
// forgets the caches it made stale.
CommitProgress pollBackgroundCommit();

// The main window's look at a commit the account manager left running,
// polled every 500 ms: its status line while it runs; at its end the tool's
// refusal, if any, is shown once. While the manager is open it follows the
// commit itself, so the watch stays quiet.
class BackgroundCommitWatch {
public:
    explicit BackgroundCommitWatch(Desktop& desktop) : desktop_(desktop) {}
    void managerOpened();
    void managerClosed();
    // The status line to show, or none.
    std::optional<std::string> poll();

private:
    // One look at the followed commit: its status line while it runs; at its
    // end the refusal is shown, the caches forgotten and the following ends.
    std::optional<std::string> reportEnd();

    Desktop& desktop_;
    bool managerOpen_ = false;
    bool following_ = false;
};

}  // namespace pw::ui
