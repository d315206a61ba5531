#include "app/gui/accountscreenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProgressBar>
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
#include "account/projectupload.h"
#include "account/toolcommands.h"
#include "account/toolrecords.h"
#include "ui/account/accountmanagerdialogs.h"
#include "ui/account/adgroupmanagerdialog.h"
#include "ui/account/campaigneditorcontroller.h"
#include "ui/account/changelistdialog.h"
#include "ui/account/keywordtypesdialog.h"
#include "ui/ads/qtadwindows.h"
#include "ui/groups/qtgroupdialogs.h"

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

// Runs one change straight through the tool and waits for its end: the
// text of its output file, none when it could not run.
std::optional<std::string> runChange(const ProgramFolder& folder, const CommandLine& line) {
    if (!line) return std::nullopt;
    std::promise<std::string> ended;
    int32_t process = 0;
    if (!startAccountTool(
            folder, *line,
            [&](const std::optional<std::string>& path, const ToolExit&) {
                std::string text;
                if (path) readWholeFile(*path, text);
                ended.set_value(text);
            },
            kChangeOutput, process))
        return std::nullopt;
    return ended.get_future().get();
}

AccountAd sampleAd(int32_t groupId, const char* headline, const char* line1, const char* line2) {
    AccountAd ad;
    ad.adGroupId = groupId;
    ad.headline = headline;
    ad.description1 = line1;
    ad.description2 = line2;
    ad.displayUrl = "shop.example.com";
    ad.destinationUrl = "http://shop.example.com/spring";
    return ad;
}

// Two ad groups in the campaign, the first with keywords and four ads (one deleted).
bool fillAdGroups(const ProgramFolder& folder, const AccountProfile& profile, int32_t campaignId) {
    int32_t firstGroup = 0;
    for (const char* name : {"Running shoes", "Trail shoes"}) {
        const AccountAdGroup group{.campaignId = campaignId, .name = name, .maxCpc = 35};
        const auto created = runChange(folder, createAdGroupCommand(profile, group));
        if (!created || readCreatedAdGroups(*created).empty()) return false;
        if (!firstGroup) firstGroup = readCreatedAdGroups(*created)[0].id;
    }
    std::vector<AccountKeyword> keywords;
    for (const char* text : {"running shoes", "cheap running shoes", "running shoes sale", "lightweight trainers",
                             "marathon shoes", "road running shoes", "running shoes for women"})
        for (MatchType type : {MatchType::Broad, MatchType::Exact}) keywords.push_back({text, type, 40});
    keywords.push_back({"buy running shoes online", MatchType::Phrase, 55});
    const auto file = writeKeywordFile(folder, keywords);
    if (!file || !runChange(folder, setAdGroupKeywordsCommand(profile, campaignId, firstGroup, "Running shoes", *file)))
        return false;
    removeFile(*file);
    const AccountAd ads[] = {
        sampleAd(firstGroup, "Running Shoes Sale", "Top brands up to 40% off", "Free delivery over $50"),
        sampleAd(firstGroup, "Light Running Shoes", "Feel the road, not the weight", "Order today, run tomorrow"),
        sampleAd(firstGroup, "Marathon Ready", "Shoes tested on 42 km", "Fitted by runners for runners"),
        sampleAd(firstGroup, "Old Spring Offer", "Last year's models", "While stocks last"),
    };
    for (const AccountAd& ad : ads) {
        const auto created = runChange(folder, createAdCommand(profile, ad));
        if (!created || readAdRecords(*created).empty()) return false;
        if (ad.headline == "Old Spring Offer" &&
            !runChange(folder, deleteAdCommand(profile, readAdRecords(*created)[0].id, firstGroup, ad.headline)))
            return false;
    }
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
    // A few ticks of the bar (before the first status poll at 500 ms), so
    // that it shows progress rather than an empty box.
    auto* bar = manager.findChild<QProgressBar*>("progress");
    settleFor(0, [bar] { return bar->value() >= 16; });
    ok_ = manager.grab().save(pictures_ + "/commitmanager.png") && ok_;
    settleFor(300, [] { return !commitInProgress(); });
    manager.reject();
}

std::optional<std::vector<std::string>> ScreenshotAccountWindows::listChanges(const std::string& caption,
                                                                              const std::string& okText,
                                                                              const std::vector<std::string>& lines) {
    ui::CDialogListChanges list(caption, okText, lines, background(), owner());
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
    ui::QtDesktop desktop(owner());
    ui::KeywordTypesController controller(desktop, links_.gate, typesOnly);
    ui::CDialogSelectKeywordTypes chooser(controller, background(), owner());
    desktop.bind(&chooser);
    chooser.show();
    chooser.findChild<QCheckBox*>("broad")->click();
    chooser.findChild<QCheckBox*>("phrase")->click();
    settleFor(300);
    ok_ = chooser.grab().save(pictures_ + "/keywordtypes.png") && ok_;
    chooser.reject();
    return std::nullopt;
}

void ScreenshotAccountWindows::adGroupManagerShown(ui::CDialogManageAdGroups& manager) {
    auto* refresh = manager.findChild<QPushButton*>("refresh");
    auto settled = [refresh] { return refresh->isEnabled(); };
    settleFor(300, settled);
    auto* list = manager.findChild<QTreeWidget*>("adGroups");
    if (list->topLevelItemCount() == 0) {
        ok_ = false;
        manager.reject();
        return;
    }
    list->setCurrentItem(list->topLevelItem(0));
    manager.findChild<QPushButton*>("loadKeywords")->click();
    settleFor(300, settled);
    manager.findChild<QPushButton*>("loadAds")->click();
    settleFor(300, settled);
    ok_ = manager.grab().save(pictures_ + "/adgroupmanager.png") && ok_;
    manager.reject();
}

void ScreenshotAccountWindows::campaignEditorShown(ui::CDialogManageCampaign& editor) {
    settleFor(300);
    ok_ = editor.grab().save(pictures_ + "/10-campaign-editor.png") && ok_;
    // The ad group manager opens from the editor, as a person opens it.
    editor.findChild<QPushButton*>("adGroups")->click();
    editor.reject();
}

bool runAccountScreenshots(ui::CDialogMain& window, const ScreenshotAccountWindows& windows,
                           const ProgramFolder& folder, SettingsStore& settings) {
    AccountProfile profile;
    profile.name = "Sandbox";
    profile.email = "manager@example.com";
    profile.password = "Sandbox-Passw0rd";
    profile.token = "sandbox-token";
    profile.clientEmail = "shop@example.com";
    createProfile(folder, profile);
    setDefaultProfile(settings, folder, profile.name);
    const AccountCampaign campaigns[] = {
        sampleCampaign("Spring shoes", CampaignStatus::Active, 2500, {1, 3, 2027}, {"United States", "Canada"}),
        sampleCampaign("Running gear", CampaignStatus::Active, 1250, {15, 1, 2027}, {"Germany"}),
        sampleCampaign("Winter boots", CampaignStatus::Paused, 800, {1, 10, 2027}, {"United Kingdom"}),
    };
    int32_t firstCampaign = 0;
    for (const AccountCampaign& c : campaigns) {
        const auto created = runChange(folder, createCampaignCommand(profile, c));
        if (!created || readCampaignRecords(*created).empty()) return false;
        if (!firstCampaign) firstCampaign = readCampaignRecords(*created)[0].id;
    }
    if (!fillAdGroups(folder, profile, firstCampaign)) return false;
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
    adGroupCache().clear();
    QAction* manage = ui::menuBarAction(window, "Manage your Google &account");
    if (!manage || !manage->isEnabled()) return false;
    manage->trigger();
    return windows.ok();
}

}  // namespace pw::app
