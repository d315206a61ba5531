#include "ui/account/projectimport.h"
#include "ui/account/messages.h"

#include "account/changequeue.h"

namespace pw::ui {

std::optional<Message> uploadOutcomeMessage(const UploadOutcome& outcome) {
    const auto box = [&](Icon icon) { return boxOf(outcome.message, icon); };
    switch (outcome.result) {
    case UploadResult::Queued: return box(Icon::Information);
    case UploadResult::NotQueued: return box(Icon::Error);
    case UploadResult::Refused: return box(Icon::Warning);
    case UploadResult::Aborted: break;
    }
    return std::nullopt;
}

bool answerUploadWarning(Desktop& desktop, const MessageText& warning) {
    return desktop.message(boxOf(warning, Icon::Warning, Buttons::YesNo)) == Answer::Yes;
}

void importProjectIntoCampaign(Desktop& desktop, AccountWindows& windows, const ProgramFolder& folder,
                               const SettingsStore& settings, const Project& project, const AccountCampaign& campaign) {
    if (desktop.message(kConfirmProjectUpload) != Answer::Yes) return;
    const std::optional<KeywordTypesChoice> choice = windows.chooseKeywordTypes(false);
    if (!choice) return;
    const std::optional<AccountProfile> profile = loadDefaultProfile(folder, settings.values().defaultProfile);
    if (!profile) {
        desktop.message(boxOf(profileMessage(ProfileMessage::DefaultNotLoaded), Icon::Error));
        return;
    }
    const UploadOutcome outcome =
        uploadProject(folder, project, campaign, *profile, *choice,
                      [&](UploadWarning, const MessageText& warning) { return answerUploadWarning(desktop, warning); });
    if (const std::optional<Message> message = uploadOutcomeMessage(outcome)) desktop.message(*message);
}

}  // namespace pw::ui
