// The ad group manager through a scripted desktop: the cache per campaign,
// the group changes and refusals, the keyword box's bids, and the keyword,
// ad and group work on a sandbox account read through the real account tool.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "account/accountcaches.h"
#include "account/changequeue.h"
#include "account/toolrecords.h"
#include "core/atomicfile.h"
#include "tests/ui/account/sandboxadgroup.h"
#include "account/commitloop.h"
#include "ui/account/accountmanagercontroller.h"
#include "ui/account/adgroupmanagercontroller.h"
#include "ui/account/campaigneditorcontroller.h"
#include "ui/account/keywordbox.h"

namespace pw::ui {
namespace {

const Message kQueued{"Action queued and ready to commit!", "Success", Icon::Information, Buttons::Ok};

AccountAdGroup adGroup(int32_t campaignId, int32_t id, std::string name, int32_t maxCpc) {
    AccountAdGroup g;
    g.campaignId = campaignId;
    g.id = id;
    g.name = std::move(name);
    g.maxCpc = maxCpc;
    return g;
}

AccountKeyword keyword(std::string text, MatchType type, int32_t bid) { return {std::move(text), type, bid}; }

// --- the keyword box ---

TEST(KeywordBox, BracketsAndQuotesMakeTheMatchTypeAndOnlyVisitedLinesKeepABid) {
    KeywordBids bids;
    bids.take({keyword("shoes", MatchType::Broad, 50), keyword("shoes", MatchType::Exact, 120)});
    const struct {
        const char* line;
        KeywordBids::BidField shown;
    } visits[] = {{"[shoes]", {"1.20", true}}, {"shoes", {"0.50", true}}, {"", {"0.00", false}},
                  {"\"shoes\"", {"0.00", true}}};
    for (const auto& v : visits) EXPECT_EQ(bids.caretEvent("", v.line), v.shown) << v.line;
    bids.editBid("\"shoes\"", "0.75");
    bids.editBid("shoes", "1.234");  // not money: the bid stays
    EXPECT_EQ(bids.caretEvent("", "\"shoes\"").text, "0.75");

    const std::vector<AccountKeyword> saved = bids.keywordsToSave("[shoes]\r\nshoes\n\n\"shoes\"\rnew line\r\n");
    EXPECT_EQ(saved, (std::vector<AccountKeyword>{keyword("shoes", MatchType::Exact, 120),
                                                  keyword("shoes", MatchType::Broad, 50),
                                                  keyword("shoes", MatchType::Phrase, 75),
                                                  keyword("new line", MatchType::Broad, 0)}));
}

TEST(KeywordBox, ARemovedLineIsForgottenOnTheThirtiethEventOnly) {
    KeywordBids bids;
    bids.take({keyword("gone", MatchType::Broad, 300), keyword("kept", MatchType::Broad, 200)});
    const std::string box = "kept\r\n";
    for (int i = 1; i < kKeywordSyncEvery; ++i) bids.caretEvent(box, "kept");
    EXPECT_EQ(bids.keywords().size(), 2u);
    bids.caretEvent(box, "kept");
    EXPECT_EQ(bids.keywords(), std::vector<AccountKeyword>{keyword("kept", MatchType::Broad, 200)});
    // Typed back in, the line is a new keyword: its bid was forgotten.
    EXPECT_EQ(bids.caretEvent("kept\r\ngone", "gone").text, "0.00");
}

TEST(KeywordBox, ALineLongerThanAKeywordIsFoundAgainInsteadOfAddedAtEveryKey) {
    KeywordBids bids;
    const std::string line(300, 'k');
    for (int i = 0; i < 5; ++i) bids.caretEvent(line, line);
    ASSERT_EQ(bids.keywords().size(), 1u);
    bids.editBid(line, "2");
    EXPECT_EQ(bids.keywordsToSave(line).at(0).bid, 200);
}

TEST(KeywordBox, TextAndLines) {
    EXPECT_EQ(keywordBoxText({keyword("a", MatchType::Broad, 0), keyword("b c", MatchType::Phrase, 0),
                              keyword("d", MatchType::Exact, 0)}),
              "a\r\n\"b c\"\r\n[d]");
    EXPECT_EQ(keywordBoxLines("a\r\n\r\nb\rc\n"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(appendKeywordLines("a", {"b", "c"}), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(appendKeywordLines("", {"b"}), "b\r\n");
    EXPECT_EQ(appendKeywordLines("a\n", {"b"}), "a\nb\r\n");
}

// --- the groups, from the cache ---

class AdGroupManager : public ::testing::Test {
protected:
    AdGroupManager() : folder(temp.path()), settings(folder) {
        createGoogleFolder(folder);
        saveProfile(profile, profilePath(folder, "Main"));
        settings.setDefaultProfile("Main");
        adGroupCache().replace({adGroup(7, 70, "Red shoes", 25), adGroup(7, 71, "Blue shoes", 30)});
    }
    ~AdGroupManager() override { adGroupCache().clear(); }

    AdGroupManagerController manager(int32_t campaignId = 7) {
        return AdGroupManagerController({ui, ui, ui, ui}, folder, settings, dispatcher,
                                        [this](const std::string& line) {
                                            queued.push_back(line);
                                            return true;
                                        },
                                        nullptr, campaignId, "Spring");
    }

    pw::test::TempFolder temp;
    ProgramFolder folder;
    SettingsStore settings;
    AccountProfile profile = test::sandboxProfile("Main");
    test::ScriptedAccountUi ui;
    std::shared_ptr<test::ManualDispatcher> dispatcher = std::make_shared<test::ManualDispatcher>();
    std::vector<std::string> queued;
};

TEST_F(AdGroupManager, WithoutALoadableDefaultProfileItSaysSoAndCloses) {
    settings.setDefaultProfile("Missing");
    AdGroupManagerController m = manager();
    EXPECT_FALSE(m.open());
    EXPECT_EQ(ui.lastMessage(), (Message{"Cannot load default profile!", "Profile error", Icon::Error, Buttons::Ok}));
}

TEST_F(AdGroupManager, TheCacheServesOnlyTheCampaignItWasReadFor) {
    AdGroupManagerController same = manager(7);
    ASSERT_TRUE(same.open());
    EXPECT_TRUE(same.cacheNoteShown());
    EXPECT_EQ(same.campaignLabel(), "Campaign: Spring");
    ASSERT_EQ(same.rowCount(), 2u);
    EXPECT_EQ(same.rowCells(1), (std::array<std::string, 2>{"Blue shoes", "Enabled"}));
    EXPECT_TRUE(ui.messages.empty());

    AdGroupManagerController other = manager(8);
    ASSERT_TRUE(other.open());  // reads afresh: this folder has no tool to read with
    EXPECT_FALSE(other.cacheNoteShown());
    EXPECT_EQ(other.rowCount(), 0u);
    EXPECT_EQ(ui.lastMessage().caption, "File error");
    EXPECT_FALSE(other.reading());
}

TEST_F(AdGroupManager, SaveNewAndDeleteQueueTheirChanges) {
    AdGroupManagerController m = manager();
    ASSERT_TRUE(m.open());
    m.selectRow(0);
    EXPECT_EQ(m.form().maxCpc, "0.25");
    m.form().name = "Red sneakers";
    m.form().maxCpm = "1.5";
    m.saveGroup();
    EXPECT_EQ(m.selectedRow(), -1);  // every row deselected after a save

    m.toggleNewGroup();
    EXPECT_TRUE(m.newGroupMode());
    EXPECT_EQ(m.newButtonText(), "Cancel New");
    EXPECT_FALSE(m.keywordLoadEnabled());
    EXPECT_EQ(m.form().maxContentCpc, "0.00");
    m.form().name = "Green shoes";
    m.saveGroup();
    EXPECT_FALSE(m.newGroupMode());

    m.selectRow(1);
    m.deleteGroup();
    EXPECT_EQ(m.form().name, "");  // the fields were cleared with the selection

    AccountAdGroup modified = adGroup(7, 70, "Red sneakers", 25);
    modified.maxCpm = 150;
    AccountAdGroup created = adGroup(7, 0, "Green shoes", 0);
    AccountAdGroup deleted = adGroup(7, 71, "Blue shoes", 30);
    deleted.status = AdGroupStatus::Deleted;
    EXPECT_EQ(queued, (std::vector<std::string>{*modifyAdGroupCommand(profile, modified),
                                                *createAdGroupCommand(profile, created),
                                                *modifyAdGroupCommand(profile, deleted)}));
    EXPECT_EQ(ui.messages, std::vector<Message>(3, kQueued));
}

TEST_F(AdGroupManager, CancelNewLeavesTheModeAndNothingIsSavedWithoutASelection) {
    AdGroupManagerController m = manager();
    ASSERT_TRUE(m.open());
    m.toggleNewGroup();
    m.toggleNewGroup();
    EXPECT_FALSE(m.newGroupMode());
    EXPECT_EQ(m.newButtonTooltip(), "Click here to create a new ad group");
    EXPECT_FALSE(m.groupSaveEnabled());
    m.saveGroup();
    m.deleteGroup();
    EXPECT_TRUE(queued.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AdGroupManager, SaveRefusesInOrderWithTheFieldToFocus) {
    const char* tail = " correctly! Don't use more than 2 decimals, enter only digits and the decimal dot!";
    const struct {
        std::function<void(AdGroupForm&)> change;
        std::string text;
        AdGroupField focus;
    } cases[] = {
        {[](AdGroupForm& f) { f.name.clear(); }, "Please fill in ad group name!", AdGroupField::Name},
        {[](AdGroupForm& f) { f.name = "say \"hi\""; }, "Please don't use quotes in the ad group name!",
         AdGroupField::Name},
        {[](AdGroupForm& f) { f.maxCpc = "1.234"; }, std::string("Please enter the maxCPC") + tail,
         AdGroupField::MaxCpc},
        {[](AdGroupForm& f) { f.maxCpm = "x"; }, std::string("Please enter the maxCPM") + tail, AdGroupField::MaxCpm},
        {[](AdGroupForm& f) { f.maxContentCpc = "-1"; }, std::string("Please enter the maxContentCPC") + tail,
         AdGroupField::MaxContentCpc},
    };
    AdGroupManagerController m = manager();
    ASSERT_TRUE(m.open());
    for (const auto& c : cases) {
        m.selectRow(0);
        c.change(m.form());
        m.saveGroup();
        EXPECT_TRUE(m.saveRefused());
        EXPECT_EQ(ui.lastMessage(), (Message{c.text, "Invalid input", Icon::Warning, Buttons::Ok}));
        EXPECT_EQ(m.focusField(), c.focus) << c.text;
        EXPECT_EQ(m.selectedRow(), 0);  // the row stays for the user to correct
        m.selectRow(-1);
    }
    // A quote beyond the 126 characters kept does not count.
    m.selectRow(0);
    m.form().name = std::string(126, 'a') + "\"";
    m.saveGroup();
    EXPECT_FALSE(m.saveRefused());
    // A status without a name stops without a word.
    const size_t messages = ui.messages.size();
    m.selectRow(0);
    m.form().status = -1;
    m.saveGroup();
    EXPECT_EQ(ui.messages.size(), messages);
    EXPECT_EQ(queued.size(), 1u);
}

TEST(CampaignEditorAdGroups, OpenTheManagerOnTheStoredCampaignOnly) {
    test::ScriptedAccountUi ui;
    auto open = [&ui](const AccountCampaign& c) { ui.manageAdGroups(c.id, c.name); };
    AccountCampaign stored;
    stored.id = 12;
    stored.name = "Spring";
    CampaignEditorController editor(ui, stored, false, {{}, open});
    editor.form().name = "Renamed, not saved";
    editor.openAdGroups();
    AccountCampaign fresh;
    CampaignEditorController creating(ui, fresh, true, {{}, open});
    creating.openAdGroups();
    ASSERT_EQ(ui.adGroupManagers.size(), 1u);
    EXPECT_EQ(ui.adGroupManagers[0].campaignId, 12);
    EXPECT_EQ(ui.adGroupManagers[0].campaignName, "Spring");
}

// --- keywords, ads and imports on a sandbox account ---

class AdGroupSandbox : public ::testing::Test {
protected:
    AdGroupSandbox() : settings(sandbox.folder()) {
        adGroupCache().clear();
        const test::SandboxAdGroup made = test::makeSandboxAdGroup(
            sandbox, settings, {keyword("red shoes", MatchType::Broad, 40), keyword("red shoes", MatchType::Exact, 90)});
        campaignId = made.campaignId;
        groupId = made.groupId;
        Group& boots = appendGroup(project, "Boots");
        boots.phrases.emplace_back("warm boots");
        project.mainList.phrases.emplace_back("main phrase");
    }
    ~AdGroupSandbox() override { adGroupCache().clear(); }

    void addAds(int count, int deleted) {
        for (int i = 0; i < count; ++i) {
            AccountAd ad;
            ad.adGroupId = groupId;
            ad.headline = "Shoes " + std::to_string(i);
            ad.description1 = "Red shoes for you";
            ad.description2 = "Free shipping";
            ad.displayUrl = "shop.example.com";
            ad.destinationUrl = "http://shop.example.com";
            const int32_t id = readAdRecords(*sandbox.run(*createAdCommand(profile, ad))).at(0).id;
            if (i < deleted) sandbox.run(*deleteAdCommand(profile, id, groupId, ad.headline));
        }
    }
    void waitForRead(AdGroupManagerController& m) {
        for (int i = 0; i < 3000 && m.reading(); ++i) {
            dispatcher->runAll();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_FALSE(m.reading());
    }
    std::unique_ptr<AdGroupManagerController> openOnGroup() {
        auto m = std::make_unique<AdGroupManagerController>(
            AdGroupManagerWindows{ui, ui, ui, ui}, sandbox.folder(), settings, dispatcher,
            [this](const std::string& line) {
                queued.push_back(line);
                return true;
            },
            &project, campaignId, "Spring");
        EXPECT_TRUE(m->open());
        EXPECT_EQ(m->statusText(), "Fetching Google Ad Groups...");
        waitForRead(*m);
        EXPECT_EQ(m->rowCount(), 1u);
        m->selectRow(0);
        return m;
    }

    pw::test::SandboxFolder sandbox;
    SettingsStore settings;
    AccountProfile profile = test::sandboxProfile("Main");
    int32_t campaignId = 0;
    int32_t groupId = 0;
    Project project;
    test::ScriptedAccountUi ui;
    std::shared_ptr<test::ManualDispatcher> dispatcher = std::make_shared<test::ManualDispatcher>();
    std::vector<std::string> queued;
};

TEST_F(AdGroupSandbox, KeywordsLoadIntoTheBoxAndSaveWithTheirBids) {
    auto m = openOnGroup();
    EXPECT_FALSE(m->keywordBoxEnabled());
    m->loadKeywords();
    EXPECT_EQ(m->statusText(), "Fetching Ad Group Keywords...");
    waitForRead(*m);
    EXPECT_EQ(m->keywordText(), "red shoes\r\n[red shoes]");
    ASSERT_TRUE(m->keywordBoxEnabled());
    EXPECT_FALSE(fileExists(googleFile(sandbox.folder(), "lad.out")));

    // The keyword import offers the main list first, and only the types are asked.
    ui.groupAnswers = {"Main list"};
    ui.keywordTypes = {{true, KeywordTypesChoice{.broad = true, .exact = true}}};
    m->importKeywords(m->keywordText());
    EXPECT_EQ(ui.groupChoicesOffered.back(), (std::vector<std::string>{"Main list", "Boots"}));
    const std::string box = m->keywordText();
    EXPECT_EQ(box, "red shoes\r\n[red shoes]\r\nmain phrase\r\n[main phrase]\r\n");

    m->keywordCaretEvent(box, "main phrase");
    m->editKeywordBid("main phrase", "0.33");
    m->saveKeywords(box);
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(ui.lastMessage(), kQueued);
    const size_t at = queued[0].find("-keywordFile=\"");
    ASSERT_NE(at, std::string::npos);
    const size_t start = at + 14;
    std::string text;
    ASSERT_TRUE(readWholeFile(queued[0].substr(start, queued[0].find('"', start) - start), text));
    EXPECT_EQ(text, "red shoes/Broad/400000;red shoes/Exact/900000;main phrase/Broad/330000;main phrase/Exact/0");

    // Another group's selection empties the box: its keywords are not this group's.
    m->selectRow(-1);
    EXPECT_EQ(m->keywordText(), "");
    EXPECT_FALSE(m->keywordBoxEnabled());
}

TEST_F(AdGroupSandbox, AKeywordTheToolFileCannotHoldIsRefused) {
    auto m = openOnGroup();
    m->loadKeywords();
    waitForRead(*m);
    m->saveKeywords("red/shoes");
    EXPECT_TRUE(queued.empty());
    EXPECT_EQ(ui.lastMessage().caption, "Invalid input");
}

TEST_F(AdGroupSandbox, PreviewsScrollOverTheShownAdsAndDeletedOnesOnlyOnRequest) {
    addAds(5, 2);
    auto m = openOnGroup();
    m->loadAds();
    EXPECT_EQ(m->statusText(), "Fetching Ads...");
    waitForRead(*m);
    EXPECT_FALSE(m->adScroll().enabled);  // 3 ads shown
    EXPECT_EQ(m->previewAd(0)->headline, "Shoes 2");
    m->setShowDeletedAds(true);
    const PreviewScroll scroll = m->adScroll();
    EXPECT_TRUE(scroll.enabled);
    EXPECT_EQ(scroll.maximum, 3);  // 0..n-2 with a page of 2
    EXPECT_EQ(scroll.page, 2);
    for (int position : {0, 1, 2, 5}) {
        m->setAdScrollPosition(position);
        EXPECT_EQ(m->previewAd(0)->headline, "Shoes " + std::to_string(std::min(position, 2)));
    }
    m->setAdScrollPosition(0);

    auto texts = [](const std::vector<MenuItem>& items) {
        std::vector<std::string> t;
        for (const MenuItem& item : items) t.push_back(item.text);
        return t;
    };
    const std::vector<MenuItem> deletedMenu = m->adMenu(0);
    EXPECT_EQ(texts(deletedMenu), (std::vector<std::string>{"Shoes 0", "", "&Edit Ad", "&Copy to new ad"}));
    EXPECT_FALSE(deletedMenu[0].enabled());
    EXPECT_EQ(texts(m->adMenu(2)), (std::vector<std::string>{"Shoes 2", "", "&Edit Ad", "&Delete Ad", "&Copy to new ad"}));
    EXPECT_EQ(m->selectedPreview(), 2);
    EXPECT_TRUE(m->adMenu(3).empty());
}

TEST_F(AdGroupSandbox, AdChangesAndImportsQueueTheirLines) {
    addAds(1, 0);
    auto m = openOnGroup();
    m->loadAds();
    waitForRead(*m);
    const AccountAd stored = *m->previewAd(0);
    m->selectPreview(0);
    ASSERT_TRUE(m->adEditEnabled());

    m->editAd();  // cancelled: nothing to queue
    EXPECT_TRUE(queued.empty());
    EXPECT_EQ(ui.adEditRequests.back().ad.title, "Shoes 0");
    auto retitle = [](const char* title) {
        return [title](const AdEditRequest& r) -> std::optional<AdEditResult> {
            EXPECT_TRUE(r.accountMode);
            Ad ad = r.ad;
            ad.title = title;
            return ad;
        };
    };
    ui.adEdits = {retitle("Edited"), retitle("Copied"), [](const AdEditRequest& r) -> std::optional<AdEditResult> {
                      EXPECT_EQ(r.origin, AdOrigin::New);
                      Ad ad = r.ad;
                      ad.title = "Fresh";
                      ad.displayUrl = "new.example.com";
                      return ad;
                  }};
    m->editAd();
    m->copyAd();
    m->newAd();
    ui.answers = {Answer::No, Answer::Yes};
    m->deleteAd();
    m->deleteAd();
    EXPECT_EQ(m->selectedPreview(), -1);
    Ad projectAd;
    projectAd.title = "From project";
    ui.projectAds = {projectAd};
    m->importAd();

    AccountAd edited = stored;
    edited.headline = "Edited";
    edited.deleted = edited.approved = false;
    AccountAd copied = edited;
    copied.id = 0;
    copied.headline = "Copied";
    AccountAd fresh;
    fresh.adGroupId = groupId;
    fresh.headline = "Fresh";
    fresh.displayUrl = "new.example.com";
    AccountAd imported;
    imported.adGroupId = groupId;
    imported.headline = "From project";
    EXPECT_EQ(queued, (std::vector<std::string>{*modifyAdCommand(profile, edited), *createAdCommand(profile, copied),
                                                *createAdCommand(profile, fresh),
                                                *deleteAdCommand(profile, stored.id, groupId, "Shoes 0"),
                                                *createAdCommand(profile, imported)}));
    EXPECT_TRUE(std::find(ui.messages.begin(), ui.messages.end(),
                          Message{"Are you sure you want to delete ad \"Shoes 0\"?", "Confirm delete", Icon::Question,
                                  Buttons::YesNo}) != ui.messages.end());
}

TEST_F(AdGroupSandbox, AQuoteInAnAdTextIsRefusedNamingItsFieldAndNothingIsQueued) {
    addAds(1, 0);
    auto m = openOnGroup();
    m->loadAds();
    waitForRead(*m);
    m->selectPreview(0);
    const struct {
        std::string Ad::*field;
        const char* name;
    } fields[] = {{&Ad::title, "headline"},
                  {&Ad::line1, "first description line"},
                  {&Ad::line2, "second description line"},
                  {&Ad::displayUrl, "display URL"},
                  {&Ad::destinationUrl, "destination URL"}};
    const auto quoteIn = [](std::string Ad::*field) {
        return [field](const AdEditRequest& r) -> std::optional<AdEditResult> {
            Ad ad = r.ad;
            ad.*field = "say \"hi\"";
            return ad;
        };
    };
    const auto refusal = [](const std::string& name) {
        return Message{"Please don't use quotes in the ad's " + name + "!", "Invalid input", Icon::Warning, Buttons::Ok};
    };
    for (const auto& f : fields) {
        ui.adEdits = {quoteIn(f.field)};
        m->newAd();
        EXPECT_EQ(ui.lastMessage(), refusal(f.name));
    }
    // Editing, copying and importing an ad check the same texts.
    ui.adEdits = {quoteIn(&Ad::line2), quoteIn(&Ad::title)};
    m->editAd();
    EXPECT_EQ(ui.lastMessage(), refusal("second description line"));
    m->copyAd();
    EXPECT_EQ(ui.lastMessage(), refusal("headline"));
    Ad projectAd;
    projectAd.title = "From project";
    projectAd.destinationUrl = "http://x.example.com/?q=\"a\"";
    ui.projectAds = {projectAd};
    m->importAd();
    EXPECT_EQ(ui.lastMessage(), refusal("destination URL"));
    EXPECT_TRUE(queued.empty());
}

TEST_F(AdGroupSandbox, ImportingAProjectGroupQueuesAnUploadIntoThisCampaign) {
    auto m = openOnGroup();
    ui.groupAnswers = {"Boots"};
    ui.keywordTypes = {{false, KeywordTypesChoice{.maxCpc = 30, .phrase = true}}};
    m->importAdGroup();
    EXPECT_EQ(ui.groupChoicesOffered.back(), std::vector<std::string>{"Boots"});
    EXPECT_EQ(ui.lastMessage(), kQueued);
    const std::vector<std::string> lines = readQueuedChanges(sandbox.folder());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("-action=createAdGroup"), std::string::npos);
    EXPECT_NE(lines[0].find("-campaignID=" + std::to_string(campaignId)), std::string::npos);
    EXPECT_NE(lines[0].find("Boots"), std::string::npos);
}

TEST_F(AdGroupSandbox, AfterACommitTheManagerReadsTheGroupsAgainInsteadOfSendingOldBidsBack) {
    {
        auto m = openOnGroup();
        EXPECT_EQ(m->form().maxCpc, "0.25");
        m->form().maxCpc = "0.77";
        m->saveGroup();
        ASSERT_EQ(queued.size(), 1u);
        ASSERT_TRUE(queueChange(sandbox.folder(), queued[0]));
    }
    ASSERT_FALSE(adGroupCache().copy().empty());  // the list as read before the change
    ASSERT_TRUE(settings.setCommitHintPending(false));
    AccountManagerController manager(ui, ui, sandbox.folder(), settings, dispatcher, QueueChange{});
    ASSERT_TRUE(manager.open());
    const auto settle = [&] {
        for (int i = 0; i < 3000 && (manager.committing() || manager.reading()); ++i) {
            dispatcher->runAll();
            manager.poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_FALSE(manager.committing() || manager.reading());
    };
    settle();
    ui.changeLists.push_back([](auto&&, auto&&, const std::vector<std::string>& lines) { return std::optional(lines); });
    manager.commitChanges();
    settle();
    EXPECT_EQ(commitStatus().done, 1u);
    EXPECT_TRUE(adGroupCache().copy().empty());

    // Reopened: read afresh, so "Save" sends the committed bid.
    auto again = openOnGroup();
    EXPECT_FALSE(again->cacheNoteShown());
    EXPECT_EQ(again->form().maxCpc, "0.77");
}

TEST_F(AdGroupSandbox, ReopeningForTheSameCampaignUsesTheCacheAndAClosedWindowIgnoresItsRead) {
    { auto first = openOnGroup(); }
    auto again = std::make_unique<AdGroupManagerController>(AdGroupManagerWindows{ui, ui, ui, ui}, sandbox.folder(),
                                                            settings, dispatcher, QueueChange{}, &project, campaignId,
                                                            "Spring");
    ASSERT_TRUE(again->open());
    EXPECT_TRUE(again->cacheNoteShown());
    EXPECT_FALSE(again->reading());
    again->refresh();
    EXPECT_TRUE(again->reading());
    again.reset();  // closes while its read runs
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    dispatcher->runAll();
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace pw::ui
