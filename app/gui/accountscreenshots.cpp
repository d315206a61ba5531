#include "app/gui/accountscreenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>

#include <future>

#include "account/accountcaches.h"
#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "account/geotargets.h"
#include "account/profilerules.h"
#include "account/toolcommands.h"
#include "ui/account/accountmanagerdialogs.h"
#include "ui/account/campaigneditorcontroller.h"
#include "ui/account/changelistdialog.h"
#include "ui/account/keywordtypesdialog.h"

namespace pw::app {

namespace {

void settleFor(int milliseconds, const std::function<bool()>& done = [] { return true; }) {
    QElapsedTimer timer;
    timer.start();
    while ((!done() || timer.elapsed() < milliseconds) && timer.elapsed() < 20000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// Runs one change straight through the tool and waits for its end.
bool runChange(const ProgramFolder& folder, const CommandLine& line) {
    if (!line) return false;
    std::promise<void> ended;
    int32_t process = 0;
    if (!startAccountTool(folder, *line, [&](const std::optional<std::string>&) { ended.set_value(); }, kChangeOutput,
                          process))
        return false;
    ended.get_future().wait();
    return true;
}

AccountCampaign sampleCampaign(const char* name, CampaignStatus status, int32_t cents, AccountDate start,
                               std::initializer_list<const char*> countries) {
    AccountCampaign c;
    c.name = name;
    c.status = status;
    c.dailyBudget = cents;
    c.startDate = start;
    c.endDate = {31, 12, 2027};
    c.showInGoogleSearch = true;
    c.showInNetworkSearch = true;
    for (const char* country : countries)
        if (const int row = countryIndexByName(country); row >= 0) c.countries[row] = true;
    c.languages[0] = true;
    return c;
}

}  // namespace

void ScreenshotAccountWindows::managerShown(ui::CDialogGoogleManager& manager) {
    auto* refresh = manager.findChild<QPushButton*>("refresh");
    settleFor(300, [refresh] { return refresh->isEnabled(); });
    ok_ = manager.grab().save(pictures_ + "/9-account-manager.png") && ok_;
    auto* list = manager.findChild<QTreeWidget*>("campaigns");
    if (list->topLevelItemCount() > 0) {
        list->setCurrentItem(list->topLevelItem(0));
        manager.findChild<QPushButton*>("edit")->click();
    } else {
        ok_ = false;
    }
    chooseKeywordTypes(false);
    // The change list is photographed as it opens; the manager while the commit runs.
    manager.findChild<QPushButton*>("commit")->click();
    ok_ = manager.grab().save(pictures_ + "/commitmanager.png") && ok_;
    settleFor(300, [] { return !commitInProgress(); });
    manager.reject();
}

std::optional<std::vector<std::string>> ScreenshotAccountWindows::listChanges(const std::string& caption,
                                                                              const std::string& okText,
                                                                              const std::vector<std::string>& lines) {
    ui::CDialogListChanges list(caption, okText, lines, background(), desktop_.parent());
    // The change refused once stays behind: run again it would be refused again.
    auto* rows = list.findChild<QTreeWidget*>("changes");
    for (size_t r = 0; r < lines.size(); ++r)
        if (isFailedChange(lines[r])) rows->topLevelItem(static_cast<int>(r))->setSelected(false);
    list.show();
    settleFor(300);
    ok_ = list.grab().save(pictures_ + "/commitchanges.png") && ok_;
    list.accept();
    return list.chosen();
}

std::optional<KeywordTypesChoice> ScreenshotAccountWindows::chooseKeywordTypes(bool typesOnly) {
    ui::KeywordTypesController controller(desktop_, typesOnly);
    ui::CDialogSelectKeywordTypes chooser(controller, background(), desktop_.parent());
    chooser.show();
    chooser.findChild<QCheckBox*>("broad")->click();
    chooser.findChild<QCheckBox*>("phrase")->click();
    settleFor(300);
    ok_ = chooser.grab().save(pictures_ + "/keywordtypes.png") && ok_;
    chooser.reject();
    return std::nullopt;
}

bool ScreenshotAccountWindows::editCampaign(AccountCampaign& campaign, bool newCampaign) {
    ui::CampaignEditorController controller(desktop_, campaign, newCampaign);
    ui::CDialogManageCampaign editor(controller, background(), desktop_.parent());
    editor.show();
    settleFor(300);
    ok_ = editor.grab().save(pictures_ + "/10-campaign-editor.png") && ok_;
    editor.reject();
    return false;
}

bool runAccountScreenshots(ui::QtDesktop& desktop, const ProgramFolder& folder, SettingsStore& settings,
                           const QString& pictureFolder) {
    QDir().mkpath(pictureFolder);
    AccountProfile profile;
    profile.name = "Sandbox";
    profile.email = "manager@example.com";
    profile.password = "Sandbox-Passw0rd";
    profile.token = "sandbox-token";
    profile.clientEmail = "shop@example.com";
    createProfile(folder, profile);
    setDefaultProfile(settings, folder, profile.name, false);
    const AccountCampaign campaigns[] = {
        sampleCampaign("Spring shoes", CampaignStatus::Active, 2500, {1, 3, 2027}, {"United States", "Canada"}),
        sampleCampaign("Running gear", CampaignStatus::Active, 1250, {15, 1, 2027}, {"Germany"}),
        sampleCampaign("Winter boots", CampaignStatus::Paused, 800, {1, 10, 2027}, {"United Kingdom"}),
    };
    for (const AccountCampaign& c : campaigns)
        if (!runChange(folder, createCampaignCommand(profile, c))) return false;
    // Waiting in the queue: a new campaign, a paused one made active again
    // and a change the account refused once.
    AccountCampaign autumn =
        sampleCampaign("Autumn sale", CampaignStatus::Active, 1500, {1, 9, 2027}, {"United States"});
    AccountCampaign winter = campaigns[2];
    winter.id = 3;
    winter.status = CampaignStatus::Active;
    for (const CommandLine& line : {createCampaignCommand(profile, autumn), modifyCampaignCommand(profile, winter)})
        if (!line || !queueChange(folder, *line)) return false;
    if (!queueChange(folder, failedForm(*deleteCampaignCommand(profile, 99, "Old test")))) return false;
    settings.setCommitHintPending(false);
    campaignCache().clear();
    ScreenshotAccountWindows windows(desktop, folder, settings, pictureFolder);
    windows.manageAccount();
    return windows.ok();
}

}  // namespace pw::app
