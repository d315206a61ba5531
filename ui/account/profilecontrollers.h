#pragma once
// The profile windows' logic: the chooser (CDialogSelectGoogleAccount) with
// its default column and the files behind its buttons, the editor
// (CDialogEditGoogleAccount) with its fields, and the rename dialog's rule.

#include <string>
#include <vector>

#include "account/profilerules.h"
#include "io/appsettings.h"
#include "ui/account/accountwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"

namespace pw::ui {

class ProfileChooserController {
public:
    // The profiles are no part of the project: the commands pass `gate` for its guard alone.
    ProfileChooserController(Desktop& desktop, CommandGate& gate, AccountWindows& windows, ProgramFolder folder,
                             SettingsStore& settings);

    // Lists the profile files; a single profile becomes the default at once.
    void fill();
    const std::vector<ProfileRow>& rows() const { return rows_; }
    int selectedRow() const { return selected_; }
    void selectRow(int row);
    // "Set default", "Edit", "Delete" and "Rename".
    bool rowActionsEnabled() const { return selected_ >= 0; }

    void setDefault();
    void create();
    void edit();
    void remove();
    void rename();

private:
    const std::string* selectedName() const;
    void fillNow();
    void setDefaultNow();

    Desktop& desktop_;
    CommandGate& gate_;
    AccountWindows& windows_;
    ProgramFolder folder_;
    SettingsStore& settings_;
    std::vector<ProfileRow> rows_;
    int selected_ = -1;
};

// The editor's fields as texts, as the window shows them.
struct ProfileForm {
    std::string name;
    std::string email;
    std::string password;
    std::string clientEmail;
    std::string token;
    bool useProxy = false;
    int proxyType = 0;  // position in "HTTP", "HTTPS", "SOCKS"
    std::string proxyAddress;
    std::string proxyPort;
    std::string proxyUser;
    std::string proxyPassword;
};

class ProfileEditorController {
public:
    // The commands pass `gate` for its guard alone.
    ProfileEditorController(Desktop& desktop, CommandGate& gate, const AccountProfile& profile, bool nameEditable);

    ProfileForm& form() { return form_; }
    bool nameEditable() const { return nameEditable_; }
    bool saveEnabled() const { return canSaveProfile(profile()); }
    // Proxy type, address, port, user and password.
    bool proxyFieldsEnabled() const { return form_.useProxy; }
    void openTokenPage();

    // The record the fields describe.
    AccountProfile profile() const;
    // Checks the fields; a refusal is shown and its field is the one to focus.
    bool save();
    ProfileField focusField() const { return focus_; }

private:
    Desktop& desktop_;
    CommandGate& gate_;
    ProfileForm form_;
    bool nameEditable_;
    ProfileField focus_ = ProfileField::Name;
};

// The rename dialog's "OK" is enabled while the field is not empty.
inline bool renameAccepted(const std::string& name) { return !name.empty(); }

}  // namespace pw::ui
