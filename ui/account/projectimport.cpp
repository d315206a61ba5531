#include "ui/account/projectimport.h"

#include "account/changequeue.h"

namespace pw::ui {

std::optional<Message> uploadOutcomeMessage(const UploadOutcome& outcome) {
    const auto box = [&](Icon icon) { return Message{outcome.message.text, outcome.message.caption, icon, Buttons::Ok}; };
    switch (outcome.result) {
    case UploadResult::Queued: return box(Icon::Information);
    case UploadResult::NotQueued: return box(Icon::Error);
    case UploadResult::Refused: return box(Icon::Warning);
    case UploadResult::Aborted: break;
    }
    return std::nullopt;
}

bool answerUploadWarning(Desktop& desktop, const MessageText& warning) {
    return desktop.message({warning.text, warning.caption, Icon::Warning, Buttons::YesNo}) == Answer::Yes;
}

void importProjectIntoCampaign(Desktop& desktop, AccountWindows& windows, const ProgramFolder& folder,
                               const SettingsStore& settings, const Project& project, const AccountCampaign& campaign) {
    const Message confirm{std::string(kConfirmProjectUploadText), std::string(kConfirmProjectUploadCaption),
                          Icon::Warning, Buttons::YesNo};
    if (desktop.message(confirm) != Answer::Yes) return;
    const std::optional<KeywordTypesChoice> choice = windows.chooseKeywordTypes(false);
    if (!choice) return;
    const std::optional<AccountProfile> profile = loadDefaultProfile(folder, settings.values().defaultProfile);
    if (!profile) {
        const MessageText text = profileMessage(ProfileMessage::DefaultNotLoaded);
        desktop.message({text.text, text.caption, Icon::Error, Buttons::Ok});
        return;
    }
    const UploadOutcome outcome =
        uploadProject(folder, project, campaign, *profile, *choice,
                      [&](UploadWarning, const MessageText& warning) { return answerUploadWarning(desktop, warning); });
    if (const std::optional<Message> message = uploadOutcomeMessage(outcome)) desktop.message(*message);
}

}  // namespace pw::ui
