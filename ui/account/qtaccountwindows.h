#pragma once
// The account windows as the program shows them: modal Qt dialogs over the
// window in front, wearing the skin of the settings. Each window's messages
// go through a desktop of its own, bound to it.

#include <memory>

#include "core/project.h"
#include "io/appsettings.h"
#include "ui/account/accountwindows.h"
#include "ui/ads/adwindows.h"
#include "ui/groups/groupdialogs.h"
#include "ui/common/commandgate.h"
#include "ui/common/qtdesktop.h"

namespace pw::ui {

class CDialogGoogleManager;
class CDialogManageAdGroups;
class CDialogManageCampaign;

// The other window families the account windows open, and the main
// window's gate their commands pass.
struct AccountWindowLinks {
    CommandGate& gate;
    // The ad group manager opens the ad editor and the group chooser over the open project.
    AdWindows& ads;
    GroupDialogs& groups;
};

class QtAccountWindows : public AccountWindows {
public:
    QtAccountWindows(QtDesktop& desktop, ProgramFolder folder, SettingsStore& settings, AccountWindowLinks links,
                     QueueChange queue = {});

    // The open project: uploaded by "Import PWR project", and its current ads
    // follow the ad groups a commit creates.
    void setProject(const Project* project) { project_ = project; }

    void chooseProfile() override;
    std::optional<AccountProfile> editProfile(const AccountProfile& profile, bool nameEditable) override;
    std::optional<std::string> renameProfile(const std::string& name) override;
    void manageAccount() override;
    std::optional<AccountCampaign> editCampaign(const AccountCampaign& campaign, bool newCampaign) override;
    void manageAdGroups(int32_t campaignId, const std::string& campaignName) override;
    std::optional<std::vector<std::string>> listChanges(const std::string& caption, const std::string& okText,
                                                        const std::vector<std::string>& lines) override;
    std::optional<KeywordTypesChoice> chooseKeywordTypes(bool typesOnly) override;
    std::optional<Ad> chooseProjectAd() override;

protected:
    // Called with the manager once it is shown, before it waits for the user
    // (the screenshot tour photographs it there).
    virtual void managerShown(CDialogGoogleManager&) {}
    virtual void adGroupManagerShown(CDialogManageAdGroups&) {}
    virtual void campaignEditorShown(CDialogManageCampaign&) {}
    uint32_t background() const { return settings_.values().backgroundColor; }
    // The window a new account window opens over.
    QWidget* owner() const { return desktop_.frontWindow(); }

    QtDesktop& desktop_;  // the main window's
    ProgramFolder folder_;
    SettingsStore& settings_;
    QueueChange queue_;
    AccountWindowLinks links_;
    const Project* project_ = nullptr;
};

}  // namespace pw::ui
