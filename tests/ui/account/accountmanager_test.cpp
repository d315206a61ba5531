// The account manager and the campaign editor through a scripted desktop:
// the campaign list from the cache, its columns, sorting and filter, the
// changes handed to the queue, every refusal of the editor, and one run of
// the real sandbox tool from a new profile to the listed campaign.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "account/accountcaches.h"
#include "account/geotargets.h"
#include "account/moneytext.h"
#include "tests/account/sandboxfolder.h"
#include "tests/ui/account/scriptedaccountui.h"
#include "ui/account/accountmanagercontroller.h"
#include "ui/account/campaigneditorcontroller.h"
#include "ui/account/profilecontrollers.h"

namespace pw::ui {
namespace {

AccountCampaign campaign(int32_t id, std::string name, CampaignStatus status, int32_t budget, AccountDate start) {
    AccountCampaign c;
    c.id = id;
    c.name = std::move(name);
    c.status = status;
    c.dailyBudget = budget;
    c.startDate = start;
    c.endDate = {1, 1, 2099};
    return c;
}

class Manager : public ::testing::Test {
protected:
    Manager() : folder(temp.path()), settings(folder) {
        createGoogleFolder(folder);
        saveProfile(test::sandboxProfile("Main"), profilePath(folder, "Main"));
        settings.setDefaultProfile("Main");
        campaignCache().replace({campaign(30, "beta", CampaignStatus::Paused, 250, {5, 3, 2026}),
                                 campaign(4, "Alpha", CampaignStatus::Active, 1200, {1, 12, 2025}),
                                 campaign(100, "gamma", CampaignStatus::Active, 99, {2, 1, 2026})});
    }
    ~Manager() override { campaignCache().clear(); }

    AccountManagerController manager(QueueChange queue = {}) {
        return AccountManagerController(ui, ui, folder, settings, dispatcher, std::move(queue));
    }
    std::vector<std::string> column(const AccountManagerController& m, int c) {
        std::vector<std::string> cells;
        for (size_t r = 0; r < m.rowCount(); ++r) cells.push_back(m.rowCells(r)[c]);
        return cells;
    }

    pw::test::TempFolder temp;
    ProgramFolder folder;
    SettingsStore settings;
    test::ScriptedAccountUi ui;
    std::shared_ptr<test::ManualDispatcher> dispatcher = std::make_shared<test::ManualDispatcher>();
};

TEST_F(Manager, WithoutALoadableDefaultProfileItSaysSoAndCloses) {
    settings.setDefaultProfile("Missing");
    AccountManagerController m = manager();
    EXPECT_FALSE(m.open());
    EXPECT_EQ(ui.lastMessage(), (Message{"Cannot load default profile!", "Profile error", Icon::Error, Buttons::Ok}));
}

TEST_F(Manager, ShowsTheCachedCampaignsWithTheirColumnsAndTheNote) {
    AccountManagerController m = manager();
    ASSERT_TRUE(m.open());
    EXPECT_EQ(m.managingAccount(), "client@x.com");
    EXPECT_TRUE(m.cacheNoteShown());
    EXPECT_FALSE(m.reading());
    ASSERT_EQ(m.rowCount(), 3u);
    EXPECT_EQ(m.rowCells(0), (std::array<std::string, 6>{"30", "beta", "Paused", "2026.03.05", "2099.01.01", "$2.50"}));
}

TEST_F(Manager, SortsNumbersAsNumbersAndTextWithoutCase) {
    AccountManagerController m = manager();
    ASSERT_TRUE(m.open());
    const struct {
        int column;
        std::vector<std::string> ids;
    } cases[] = {{0, {"4", "30", "100"}},  // not "100" before "30"
                 {1, {"4", "30", "100"}},  // Alpha, beta, gamma
                 {2, {"4", "100", "30"}},  // Active before Paused, stable
                 {3, {"4", "100", "30"}},  // by the dotted date text
                 {5, {"100", "30", "4"}}};
    for (const auto& c : cases) {
        m.sortBy(c.column);
        EXPECT_EQ(column(m, 0), c.ids) << "column " << c.column;
    }
}

TEST_F(Manager, ActiveOnlyHidesOtherStatusesUntilUnchecked) {
    AccountManagerController m = manager();
    ASSERT_TRUE(m.open());
    m.setActiveOnly(true);
    EXPECT_EQ(column(m, 1), (std::vector<std::string>{"Alpha", "gamma"}));
    m.setActiveOnly(false);
    EXPECT_EQ(m.rowCount(), 3u);
}

TEST_F(Manager, CampaignChangesGoToTheQueueAsToolCommandLines) {
    std::vector<std::string> queued;
    AccountManagerController m = manager([&](const std::string& line) {
        queued.push_back(line);
        return true;
    });
    ASSERT_TRUE(m.open());
    EXPECT_FALSE(m.editEnabled());
    m.selectRow(1);  // "Alpha", found by its id
    ASSERT_TRUE(m.editEnabled());
    ui.campaignEdits.push_back([](AccountCampaign c, bool isNew) {
        EXPECT_FALSE(isNew);
        EXPECT_EQ(c.name, "Alpha");
        c.dailyBudget = 5000;
        return c;
    });
    m.editCampaign();
    ui.answers = {Answer::Yes};
    m.deleteCampaign();
    ui.campaignEdits.push_back([](AccountCampaign c, bool isNew) {
        EXPECT_TRUE(isNew);
        EXPECT_EQ(c, AccountCampaign{});
        return campaign(0, "Fresh", CampaignStatus::Active, 100, {1, 1, 2026});
    });
    m.createCampaign();

    AccountCampaign edited = campaign(4, "Alpha", CampaignStatus::Active, 5000, {1, 12, 2025});
    const AccountProfile p = test::sandboxProfile("Main");
    EXPECT_EQ(queued, (std::vector<std::string>{*modifyCampaignCommand(p, edited), *deleteCampaignCommand(p, 4, "Alpha"),
                                                *createCampaignCommand(p, campaign(0, "Fresh", CampaignStatus::Active,
                                                                                   100, {1, 1, 2026}))}));
    EXPECT_EQ(ui.messages[1], (Message{"Are you sure you want to delete campaign 'Alpha'?", "Confirm delete",
                                       Icon::Question, Buttons::YesNo}));
    EXPECT_EQ(ui.lastMessage(),
              (Message{"Action queued and ready to commit!", "Success", Icon::Information, Buttons::Ok}));
}

TEST_F(Manager, ACancelledEditQueuesNothingAndARefusedQueueIsReported) {
    int calls = 0;
    AccountManagerController m = manager([&](const std::string&) { return ++calls, false; });
    ASSERT_TRUE(m.open());
    m.selectRow(0);
    ui.campaignEdits.push_back([](AccountCampaign, bool) { return std::nullopt; });
    m.editCampaign();
    ui.answers = {Answer::No};
    m.deleteCampaign();
    EXPECT_EQ(calls, 0);
    ui.answers = {Answer::Yes};
    m.deleteCampaign();
    EXPECT_EQ(ui.lastMessage(), (Message{"The action could not be queued!", "Queue error!", Icon::Error, Buttons::Ok}));
}

TEST_F(Manager, AReadThatCannotStartSaysSoAndLeavesTheWindowUsable) {
    campaignCache().clear();  // no tool in this folder
    AccountManagerController m = manager();
    ASSERT_TRUE(m.open());
    EXPECT_EQ(ui.lastMessage(), (Message{"An error occurred with one of Phrasewright's files! Please reinstall the "
                                         "application!",
                                         "File error", Icon::Error, Buttons::Ok}));
    EXPECT_FALSE(m.reading());
    EXPECT_TRUE(m.refreshEnabled());
}

TEST(MoneyText, DollarsWithTwoDecimalsBecomeCents) {
    const struct {
        const char* text;
        std::optional<int32_t> cents;
    } cases[] = {{"12", 1200},       {"1.5", 150},           {"0.01", 1},       {".", 0},
                 {"", 0},            {"12.", 1200},          {"12.345", std::nullopt}, {"1.2.3", std::nullopt},
                 {"-1", std::nullopt}, {"1e3", std::nullopt}, {"21474836.47", 2147483647},
                 {"21474836.48", std::nullopt}, {"99999999999999999999", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(parseMoneyText(c.text), c.cents) << c.text;
    EXPECT_EQ(formatMoney(1200), "12.00");
    EXPECT_EQ(formatMoney(5), "0.05");
    EXPECT_EQ(formatMoney(-150), "-1.50");
}

class CampaignEditor : public ::testing::Test {
protected:
    CampaignEditor() : record(campaign(7, "Spring", CampaignStatus::Active, 500, {1, 1, 2026})) {}
    test::ScriptedAccountUi ui;
    AccountCampaign record;
};

TEST_F(CampaignEditor, RefusesInOrderAndKeepsTheRecordUntouched) {
    const AccountCampaign before = record;
    const struct {
        std::function<void(CampaignEditorForm&)> change;
        const char* text;
        CampaignField focus;
    } cases[] = {
        {[](CampaignEditorForm& f) { f.name.clear(); }, "Please fill in campaign name!", CampaignField::Name},
        {[](CampaignEditorForm& f) { f.name = "say \"hi\""; }, "Please don't use quotes in the campaign name!",
         CampaignField::Name},
        {[](CampaignEditorForm& f) { f.status = CampaignStatus::Ended; },
         "You can only set a campaign's status to \"Active\", \"Paused\" or \"Deleted\"!", CampaignField::Status},
        {[](CampaignEditorForm& f) { f.dailyBudget = "12.345"; },
         "Please enter the daily budget correctly! Don't use more than 2 decimals, enter only digits and the decimal "
         "dot!",
         CampaignField::DailyBudget},
        {[](CampaignEditorForm& f) { f.dailyBudget = ""; },
         "Please enter the daily budget correctly! Enter a value greater or equal to 0.01!", CampaignField::DailyBudget},
        {[](CampaignEditorForm& f) { f.endDate = f.startDate; },
         "Please set the campaign to end at least a day after it's start date!", CampaignField::EndDate},
    };
    for (const auto& c : cases) {
        CampaignEditorController editor(ui, record, false);
        c.change(editor.form());
        EXPECT_FALSE(editor.save()) << c.text;
        EXPECT_EQ(ui.lastMessage(), (Message{c.text, "Invalid input", Icon::Warning, Buttons::Ok}));
        EXPECT_EQ(editor.focusField(), c.focus) << c.text;
        EXPECT_EQ(editor.campaign(), before);
    }
}

TEST_F(CampaignEditor, AQuoteBeyondTheKeptLengthDoesNotCount) {
    CampaignEditorController editor(ui, record, false);
    editor.form().name = std::string(126, 'a') + "\"";
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(editor.campaign().name, std::string(126, 'a'));
}

TEST_F(CampaignEditor, AnEndedCampaignSavesOnlyOnceItsStatusChanges) {
    record.status = CampaignStatus::Ended;
    CampaignEditorController editor(ui, record, false);
    EXPECT_FALSE(editor.save());
    editor.form().status = CampaignStatus::Paused;
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(editor.campaign().status, CampaignStatus::Paused);
}

TEST_F(CampaignEditor, SavesFieldsBudgetDatesAndChosenTargets) {
    record.countries[countryIndexByName("Germany")] = true;
    CampaignEditorController editor(ui, record, true);
    EXPECT_FALSE(editor.accountButtonsEnabled());
    CampaignEditorForm& f = editor.form();
    EXPECT_EQ(f.dailyBudget, "5.00");
    EXPECT_EQ(f.countries, std::vector<std::string>{"GERMANY"});
    const int germany = countryIndexByName("germany");
    const int france = countryIndexByName("France");
    editor.addCountries({germany, france, france});  // no name twice
    EXPECT_EQ(f.countries, (std::vector<std::string>{"GERMANY", "FRANCE"}));
    editor.removeCountries({0});
    editor.addLanguages({0});
    f.dailyBudget = "12.";
    f.endDate = {2, 1, 2026};  // one day after the start
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(editor.campaign().dailyBudget, 1200);
    EXPECT_EQ(editor.campaign().endDate, (AccountDate{2, 1, 2026}));
    EXPECT_FALSE(editor.campaign().countries[germany]);
    EXPECT_TRUE(editor.campaign().countries[france]);
    EXPECT_TRUE(editor.campaign().languages[0]);
    EXPECT_EQ(record.dailyBudget, 500);  // the caller applies what the editor returns
}

TEST_F(CampaignEditor, NetworkAndSeparateBidsFollowTheirBoxes) {
    CampaignEditorController editor(ui, record, false);
    EXPECT_TRUE(editor.accountButtonsEnabled());
    editor.setShowInSearch(true);
    editor.form().showInNetwork = true;
    editor.setShowInContent(true);
    editor.form().separateContentBids = true;
    EXPECT_TRUE(editor.networkEnabled() && editor.separateBidsEnabled());
    editor.setShowInSearch(false);
    editor.setShowInContent(false);
    EXPECT_FALSE(editor.networkEnabled() || editor.separateBidsEnabled());
    EXPECT_FALSE(editor.form().showInNetwork || editor.form().separateContentBids);
}

// From a new profile to the campaign list, through the real sandbox tool.
TEST(AccountEndToEnd, ANewDefaultProfileListsACampaignMadeWithTheTool) {
    campaignCache().clear();
    pw::test::SandboxFolder sandbox;
    SettingsStore settings(sandbox.folder());
    test::ScriptedAccountUi ui;
    ProfileChooserController chooser(ui, ui.gate, ui, sandbox.folder(), settings);
    ui.profileEdits = {test::sandboxProfile("Main")};
    chooser.create();  // the only profile: the default at once
    ASSERT_EQ(settings.values().defaultProfile, "Main");

    AccountCampaign spring = campaign(0, "Spring", CampaignStatus::Active, 500, {1, 1, 2026});
    ASSERT_TRUE(sandbox.run(*createCampaignCommand(test::sandboxProfile("Main"), spring)));

    auto dispatcher = std::make_shared<test::ManualDispatcher>();
    AccountManagerController manager(ui, ui, sandbox.folder(), settings, dispatcher, {});
    ASSERT_TRUE(manager.open());
    EXPECT_TRUE(manager.reading());
    EXPECT_EQ(manager.statusText(), "Fetching Google campaigns...");
    bool changed = false;
    manager.onChanged = [&] { changed = true; };
    for (int i = 0; i < 3000 && !changed; ++i) {
        dispatcher->runAll();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(changed);
    EXPECT_FALSE(manager.reading());
    EXPECT_FALSE(manager.cacheNoteShown());
    ASSERT_EQ(manager.rowCount(), 1u);
    EXPECT_EQ(manager.rowCells(0)[1], "Spring");
    EXPECT_EQ(manager.rowCells(0)[5], "$5.00");
    EXPECT_EQ(campaignCache().copy().size(), 1u);

    // A manager that closes while its read runs ignores the read's end.
    {
        AccountManagerController closing(ui, ui, sandbox.folder(), settings, dispatcher, {});
        ASSERT_TRUE(closing.open());  // from the cache
        closing.refresh();
        EXPECT_TRUE(closing.reading());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    dispatcher->runAll();
    EXPECT_TRUE(ui.messages.empty());
    campaignCache().clear();
}

}  // namespace
}  // namespace pw::ui
