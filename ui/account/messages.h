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

inline Message engineBox(std::string_view text, std::string_view caption, Icon icon) {
    return {std::string(text), std::string(caption), icon, Buttons::Ok};
}
inline const Message kActionQueued = engineBox(kQueuedText, kQueuedCaption, Icon::Information);
inline const Message kActionNotQueued = engineBox(kNotQueuedText, kNotQueuedCaption, Icon::Error);
inline const Message kChangesCleared = engineBox(kClearedText, kClearedCaption, Icon::Information);
inline const Message kChangesNotCleared = engineBox(kClearFailedText, kClearFailedCaption, Icon::Error);
inline const Message kToolNotStarted = engineBox(kToolStartFailedText, kToolStartFailedCaption, Icon::Error);
inline const Message kCommitHint = engineBox(kCommitHintText, kCommitHintCaption, Icon::Information);
inline const Message kCommitAlreadyRunning = engineBox(kCommitAlreadyRunningText, kCloseRefusedCaption, Icon::Information);
inline const Message kConfirmProjectUpload{std::string(kConfirmProjectUploadText),
                                           std::string(kConfirmProjectUploadCaption), Icon::Warning, Buttons::YesNo};
inline const Message kCloseRefusedDuringUpload = engineBox(kCloseRefusedText, kCloseRefusedCaption, Icon::Information);

// What the account tool answered when it failed, or why it did not start.
inline Message toolProblem(const std::string& text) { return engineBox(text, kToolErrorCaption, Icon::Warning); }
inline Message toolStartProblem(const std::string& text) {
    return engineBox(text, kToolStartFailedCaption, Icon::Error);
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
