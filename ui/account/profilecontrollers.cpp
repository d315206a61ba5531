#include "ui/account/profilecontrollers.h"
#include "ui/account/messages.h"

#include "account/commitloop.h"

namespace pw::ui {

namespace {

void show(Desktop& desktop, const MessageText& text, Icon icon) { desktop.message(boxOf(text, icon)); }

}  // namespace

ProfileChooserController::ProfileChooserController(Desktop& desktop, CommandGate& gate, AccountWindows& windows,
                                                   ProgramFolder folder, SettingsStore& settings)
    : desktop_(desktop), gate_(gate), windows_(windows), folder_(std::move(folder)), settings_(settings) {}

void ProfileChooserController::fill() {
    gate_.run(Needs::Nothing, [this] { fillNow(); });
}

void ProfileChooserController::fillNow() {
    rows_ = profileRows(folder_, settings_.values().defaultProfile);
    selected_ = -1;
    if (rows_.size() == 1) {
        selected_ = 0;
        // Not while a commit runs: the commit still needs the queue and its
        // upload files, and nobody asked for the change.
        if (!commitInProgress()) setDefaultNow();
    }
}

void ProfileChooserController::selectRow(int row) {
    gate_.run(Needs::Nothing, [&] { selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1; });
}

const std::string* ProfileChooserController::selectedName() const {
    return selected_ >= 0 ? &rows_[selected_].name : nullptr;
}

void ProfileChooserController::setDefault() {
    gate_.run(Needs::Nothing, [this] { setDefaultNow(); });
}

void ProfileChooserController::setDefaultNow() {
    const std::string* name = selectedName();
    if (!name) return;
    // The running commit belongs to the current default: dropping its queue
    // and upload files now would lose changes the commit puts back.
    if (setDefaultProfile(settings_, folder_, *name) == DefaultProfileResult::CommitRunning) {
        show(desktop_, profileMessage(ProfileMessage::UploadRunning), Icon::Information);
        return;
    }
    for (ProfileRow& row : rows_) row.isDefault = &row.name == name;
}

void ProfileChooserController::create() {
    gate_.run(Needs::Nothing, [this] {
        AccountProfile profile;
        while (const std::optional<AccountProfile> entered = windows_.editProfile(profile, true)) {
            ProfileCheck check;
            const ProfileSaveResult result = createProfile(folder_, *entered, &check);
            if (result == ProfileSaveResult::Saved || result == ProfileSaveResult::WriteFailed) break;
            // A refused name: the editor opens again on what was typed.
            show(desktop_, profileProblemMessage(check), Icon::Warning);
            profile = *entered;
        }
        fillNow();
    });
}

void ProfileChooserController::edit() {
    gate_.run(Needs::Nothing, [this] {
        const std::string* name = selectedName();
        if (!name) return;
        const std::string fileName = *name;
        const std::optional<AccountProfile> loaded = loadProfile(profilePath(folder_, fileName));
        if (!loaded) {
            show(desktop_, profileMessage(ProfileMessage::CouldNotLoad), Icon::Warning);
            fillNow();
            return;
        }
        if (const std::optional<AccountProfile> edited = windows_.editProfile(*loaded, loaded->name.empty()))
            updateProfile(folder_, fileName, *edited);
    });
}

void ProfileChooserController::remove() {
    gate_.run(Needs::Nothing, [this] {
        const std::string* name = selectedName();
        if (!name) return;
        const MessageText question = profileMessage(ProfileMessage::ConfirmDelete, *name);
        if (desktop_.message(boxOf(question, Icon::Question, Buttons::YesNo)) == Answer::Yes &&
            !deleteProfile(folder_, *name))
            show(desktop_, profileMessage(ProfileMessage::CouldNotDelete), Icon::Warning);
        fillNow();
    });
}

void ProfileChooserController::rename() {
    gate_.run(Needs::Nothing, [this] {
        const std::string* name = selectedName();
        if (!name) return;
        const std::string from = *name;
        const std::optional<std::string> to = windows_.renameProfile(from);
        if (to && *to != from && !renameProfile(folder_, from, *to))
            show(desktop_, profileMessage(ProfileMessage::CouldNotRename), Icon::Warning);
        fillNow();
    });
}

ProfileEditorController::ProfileEditorController(Desktop& desktop, CommandGate& gate, const AccountProfile& p,
                                                 bool nameEditable)
    : desktop_(desktop),
      gate_(gate),
      form_{p.name,
            p.email,
            p.password,
            p.clientEmail,
            p.token,
            p.useProxy,
            p.proxyType >= 0 && p.proxyType <= 2 ? p.proxyType : 0,
            p.proxyAddress,
            proxyPortText(p.proxyPort),
            p.proxyUser,
            p.proxyPassword},
      nameEditable_(nameEditable) {}

void ProfileEditorController::openTokenPage() {
    gate_.run(Needs::Nothing, [this] { desktop_.openAddress(std::string(kTokenRequestPage)); });
}

AccountProfile ProfileEditorController::profile() const {
    AccountProfile p;
    p.name = form_.name;
    p.email = form_.email;
    p.password = form_.password;
    p.clientEmail = form_.clientEmail;
    p.token = form_.token;
    p.useProxy = form_.useProxy;
    p.proxyType = form_.proxyType;
    p.proxyAddress = form_.proxyAddress;
    p.proxyPort = proxyPortFromText(form_.proxyPort);
    p.proxyUser = form_.proxyUser;
    p.proxyPassword = form_.proxyPassword;
    return p;
}

bool ProfileEditorController::save() {
    bool saved = false;
    gate_.run(Needs::Nothing, [&] {
        const ProfileCheck check = checkProfile(profile());
        saved = check.ok();
        if (saved) return;
        focus_ = check.field;
        show(desktop_, profileProblemMessage(check), Icon::Warning);
    });
    return saved;
}

}  // namespace pw::ui
