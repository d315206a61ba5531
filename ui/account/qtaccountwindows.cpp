#include "ui/account/qtaccountwindows.h"

#include "ui/account/accountmanagerdialogs.h"
#include "ui/account/adgroupmanagerdialog.h"
#include "ui/account/changelistdialog.h"
#include "ui/account/keywordtypesdialog.h"
#include "ui/account/profiledialogs.h"
#include "ui/account/projectimport.h"
#include "ui/ads/addialogs.h"
#include "ui/common/qtdispatcher.h"

namespace pw::ui {

namespace {

// Shows a dialog modal from its first showing (exec() on a window already
// shown would leave the main window usable beneath it), lets `shown` look at
// it (the screenshot run photographs it there), then waits for the user
// unless `shown` closed it. True when it was accepted.
template <typename Shown>
bool execShown(QDialog& dialog, Shown shown) {
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    shown();
    if (dialog.isVisible()) return dialog.exec() == QDialog::Accepted;
    return dialog.result() == QDialog::Accepted;
}

// A window that reads through the account tool: the tool's end reaches the
// controller only while the window exists (the receiver is set before the
// first read starts). A read that cannot start is told over the window in
// front; once the window shows, its message boxes belong to it.
template <typename Controller, typename Dialog, typename Shown>
void runReadingWindow(QtDesktop& desktop, QtDispatcher& dispatcher, Controller& controller, Dialog& dialog,
                      Shown shown) {
    dispatcher.setReceiver(&dialog);
    if (!controller.open()) return;
    desktop.bind(&dialog);
    dialog.showState();
    execShown(dialog, [&] { shown(dialog); });
}

}  // namespace

// Each window has a desktop of its own, made before its controller on the
// window in front and bound to the window once it exists.
QtAccountWindows::QtAccountWindows(QtDesktop& desktop, ProgramFolder folder, SettingsStore& settings,
                                   AccountWindowLinks links, QueueChange queue)
    : desktop_(desktop), folder_(std::move(folder)), settings_(settings), queue_(std::move(queue)), links_(links) {}

void QtAccountWindows::chooseProfile() {
    QtDesktop desktop(owner());
    ProfileChooserController controller(desktop, links_.gate, *this, folder_, settings_);
    CDialogSelectGoogleAccount dialog(controller, background(), owner());
    desktop.bind(&dialog);
    dialog.exec();
}

std::optional<AccountProfile> QtAccountWindows::editProfile(const AccountProfile& profile, bool nameEditable) {
    QtDesktop desktop(owner());
    ProfileEditorController controller(desktop, links_.gate, profile, nameEditable);
    CDialogEditGoogleAccount dialog(controller, background(), owner());
    desktop.bind(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.profile();
}

std::optional<std::string> QtAccountWindows::renameProfile(const std::string& name) {
    CDialogRenameProfile dialog(name, background(), owner());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

void QtAccountWindows::manageAccount() {
    auto dispatcher = std::make_shared<QtDispatcher>();
    QtDesktop desktop(owner());
    AccountManagerController controller(desktop, *this, folder_, settings_, dispatcher, queue_, project_);
    CDialogGoogleManager dialog(controller, background(), owner());
    runReadingWindow(desktop, *dispatcher, controller, dialog, [this](auto& d) { managerShown(d); });
}

std::optional<AccountCampaign> QtAccountWindows::editCampaign(const AccountCampaign& campaign, bool newCampaign) {
    QtDesktop desktop(owner());
    // The upload's questions and chooser open over the editor.
    CampaignEditorLinks links{[this, &desktop](const AccountCampaign& target) {
                                  const Project none;
                                  importProjectIntoCampaign(desktop, *this, folder_, settings_,
                                                            project_ ? *project_ : none, target);
                              },
                              [this](const AccountCampaign& stored) { manageAdGroups(stored.id, stored.name); }};
    CampaignEditorController controller(desktop, campaign, newCampaign, std::move(links));
    CDialogManageCampaign dialog(controller, background(), owner());
    desktop.bind(&dialog);
    if (!execShown(dialog, [&] { campaignEditorShown(dialog); })) return std::nullopt;
    return controller.campaign();
}

void QtAccountWindows::manageAdGroups(int32_t campaignId, const std::string& campaignName) {
    auto dispatcher = std::make_shared<QtDispatcher>();
    QtDesktop desktop(owner());
    AdGroupManagerController controller({desktop, *this, links_.ads, links_.groups}, folder_, settings_,
                                        dispatcher, queue_, project_, campaignId, campaignName);
    CDialogManageAdGroups dialog(controller, background(), owner());
    runReadingWindow(desktop, *dispatcher, controller, dialog, [this](auto& d) { adGroupManagerShown(d); });
}

std::optional<Ad> QtAccountWindows::chooseProjectAd() {
    if (!project_) return std::nullopt;
    // The chooser only reads the project; it takes it unqualified for its lists.
    CDialogSelectAd dialog(const_cast<Project&>(*project_), owner());
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return std::nullopt;
    return *dialog.chosen();
}

std::optional<std::vector<std::string>> QtAccountWindows::listChanges(const std::string& caption,
                                                                      const std::string& okText,
                                                                      const std::vector<std::string>& lines) {
    CDialogListChanges dialog(caption, okText, lines, background(), owner());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

std::optional<KeywordTypesChoice> QtAccountWindows::chooseKeywordTypes(bool typesOnly) {
    QtDesktop desktop(owner());
    KeywordTypesController controller(desktop, links_.gate, typesOnly);
    CDialogSelectKeywordTypes dialog(controller, background(), owner());
    desktop.bind(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.choice();
}

}  // namespace pw::ui
