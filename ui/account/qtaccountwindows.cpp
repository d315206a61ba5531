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

// A window that reads through the account tool: the tool's end reaches the
// controller only while the window exists (the receiver is set before the
// first read starts), and message boxes open over the window while it shows.
template <typename Controller, typename Dialog, typename Shown>
void runReadingWindow(QtDesktop& desktop, QtDispatcher& dispatcher, Controller& controller, Dialog& dialog,
                      Shown shown) {
    dispatcher.setReceiver(&dialog);
    if (!controller.open()) return;
    dialog.showState();
    QWidget* parent = desktop.parent();
    desktop.setParent(&dialog);
    // Modal from its first showing: exec() on a window already shown would
    // leave the main window usable beneath it.
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    shown(dialog);
    if (dialog.isVisible()) dialog.exec();
    desktop.setParent(parent);
}

}  // namespace

QtAccountWindows::QtAccountWindows(QtDesktop& desktop, ProgramFolder folder, SettingsStore& settings,
                                   AccountWindowLinks links, QueueChange queue)
    : desktop_(desktop), folder_(std::move(folder)), settings_(settings), queue_(std::move(queue)), links_(links) {}

void QtAccountWindows::chooseProfile() {
    ProfileChooserController controller(desktop_, links_.gate, *this, folder_, settings_);
    CDialogSelectGoogleAccount dialog(controller, background(), desktop_.parent());
    dialog.exec();
}

std::optional<AccountProfile> QtAccountWindows::editProfile(const AccountProfile& profile, bool nameEditable) {
    ProfileEditorController controller(desktop_, links_.gate, profile, nameEditable);
    CDialogEditGoogleAccount dialog(controller, background(), desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.profile();
}

std::optional<std::string> QtAccountWindows::renameProfile(const std::string& name) {
    CDialogRenameProfile dialog(name, background(), desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

void QtAccountWindows::manageAccount() {
    auto dispatcher = std::make_shared<QtDispatcher>();
    AccountManagerController controller(desktop_, *this, folder_, settings_, dispatcher, queue_);
    controller.setProject(project_);
    CDialogGoogleManager dialog(controller, background(), desktop_.parent());
    runReadingWindow(desktop_, *dispatcher, controller, dialog, [this](auto& d) { managerShown(d); });
}

std::optional<AccountCampaign> QtAccountWindows::editCampaign(const AccountCampaign& campaign, bool newCampaign) {
    CampaignEditorController controller(desktop_, campaign, newCampaign);
    controller.onImportProject = [this](const AccountCampaign& target) {
        const Project none;
        importProjectIntoCampaign(desktop_, *this, folder_, settings_, project_ ? *project_ : none, target);
    };
    controller.onOpenAdGroups = [this](const AccountCampaign& stored) { manageAdGroups(stored.id, stored.name); };
    QWidget* parent = desktop_.parent();
    CDialogManageCampaign dialog(controller, background(), parent);
    // The upload's questions and chooser open over the editor.
    desktop_.setParent(&dialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    campaignEditorShown(dialog);
    const bool saved = dialog.isVisible() ? dialog.exec() == QDialog::Accepted : dialog.result() == QDialog::Accepted;
    desktop_.setParent(parent);
    if (!saved) return std::nullopt;
    return controller.campaign();
}

void QtAccountWindows::manageAdGroups(int32_t campaignId, const std::string& campaignName) {
    auto dispatcher = std::make_shared<QtDispatcher>();
    AdGroupManagerController controller({desktop_, *this, links_.ads, links_.groups}, folder_, settings_,
                                        dispatcher, queue_, project_, campaignId, campaignName);
    CDialogManageAdGroups dialog(controller, background(), desktop_.parent());
    runReadingWindow(desktop_, *dispatcher, controller, dialog, [this](auto& d) { adGroupManagerShown(d); });
}

std::optional<Ad> QtAccountWindows::chooseProjectAd() {
    if (!project_) return std::nullopt;
    // The chooser only reads the project; it takes it unqualified for its lists.
    CDialogSelectAd dialog(const_cast<Project&>(*project_), desktop_.parent());
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return std::nullopt;
    return *dialog.chosen();
}

std::optional<std::vector<std::string>> QtAccountWindows::listChanges(const std::string& caption,
                                                                      const std::string& okText,
                                                                      const std::vector<std::string>& lines) {
    CDialogListChanges dialog(caption, okText, lines, background(), desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

std::optional<KeywordTypesChoice> QtAccountWindows::chooseKeywordTypes(bool typesOnly) {
    KeywordTypesController controller(desktop_, links_.gate, typesOnly);
    CDialogSelectKeywordTypes dialog(controller, background(), desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.choice();
}

}  // namespace pw::ui
