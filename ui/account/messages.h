#pragma once
// What the account windows say. Most texts are the account engine's own, as
// the command line prints them too; here they get their boxes.

#include <string>

#include "account/accounttool.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "account/profilerules.h"
#include "account/projectupload.h"
#include "ui/common/desktop.h"

namespace pw::ui {

// A text of the account engine in a box with this icon.
inline Message boxOf(const MessageText& text, Icon icon, Buttons buttons = Buttons::Ok) {
    return {text.text, text.caption, icon, buttons};
}

inline const Message kActionQueued = messageOf(kQueuedText, kQueuedCaption, Icon::Information);
inline const Message kActionNotQueued = messageOf(kNotQueuedText, kNotQueuedCaption, Icon::Error);
inline const Message kChangesCleared = messageOf(kClearedText, kClearedCaption, Icon::Information);
inline const Message kChangesNotCleared = messageOf(kClearFailedText, kClearFailedCaption, Icon::Error);
inline const Message kToolNotStarted = messageOf(kToolStartFailedText, kToolStartFailedCaption, Icon::Error);
inline const Message kCommitHint = messageOf(kCommitHintText, kCommitHintCaption, Icon::Information);
inline const Message kCommitAlreadyRunning = messageOf(kCommitAlreadyRunningText, kCloseRefusedCaption, Icon::Information);
inline const Message kConfirmProjectUpload =
    messageOf(kConfirmProjectUploadText, kConfirmProjectUploadCaption, Icon::Warning, Buttons::YesNo);
inline const Message kCloseRefusedDuringUpload = messageOf(kCloseRefusedText, kCloseRefusedCaption, Icon::Information);

// What the account tool answered when it failed, or why it did not start.
inline Message toolProblem(const std::string& text) { return messageOf(text, kToolErrorCaption, Icon::Warning); }
inline Message toolStartProblem(const std::string& text) {
    return messageOf(text, kToolStartFailedCaption, Icon::Error);
}
inline Message invalidInput(const std::string& text) { return {text, "Invalid input", Icon::Warning, Buttons::Ok}; }
inline Message keywordNotUploadable(const std::string& keyword) {
    return invalidInput("The keyword \"" + keyword +
                        "\" holds \";\", \"/\", a tab or a line break, which the account tool cannot take. Change it "
                        "before saving.");
}
inline Message confirmDeleteCampaign(const std::string& name) {
    return {"Are you sure you want to delete campaign '" + name + "'?", "Confirm delete", Icon::Question,
            Buttons::YesNo};
}
inline Message confirmDeleteAccountAd(const std::string& headline) {
    return {"Are you sure you want to delete ad \"" + headline + "\"?", "Confirm delete", Icon::Question,
            Buttons::YesNo};
}

}  // namespace pw::ui
