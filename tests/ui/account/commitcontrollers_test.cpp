// Committing, clearing and stopping the change queue from the account
// manager, and "Import PWR project" from the campaign editor, through a
// scripted desktop against the sandbox account tool.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/stat.h>

#include "account/accountcaches.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "account/toolcommands.h"
#include "tests/account/sandboxfolder.h"
#include "tests/ui/account/scriptedaccountui.h"
#include "ui/account/accountmanagercontroller.h"
#include "ui/account/campaigneditorcontroller.h"
#include "ui/account/commitprogress.h"
#include "ui/account/keywordtypescontroller.h"
#include "ui/account/profilecontrollers.h"
#include "ui/account/projectimport.h"

namespace pw::ui {
namespace {

const Message kHint{"You can click 'Close' if you want to continue using \"Phrasewright\" while the commit is running!",
                    "Commit in background", Icon::Information, Buttons::Ok};
const Message kQueued{"Action queued and ready to commit!", "Success", Icon::Information, Buttons::Ok};
constexpr const char* kPushCommit = "Push \"Commit\" to upload your changes to Google";
constexpr const char* kNoChanges = "No uncommited changes available";

AccountCampaign campaign(const std::string& name, AccountDate end = {31, 12, 2099}) {
    AccountCampaign c;
    c.name = name;
    c.status = CampaignStatus::Active;
    c.dailyBudget = 500;
    c.startDate = {1, 1, 2026};
    c.endDate = end;
    c.showInGoogleSearch = true;
    return c;
}

// Takes every listed line, after checking the window's caption and OK text.
test::ScriptedAccountUi::ChangeListAnswer takeAll(std::string caption, std::string okText) {
    return [caption, okText](const std::string& c, const std::string& ok, const std::vector<std::string>& lines) {
        EXPECT_EQ(c, caption);
        EXPECT_EQ(ok, okText);
        return std::optional(lines);
    };
}

class Commit : public ::testing::Test {
protected:
    Commit() : settings(sandbox.folder()) {
        campaignCache().clear();
        saveProfile(profile, profilePath(folder(), "Main"));
        settings.setDefaultProfile("Main");
    }
    ~Commit() override {
        waitForCommitEnd(std::chrono::seconds(30));
        campaignCache().clear();
    }

    const ProgramFolder& folder() const { return sandbox.folder(); }
    std::unique_ptr<AccountManagerController> openManager() {
        auto m = std::make_unique<AccountManagerController>(
            ui, ui, folder(), settings, dispatcher,
            [this](const std::string& line) { return queueChange(folder(), line); }, &project);
        EXPECT_TRUE(m->open());
        settle(*m);
        return m;
    }
    // Lets the window's timer and the read's end run until the manager is idle.
    void settle(AccountManagerController& m) {
        for (int i = 0; i < 3000 && (m.committing() || m.reading()); ++i) {
            dispatcher->runAll();
            m.poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_FALSE(m.committing() || m.reading());
    }
    // Every run of the tool waits until releaseTool(), so that the test sees a commit running.
    void holdTool() {
        const std::string tool = googleFile(folder(), "pwram");
        ASSERT_EQ(std::rename(tool.c_str(), (tool + "-real").c_str()), 0);
        pw::test::writeFile(tool, "#!/bin/sh\nwhile [ ! -f go ]; do sleep 0.01; done\nexec ./pwram-real \"$@\"\n");
        ::chmod(tool.c_str(), 0700);
    }
    void releaseTool() { pw::test::writeFile(googleFile(folder(), "go"), ""); }
    void queueCampaign(const AccountCampaign& c) { ASSERT_TRUE(queueChange(folder(), *createCampaignCommand(profile, c))); }
    std::vector<std::string> names(const AccountManagerController& m) {
        std::vector<std::string> cells;
        for (size_t r = 0; r < m.rowCount(); ++r) cells.push_back(m.rowCells(r)[1]);
        return cells;
    }

    pw::test::SandboxFolder sandbox;
    SettingsStore settings;
    AccountProfile profile = test::sandboxProfile("Main");
    Project project;
    test::ScriptedAccountUi ui;
    std::shared_ptr<test::ManualDispatcher> dispatcher = std::make_shared<test::ManualDispatcher>();
};

TEST_F(Commit, ACreatedCampaignIsCommittedAndListedAfterTheListIsReadAgain) {
    auto m = openManager();
    EXPECT_TRUE(m->rowCount() == 0 && !m->commitEnabled() && !m->clearEnabled());
    EXPECT_EQ(m->statusText(), kNoChanges);

    ui.campaignEdits.push_back([](AccountCampaign, bool) { return campaign("Spring"); });
    m->createCampaign();
    EXPECT_EQ(ui.lastMessage(), kQueued);
    EXPECT_TRUE(m->commitEnabled() && m->clearEnabled());
    EXPECT_EQ(m->statusText(), kPushCommit);

    ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
    m->commitChanges();
    EXPECT_EQ(ui.lastMessage(), kHint);
    EXPECT_FALSE(settings.values().commitHintPending);
    EXPECT_TRUE(m->committing());
    // Only "STOP" and "Close" stay usable.
    EXPECT_FALSE(m->refreshEnabled() || m->createEnabled() || m->commitEnabled() || m->clearEnabled() ||
                 m->listEnabled());
    EXPECT_TRUE(m->stopEnabled());
    EXPECT_EQ(m->statusText(), "Create campaign \"Spring\"...");
    m->refresh();  // busy: refused
    EXPECT_EQ(ui.doubleBeeps, 1);

    settle(*m);
    EXPECT_EQ(names(*m), std::vector<std::string>{"Spring"});
    EXPECT_TRUE(readQueuedChanges(folder()).empty());
    EXPECT_EQ(m->statusText(), kNoChanges);
    EXPECT_FALSE(m->commitEnabled());
    EXPECT_EQ(ui.messages.size(), 2u);  // queued, hint: no error at the end
}

TEST_F(Commit, ARefusedChangeComesBackMarkedAndTheRefusalIsShown) {
    ASSERT_TRUE(settings.setCommitHintPending(false));
    queueCampaign(campaign("Old", {31, 12, 2001}));  // ends in the past: the account refuses it
    queueCampaign(campaign("After"));
    auto m = openManager();
    const std::vector<std::string> queued = readQueuedChanges(folder());
    ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
    m->commitChanges();
    settle(*m);
    EXPECT_EQ(readQueuedChanges(folder()), (std::vector<std::string>{queued[0] + " -failed", queued[1]}));
    EXPECT_EQ(ui.lastMessage(),
              (Message{"Cannot modify campaign because it has already ended!", "Google error", Icon::Warning,
                       Buttons::Ok}));
    EXPECT_EQ(m->statusText(), kPushCommit);
    EXPECT_TRUE(m->commitEnabled());
    EXPECT_EQ(std::count(ui.messages.begin(), ui.messages.end(), kHint), 0);  // no hint once it was shown
    // The change list marks it.
    EXPECT_TRUE(changeRows(readQueuedChanges(folder()))[0].failed);
}

TEST_F(Commit, StopLetsTheRunningChangeFinishAndPutsTheRestBack) {
    for (const char* name : {"One", "Two", "Three"}) queueCampaign(campaign(name));
    const std::vector<std::string> queued = readQueuedChanges(folder());
    auto m = openManager();
    holdTool();
    ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
    m->commitChanges();
    EXPECT_EQ(ui.lastMessage(), kHint);
    EXPECT_EQ(m->statusText(), "Create campaign \"One\"...");
    m->stop();
    EXPECT_EQ(m->statusText(), "Stopping upload...");
    EXPECT_FALSE(m->stopEnabled());
    m->poll();
    EXPECT_EQ(m->statusText(), "Stopping upload...");
    releaseTool();
    settle(*m);
    EXPECT_EQ(commitStatus().done, 1u);
    EXPECT_EQ(readQueuedChanges(folder()), std::vector<std::string>(queued.begin() + 1, queued.end()));
    EXPECT_EQ(names(*m), std::vector<std::string>{"One"});
    EXPECT_EQ(m->statusText(), kPushCommit);
}

TEST_F(Commit, ClearDeletesTheChosenChangesAndKeepsTheOthers) {
    for (const char* name : {"Keep", "Drop"}) queueCampaign(campaign(name));
    const std::vector<std::string> queued = readQueuedChanges(folder());
    auto m = openManager();
    ui.changeLists.push_back([&](const std::string& caption, const std::string& ok, const std::vector<std::string>& lines) {
        EXPECT_EQ(caption, "Delete uncommited changes");
        EXPECT_EQ(ok, "Delete");
        EXPECT_EQ(lines, queued);
        return std::optional(std::vector<std::string>{lines[1]});
    });
    m->clearChanges();
    EXPECT_EQ(ui.lastMessage(), (Message{"Changes deleted successfully!", "Delete success", Icon::Information, Buttons::Ok}));
    EXPECT_EQ(readQueuedChanges(folder()), std::vector<std::string>{queued[0]});
    EXPECT_EQ(m->statusText(), kPushCommit);

    // Cancelled: nothing happens; everything chosen: the queue is empty.
    ui.changeLists.push_back([](auto&&...) { return std::optional<std::vector<std::string>>(); });
    m->clearChanges();
    EXPECT_EQ(readQueuedChanges(folder()).size(), 1u);
    ui.changeLists.push_back(takeAll("Delete uncommited changes", "Delete"));
    m->clearChanges();
    EXPECT_TRUE(readQueuedChanges(folder()).empty());
    EXPECT_EQ(m->statusText(), kNoChanges);
    EXPECT_FALSE(m->clearEnabled());
}

TEST_F(Commit, TheDefaultProfileCannotChangeWhileACommitRunsAndNothingIsDropped) {
    ASSERT_TRUE(settings.setCommitHintPending(false));
    queueCampaign(campaign("One"));
    auto m = openManager();
    holdTool();
    ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
    m->commitChanges();
    ASSERT_TRUE(m->committing());
    queueCampaign(campaign("Later"));  // queued while the commit runs
    const std::vector<std::string> queued = readQueuedChanges(folder());
    const std::string uploadFile = googleFile(folder(), "kw0.key");  // as an upload in the commit left it
    pw::test::writeFile(uploadFile, "red shoes/Broad/250000");
    campaignCache().replace({campaign("Cached")});

    // The only profile is not made the default again on opening.
    ProfileChooserController chooser(ui, ui.gate, ui, folder(), settings);
    chooser.fill();
    EXPECT_EQ(ui.messages.size(), 0u);
    EXPECT_EQ(readQueuedChanges(folder()), queued);

    ASSERT_TRUE(saveProfile(test::sandboxProfile("Other"), profilePath(folder(), "Other")));
    chooser.fill();
    const std::vector<ProfileRow> rows = chooser.rows();
    const int other = rows[0].name == "Other" ? 0 : 1;
    chooser.selectRow(other);
    chooser.setDefault();
    EXPECT_EQ(ui.lastMessage(), (Message{"Cannot change the default profile while a Google upload is in progress!",
                                         "Google upload active", Icon::Information, Buttons::Ok}));
    EXPECT_EQ(chooser.rows(), rows);
    EXPECT_EQ(settings.values().defaultProfile, "Main");
    EXPECT_EQ(readQueuedChanges(folder()), queued);
    EXPECT_TRUE(fileExists(uploadFile));
    EXPECT_EQ(campaignCache().copy().size(), 1u);

    releaseTool();
    settle(*m);
    EXPECT_EQ(commitStatus().done, 1u);
    // Once the commit ended, the change goes through.
    chooser.setDefault();
    EXPECT_EQ(settings.values().defaultProfile, "Other");
    EXPECT_TRUE(readQueuedChanges(folder()).empty());
}

TEST_F(Commit, TheToolMissingPutsTheChangesBackAndSaysSo) {
    ASSERT_TRUE(settings.setCommitHintPending(false));
    queueCampaign(campaign("Spring"));
    auto m = openManager();
    std::remove(googleFile(folder(), "pwram").c_str());
    ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
    m->commitChanges();
    EXPECT_EQ(ui.lastMessage(), (Message{"An error occurred with one of Phrasewright's files! Please reinstall the "
                                         "application!",
                                         "File error", Icon::Error, Buttons::Ok}));
    EXPECT_FALSE(m->committing());
    EXPECT_EQ(readQueuedChanges(folder()).size(), 1u);
    EXPECT_TRUE(m->commitEnabled());
}

TEST_F(Commit, AManagerOpenedDuringACommitShowsItAndTheMainWindowFollowsItsEnd) {
    ASSERT_TRUE(settings.setCommitHintPending(false));
    for (const char* name : {"One", "Two"}) queueCampaign(campaign(name));
    campaignCache().replace({campaign("Cached")});
    holdTool();
    {
        auto first = openManager();
        ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
        first->commitChanges();
        ASSERT_TRUE(first->committing());
        first->close();
    }
    // The main window, polling meanwhile, shows the same text.
    EXPECT_EQ(pollBackgroundCommit().statusText, "Create campaign \"One\"...");
    BackgroundCommitWatch mainWindow(ui);
    mainWindow.managerClosed();
    EXPECT_EQ(mainWindow.poll(), "Create campaign \"One\"...");
    mainWindow.managerOpened();
    EXPECT_EQ(mainWindow.poll(), std::nullopt);  // the manager shows it now
    auto again = std::make_unique<AccountManagerController>(ui, ui, folder(), settings, dispatcher, QueueChange{});
    ASSERT_TRUE(again->open());
    EXPECT_TRUE(again->committing());
    EXPECT_EQ(again->statusText(), "Create campaign \"One\"...");
    EXPECT_FALSE(again->refreshEnabled() || again->listEnabled() || again->commitEnabled());
    EXPECT_TRUE(again->stopEnabled());
    EXPECT_EQ(names(*again), std::vector<std::string>{"Cached"});
    again.reset();  // closed again: the main window follows the commit to its end
    mainWindow.managerClosed();
    EXPECT_EQ(mainWindow.poll(), "Create campaign \"One\"...");

    releaseTool();
    ASSERT_TRUE(waitForCommitEnd(std::chrono::seconds(30)));
    EXPECT_EQ(mainWindow.poll(), std::nullopt);  // no refusal: nothing to say
    // The cached list misses the new campaigns: the next opening reads them.
    EXPECT_TRUE(campaignCache().copy().empty());
    auto third = openManager();
    EXPECT_EQ(names(*third), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(Commit, ACommitEndingJustBeforeTheManagerOpensIsStillReportedAndItsCachesForgotten) {
    ASSERT_TRUE(settings.setCommitHintPending(false));
    queueCampaign(campaign("Fine"));
    queueCampaign(campaign("Old", {31, 12, 2001}));  // refused by the account
    {
        auto first = openManager();
        holdTool();
        ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
        first->commitChanges();
        ASSERT_TRUE(first->committing());
    }
    BackgroundCommitWatch mainWindow(ui);
    mainWindow.managerClosed();
    EXPECT_EQ(mainWindow.poll(), "Create campaign \"Fine\"...");
    campaignCache().replace({campaign("Cached")});
    adGroupCache().replace({AccountAdGroup{}});
    const size_t shown = ui.messages.size();

    // The commit ends after the main window's last poll; the manager opens.
    releaseTool();
    ASSERT_TRUE(waitForCommitEnd(std::chrono::seconds(30)));
    mainWindow.managerOpened();
    ASSERT_EQ(ui.messages.size(), shown + 1);
    EXPECT_EQ(ui.lastMessage(), (Message{"Cannot modify campaign because it has already ended!", "Google error",
                                         Icon::Warning, Buttons::Ok}));
    EXPECT_TRUE(campaignCache().copy().empty());
    EXPECT_TRUE(adGroupCache().copy().empty());
    auto again = openManager();
    EXPECT_EQ(names(*again), std::vector<std::string>{"Fine"});
    again.reset();
    mainWindow.managerClosed();
    EXPECT_EQ(mainWindow.poll(), std::nullopt);
    EXPECT_EQ(ui.messages.size(), shown + 1);  // reported once
}

TEST_F(Commit, AManagerClosedAfterTheCommitEndedButBeforeItsPollLeavesTheEndToTheMainWindow) {
    ASSERT_TRUE(settings.setCommitHintPending(false));
    queueCampaign(campaign("Old", {31, 12, 2001}));  // refused by the account
    BackgroundCommitWatch mainWindow(ui);
    mainWindow.managerOpened();
    {
        auto m = openManager();
        ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
        holdTool();
        m->commitChanges();
        ASSERT_TRUE(m->committing());
        releaseTool();
        ASSERT_TRUE(waitForCommitEnd(std::chrono::seconds(30)));
        adGroupCache().replace({AccountAdGroup{}});
    }  // closed before its timer saw the end
    const size_t shown = ui.messages.size();
    mainWindow.managerClosed();
    EXPECT_EQ(mainWindow.poll(), std::nullopt);
    ASSERT_EQ(ui.messages.size(), shown + 1);
    EXPECT_EQ(ui.lastMessage().text, "Cannot modify campaign because it has already ended!");
    EXPECT_TRUE(adGroupCache().copy().empty());

    // Reported once: the next opening and closing say nothing more.
    mainWindow.managerOpened();
    mainWindow.managerClosed();
    EXPECT_EQ(mainWindow.poll(), std::nullopt);
    EXPECT_EQ(ui.messages.size(), shown + 1);
}

TEST(CommitProgressText, FollowsTheRunningChangeAStopAndTheEnd) {
    CommitStatus status;
    status.inProgress = true;
    EXPECT_EQ(commitProgress(status).statusText, "Committing changes...");
    status.runningText = "Create campaign \"Spring\"...";
    EXPECT_EQ(commitProgress(status).statusText, status.runningText);
    status.stopRequested = true;
    EXPECT_EQ(commitProgress(status).statusText, "Stopping upload...");
    status = {};
    status.lastError = "No such campaign";
    EXPECT_EQ(commitProgress(status).endMessage, (Message{"No such campaign", "Google error", Icon::Warning, Buttons::Ok}));
    // A change whose run could not be started is a file error, not a refusal.
    status.lastError = std::string(kNextChangeNotStartedText);
    status.startFailed = true;
    EXPECT_EQ(commitProgress(status).endMessage,
              (Message{std::string(kNextChangeNotStartedText), "File error", Icon::Error, Buttons::Ok}));
}

// ---- "Import PWR project" ----

class ImportProject : public Commit {
protected:
    ImportProject() {
        Group& shoes = appendGroup(project, "shoes");
        shoes.phrases.emplace_back("red shoes");
        shoes.adLists[AdListKind::Current] = {
            Ad{"Red Shoes", "Cheap and red", "Order today", "shoes.example", "shoes.example/red"}};
    }
    const KeywordTypesChoice choice{.maxCpc = 25, .broad = true, .exact = true};
    const AccountCampaign target = [] {
        AccountCampaign c = campaign("Spring");
        c.id = 1;  // the sandbox's first campaign
        return c;
    }();
    const Message confirm{"This will export all the ad groups in your current project into the current campaign!\nAre "
                          "you sure you want to proceed?",
                          "Confirm project export", Icon::Warning, Buttons::YesNo};
    void runImport() { importProjectIntoCampaign(ui, ui, folder(), settings, project, target); }
};

TEST_F(ImportProject, QueuesOneUploadWhoseCommitCreatesTheGroupsWithTheirAds) {
    ASSERT_TRUE(sandbox.run(*createCampaignCommand(profile, target)));
    ui.answers = {Answer::Yes};
    ui.keywordTypes.push_back({false, choice});
    runImport();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], confirm);
    EXPECT_EQ(ui.messages[1], kQueued);
    const std::vector<std::string> queued = readQueuedChanges(folder());
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(changeRows(queued)[0].action, "Upload ad groups");

    // Committed from the manager: the group and then its current ad reach the account.
    ASSERT_TRUE(settings.setCommitHintPending(false));
    auto m = openManager();
    ui.changeLists.push_back(takeAll("Commit changes", "Commit"));
    m->commitChanges();
    settle(*m);
    EXPECT_TRUE(readQueuedChanges(folder()).empty());
    const std::string account = sandbox.dump();
    EXPECT_NE(account.find("shoes"), std::string::npos) << account;
    EXPECT_NE(account.find("red shoes"), std::string::npos) << account;
    EXPECT_NE(account.find("Red Shoes"), std::string::npos) << account;
}

TEST_F(ImportProject, AnsweringNoOrCancellingWritesNothing) {
    std::string wordy;
    for (int i = 0; i < 11; ++i) wordy += "word ";
    project.groups.back()->phrases.emplace_back(wordy + "end");
    const auto googleFiles = [&] {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder().googleFolder()))
            if (entry.path().filename().string().rfind("pwram", 0) != 0) files.push_back(entry.path().filename());
        std::sort(files.begin(), files.end());
        return files;
    };
    const std::vector<std::string> before = googleFiles();

    ui.answers = {Answer::No};  // the question
    runImport();
    ui.answers = {Answer::Yes};
    ui.keywordTypes.push_back({false, std::nullopt});  // the chooser cancelled
    runImport();
    ui.answers = {Answer::Yes, Answer::No};  // "Too many words": No
    ui.keywordTypes.push_back({false, choice});
    runImport();
    EXPECT_EQ(ui.lastMessage().caption, "Too many words");
    EXPECT_EQ(ui.lastMessage().buttons, Buttons::YesNo);
    EXPECT_TRUE(readQueuedChanges(folder()).empty());
    EXPECT_EQ(googleFiles(), before);

    settings.setDefaultProfile("Missing");
    ui.answers = {Answer::Yes};
    ui.keywordTypes.push_back({false, choice});
    runImport();
    EXPECT_EQ(ui.lastMessage(), (Message{"Cannot load default profile!", "Profile error", Icon::Error, Buttons::Ok}));
    EXPECT_TRUE(readQueuedChanges(folder()).empty());
}

TEST_F(ImportProject, TheEditorUploadsIntoTheCampaignAsHandedIn) {
    AccountCampaign record = target;
    std::vector<std::string> uploadedInto;
    const CampaignEditorLinks links{[&](const AccountCampaign& c) { uploadedInto.push_back(c.name); }, {}};
    CampaignEditorController editor(ui, record, false, links);
    editor.form().name = "Renamed but not saved";
    editor.importProject();
    EXPECT_EQ(uploadedInto, std::vector<std::string>{"Spring"});

    CampaignEditorController fresh(ui, record, true, links);  // a new campaign has nothing to upload into
    fresh.importProject();
    EXPECT_EQ(uploadedInto.size(), 1u);
}

// ---- "Set default properties" ----

TEST(KeywordTypesChooser, RefusesBadMoneyWithTheFieldToFocusAndReturnsTheChoice) {
    test::ScriptedAccountUi ui;
    KeywordTypesController full(ui, ui.gate, false);
    EXPECT_FALSE(full.okEnabled());
    full.clickAll(true);
    EXPECT_TRUE(full.okEnabled());
    full.clickType(KeywordType::Exact, false);
    EXPECT_FALSE(full.form().all);
    full.form().maxCpm = "1.234";
    EXPECT_FALSE(full.accept());
    EXPECT_EQ(full.focusField(), KeywordTypesField::MaxCpm);
    EXPECT_EQ(ui.lastMessage(), (Message{"Please enter the maxCPM correctly! Don't use more than 2 decimals, enter "
                                         "only digits and the decimal dot!",
                                         "Invalid input", Icon::Warning, Buttons::Ok}));
    full.form().maxCpm = "0.50";
    EXPECT_FALSE(full.accept());
    EXPECT_EQ(ui.lastMessage().text, "You cannot set both maxCPC and maxCPM!");
    EXPECT_EQ(full.focusField(), KeywordTypesField::MaxCpc);
    full.form().maxCpc = "0";
    ASSERT_TRUE(full.accept());
    EXPECT_EQ(full.choice().maxCpm, 50);
    EXPECT_TRUE(full.choice().broad && full.choice().phrase && !full.choice().exact);

    KeywordTypesController typesOnly(ui, ui.gate, true);
    EXPECT_FALSE(typesOnly.bidsEnabled());
    typesOnly.form().maxCpc = "nonsense";
    typesOnly.clickType(KeywordType::Phrase, true);
    ASSERT_TRUE(typesOnly.accept());
    EXPECT_TRUE(typesOnly.choice().phrase);
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace pw::ui
