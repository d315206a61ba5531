// The logic of the ad editor, the phase-4 ads area, "Manage ads lists" and
// "Search for past ads".

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "core/projectfile.h"
#include "core/textencoding.h"
#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"
#include "ui/ads/adeditorcontroller.h"
#include "ui/ads/adsareacontroller.h"
#include "ui/ads/managelistscontroller.h"
#include "ui/ads/pastadssearchcontroller.h"

namespace pw::ui {
namespace {

Ad adTitled(const std::string& title, SearchEngine engine = SearchEngine::Google) {
    Ad ad;
    ad.title = title;
    ad.line1 = "Great prices";
    ad.line2 = "Order today";
    ad.displayUrl = "www.example.com";
    ad.destinationUrl = "http://www.example.com/";
    ad.engine = engine;
    return ad;
}

AdEditRequest newAd(const Ad& ad = {}) { return {.ad = ad, .origin = AdOrigin::New}; }
AdEditRequest storedAd(const Ad& ad) { return {.ad = ad, .origin = AdOrigin::Stored}; }

// The ad the editor hands back after "&Save ad".
std::string savedTitle(const AdEditorController& editor) {
    const std::optional<AdEditResult>& result = editor.result();
    return result && std::holds_alternative<Ad>(*result) ? std::get<Ad>(*result).title : "(nothing saved)";
}

class AdEditor : public ::testing::Test {
protected:
    test::ScriptedUi ui;
};

TEST_F(AdEditor, CountsCharactersAndKeepsEveryBoxWithinItsField) {
    Ad ad;
    AdEditorController editor(ui, ui.gate, ui.menuActions, newAd(ad));
    const std::string accented = "Caf\xC3\xA9 in the old town";  // 20 characters, 21 bytes
    editor.typed(EditorBox::Title, accented);
    EXPECT_EQ(editor.counter(AdField::Title).text, "20/25");
    const std::string full = std::string(24, 'x') + "\xC3\xA9\xC3\xA9";  // the 25th character is "e"
    EXPECT_EQ(editor.typed(EditorBox::Title, full), std::string(24, 'x') + "\xC3\xA9");

    // Boxes without a network limit still hold only what their field stores.
    EXPECT_EQ(editor.typed(EditorBox::Notes, std::string(12'000, 'n')).size(), 9999u);
    const std::string marked = "{keyword:" + std::string(200, 'k');
    EXPECT_EQ(editor.typed(EditorBox::Title, marked).size(), 127u);

    // A line break typed into the description is stored as CR LF.
    editor.setNetwork(SearchEngine::Yahoo);
    EXPECT_EQ(editor.typed(EditorBox::Description, "first\nsecond"), "first\r\nsecond");
    EXPECT_EQ(editor.typed(EditorBox::Description, "first\r\nsecond"), "first\r\nsecond");
}

TEST_F(AdEditor, ASavedAdNeverEndsInsideACharacter) {
    AdEditorController editor(ui, ui.gate, ui.menuActions, newAd());
    std::string accents;
    for (int i = 0; i < 5000; ++i) accents += "\xC3\xA9";  // 10,000 bytes
    editor.typed(EditorBox::Title, "{keyword:" + accents);  // the marker lifts the network's limit
    editor.typed(EditorBox::Notes, accents);
    const Ad ad = editor.adFromBoxes();
    EXPECT_TRUE(isValidUtf8(ad.title)) << ad.title.size();
    EXPECT_TRUE(isValidUtf8(ad.notes)) << ad.notes.size();
    EXPECT_LE(ad.title.size(), Ad::kTitleSize - 1);
    EXPECT_LE(ad.notes.size(), Ad::kNotesSize - 1);
}

TEST_F(AdEditor, AChangedAdIsNotDroppedWithoutAsking) {
    Ad ad = adTitled("Shoes");
    AdEditorController untouched(ui, ui.gate, ui.menuActions, storedAd(ad));
    EXPECT_EQ(untouched.close(), AdEditorController::Closing::Discard);  // nothing asked

    AdEditorController editor(ui, ui.gate, ui.menuActions, storedAd(ad));
    editor.typed(EditorBox::Title, "Boots");
    ui.answers.push_back(Answer::Cancel);
    EXPECT_EQ(editor.close(), AdEditorController::Closing::Stay);
    EXPECT_EQ(ui.lastMessage().caption, "Save ad?");
    EXPECT_EQ(ui.lastMessage().buttons, Buttons::YesNoCancel);
    ui.answers.push_back(Answer::Yes);
    EXPECT_EQ(editor.close(), AdEditorController::Closing::Saved);
    EXPECT_EQ(savedTitle(editor), "Boots");

    editor.typed(EditorBox::Title, "Buy now!");  // the rules refuse it: the window stays
    ui.answers.push_back(Answer::Yes);
    EXPECT_EQ(editor.close(), AdEditorController::Closing::Stay);
    EXPECT_EQ(savedTitle(editor), "Boots");
    ui.answers.push_back(Answer::No);
    EXPECT_EQ(editor.close(), AdEditorController::Closing::Discard);
    EXPECT_EQ(savedTitle(editor), "Boots");
    EXPECT_EQ(ad.title, "Shoes");  // the editor only hands back a copy
}

TEST_F(AdEditor, LimitsCountersAndTheKeywordMarker) {
    Ad ad;
    AdEditorController editor(ui, ui.gate, ui.menuActions, newAd(ad));
    EXPECT_EQ(editor.counter(AdField::Title).text, "0/25");
    EXPECT_EQ(editor.typed(EditorBox::Title, std::string(26, 'x')), std::string(25, 'x'));
    EXPECT_EQ(editor.counter(AdField::Title).text, "25/25");
    EXPECT_EQ(editor.preview().title, std::string(25, 'x'));
    editor.setNetwork(SearchEngine::Miva);
    EXPECT_EQ(editor.counter(AdField::Title).text, "25/50");
    EXPECT_EQ(editor.copyButtonCaption(), "Copy into Miva");

    const std::string marked = "Buy {KEYWORD:shoes} now at the lowest prices";
    editor.setNetwork(SearchEngine::Google);
    EXPECT_EQ(editor.typed(EditorBox::Title, marked), marked);
    EXPECT_FALSE(editor.counter(AdField::Title).visible);
    EXPECT_EQ(editor.preview().title, std::string(25, 'x'));  // keeps what it showed

    // A long description stays as it is when Google hides its box.
    editor.setNetwork(SearchEngine::Yahoo);
    editor.typed(EditorBox::Description, std::string(150, 'd'));
    editor.setNetwork(SearchEngine::Google);
    EXPECT_EQ(editor.box(EditorBox::Description).size(), 150u);
    EXPECT_FALSE(editor.oneDescription());
}

TEST_F(AdEditor, DisplayUrlIsCopiedUntilTheDestinationIsUsed) {
    Ad ad;
    AdEditorController editor(ui, ui.gate, ui.menuActions, newAd(ad));
    editor.typed(EditorBox::DisplayUrl, "www.shoes.com");
    EXPECT_EQ(editor.box(EditorBox::DestinationUrl), "www.shoes.com");
    editor.destinationFocused();
    editor.typed(EditorBox::DisplayUrl, "www.boots.com");
    EXPECT_EQ(editor.box(EditorBox::DestinationUrl), "www.shoes.com");

    Ad existing = adTitled("Shoes");
    AdEditorController loaded(ui, ui.gate, ui.menuActions, storedAd(existing));
    loaded.typed(EditorBox::DisplayUrl, "www.other.com");
    EXPECT_EQ(loaded.box(EditorBox::DestinationUrl), "http://www.example.com/");

    // A change of network checks every box again, and copies the display URL
    // on while the destination box never had the focus.
    Ad fresh;
    AdEditorController switching(ui, ui.gate, ui.menuActions, newAd(fresh));
    switching.setNetwork(SearchEngine::Yahoo);
    const std::string longUrl = "www." + std::string(40, 'u') + ".com";
    switching.typed(EditorBox::DisplayUrl, longUrl);
    switching.setNetwork(SearchEngine::Google);
    EXPECT_LT(switching.box(EditorBox::DisplayUrl).size(), longUrl.size());
    EXPECT_EQ(switching.box(EditorBox::DestinationUrl), switching.box(EditorBox::DisplayUrl));
}

TEST_F(AdEditor, SavingChecksTheRulesAndRollsBack) {
    Ad ad = adTitled("Shoes");
    AdEditorController editor(ui, ui.gate, ui.menuActions, storedAd(ad));
    editor.typed(EditorBox::Title, "Buy now!");
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(ui.lastMessage().text, "No exclamation point allowed in the title!");
    EXPECT_EQ(ui.lastMessage().caption, "Illegal ad");
    EXPECT_EQ(editor.focusBox(), EditorBox::Title);
    EXPECT_FALSE(editor.result());

    editor.validateRules = false;
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(savedTitle(editor), "Buy now!");

    editor.typed(EditorBox::DestinationUrl, "");
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(ui.lastMessage().text, "Please fill in the destination URL!");
    EXPECT_EQ(editor.focusBox(), EditorBox::DestinationUrl);

    Ad yahoo = adTitled("Shoes", SearchEngine::Yahoo);
    AdEditorController oneLine(ui, ui.gate, ui.menuActions, storedAd(yahoo));
    oneLine.typed(EditorBox::Description, "A single description");
    ASSERT_TRUE(oneLine.save());
    const Ad saved = std::get<Ad>(*oneLine.result());
    EXPECT_EQ(saved.line1, "A single description");
    EXPECT_EQ(saved.line2, "");
    EXPECT_EQ(saved.engine, SearchEngine::Yahoo);
}

TEST_F(AdEditor, DeleteIsAskedAndHandedBackForAStoredAdOnly) {
    AdEditorController editor(ui, ui.gate, ui.menuActions, storedAd(adTitled("Two")));
    ui.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(editor.deleteAd());
    EXPECT_FALSE(editor.result());
    ASSERT_TRUE(editor.deleteAd());
    EXPECT_EQ(ui.lastMessage().text, "Are you sure you want to delete the current ad?");
    EXPECT_EQ(editor.result(), AdEditResult(AdDeleted{}));

    const AdEditRequest notStored[] = {
        newAd(adTitled("One")),
        {.ad = adTitled("One"), .origin = AdOrigin::Copy},
        {.ad = adTitled("One"), .origin = AdOrigin::Stored, .accountMode = true},
    };
    for (const AdEditRequest& request : notStored) {
        AdEditorController other(ui, ui.gate, ui.menuActions, request);
        EXPECT_FALSE(other.deleteEnabled());
        EXPECT_FALSE(other.deleteAd());
        EXPECT_FALSE(other.result());
    }
}

TEST_F(AdEditor, TheWebButtonsWorkOnTheAdAsTypedOnceAFeatureSuppliesThem) {
    AdEditorController editor(ui, ui.gate, ui.menuActions, storedAd(adTitled("Shoes")));
    EXPECT_FALSE(editor.copyFromGoogleEnabled());
    EXPECT_FALSE(editor.copyIntoEnabled());
    EXPECT_FALSE(editor.setTokensEnabled());

    std::vector<std::pair<std::string, SearchEngine>> consoleGot;
    ui.menuActions.provideAdAction(MenuId::AdCopyFromGoogle, [](Ad& ad, SearchEngine) {
        ad.title = "Found";
        return true;
    });
    ui.menuActions.provideAdAction(MenuId::AdCopyIntoConsole, [&](Ad& ad, SearchEngine network) {
        consoleGot.emplace_back(ad.title, network);
        return false;
    });
    editor.typed(EditorBox::Title, "Boots");
    ASSERT_TRUE(editor.copyIntoEnabled());
    editor.copyIntoConsole();
    EXPECT_EQ(consoleGot, (std::vector<std::pair<std::string, SearchEngine>>{{"Boots", SearchEngine::Google}}));

    // A picked result shows in the boxes and is kept only by "&Save ad".
    editor.copyFromGoogle();
    EXPECT_EQ(editor.box(EditorBox::Title), "Found");
    EXPECT_FALSE(editor.result());
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(savedTitle(editor), "Found");

    // That console takes no ad; and while a list job runs nothing starts.
    editor.setNetwork(SearchEngine::Msn);
    EXPECT_FALSE(editor.copyIntoEnabled());
    editor.setNetwork(SearchEngine::Google);
    ui.listJobRunning = true;
    editor.copyIntoConsole();
    EXPECT_EQ(consoleGot.size(), 1u);
    EXPECT_EQ(ui.doubleBeeps, 1);
}

class AdsArea : public ::testing::Test {
protected:
    test::ScriptedUi ui;
    Group group{"Shoes"};
    int modified = 0;
    AdsAreaController area{ui, ui.gate, ui, ui.menuActions, [this] { return &group; }, [this] { ++modified; }};

    // Scripts the editor to save the ad with this title.
    void editorSaves(const std::string& title) {
        ui.adEdits.push_back([title](const AdEditRequest& r) -> std::optional<AdEditResult> {
            Ad ad = r.ad;
            ad.title = title;
            return ad;
        });
    }
};

TEST_F(AdsArea, CopyFromGoogleInThePreviewMenuReplacesTheStoredAd) {
    group.adLists[0].push_back(adTitled("Old", SearchEngine::Yahoo));
    EXPECT_FALSE(area.copyFromGoogleEnabled());
    SearchEngine searchedFor = SearchEngine::Google;
    ui.menuActions.provideAdAction(MenuId::AdCopyFromGoogle, [&](Ad& ad, SearchEngine network) {
        searchedFor = network;
        ad.title = "New";
        return true;
    });
    area.copyFromGoogle(0);
    EXPECT_EQ(searchedFor, SearchEngine::Yahoo);
    EXPECT_EQ(group.adLists[0][0].title, "New");
    EXPECT_EQ(modified, 1);
    EXPECT_FALSE(area.copyIntoEnabled(0));  // nothing supplies the consoles yet
}

TEST_F(AdsArea, TheCurrentListHoldsThreeAds) {
    for (const char* t : {"One", "Two", "Three"}) {
        editorSaves(t);
        area.newAd();
    }
    EXPECT_EQ(group.adLists[0].size(), 3u);
    area.newAd();
    EXPECT_EQ(ui.lastMessage().text, "You cannot have more than 3 ads in your current ad list!");
    EXPECT_EQ(ui.lastMessage().caption, "Cannot add new ad");
    area.copyToNewAd(0);
    EXPECT_EQ(group.adLists[0].size(), 3u);

    area.setListKind(AdListKind::Effective);
    for (const char* t : {"A", "B", "C", "D"}) {
        editorSaves(t);
        area.newAd();
    }
    EXPECT_EQ(group.adLists[1].size(), 4u);  // other lists take any number
    EXPECT_EQ(modified, 7);
}

TEST_F(AdsArea, ScrollingDeletingAndCopyingFromAnotherAd) {
    for (int i = 0; i < 5; ++i) group.adLists[2].push_back(adTitled("Ad " + std::to_string(i)));
    area.setListKind(AdListKind::Ineffective);
    EXPECT_EQ(area.scroll().maximum, 3);  // n - 2 with a page of 2
    area.setScrollPosition(9);
    EXPECT_EQ(area.scrollPosition(), 2);
    EXPECT_EQ(area.adAt(0)->title, "Ad 2");
    EXPECT_EQ(area.adAt(2)->title, "Ad 4");

    ui.answers.push_back(Answer::Yes);
    area.deleteAd(2);
    EXPECT_EQ(ui.messages.back().text, "Are you sure you want to delete ad 'Ad 4'?");
    EXPECT_EQ(area.scrollPosition(), 1);
    EXPECT_EQ(area.adAt(2)->title, "Ad 3");

    ui.pastAdAnswers.push_back(adTitled("Found"));
    ui.answers.push_back(Answer::Yes);
    area.copyFromAnotherAd(0);
    EXPECT_EQ(group.adLists[2][1].title, "Found");

    group.adLists[3] = {adTitled("x"), adTitled("y")};
    area.setListKind(AdListKind::Neutral);
    EXPECT_FALSE(area.scroll().enabled);
    EXPECT_EQ(area.adAt(2), nullptr);
}

TEST_F(AdsArea, WhatTheEditorReturnsGoesWhereTheAdStands) {
    for (int i = 0; i < 5; ++i) group.adLists[1].push_back(adTitled("Ad " + std::to_string(i)));
    area.setListKind(AdListKind::Effective);
    area.setScrollPosition(2);
    auto titles = [this] {
        std::vector<std::string> t;
        for (const Ad& ad : group.adLists[1]) t.push_back(ad.title);
        return t;
    };

    area.editAd(1);  // cancelled
    const AdEditRequest& opened = ui.adEditRequests.back();
    EXPECT_EQ(opened.ad.title, "Ad 3");
    EXPECT_EQ(opened.origin, AdOrigin::Stored);
    EXPECT_EQ(opened.group, &group);
    EXPECT_EQ(opened.list, AdListKind::Effective);
    EXPECT_EQ(opened.position, 3u);
    EXPECT_EQ(modified, 0);

    editorSaves("Edited");
    area.editAd(1);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Ad 0", "Ad 1", "Ad 2", "Edited", "Ad 4"}));

    ui.adEdits.push_back([](const AdEditRequest&) -> std::optional<AdEditResult> { return AdDeleted{}; });
    area.editAd(2);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Ad 0", "Ad 1", "Ad 2", "Edited"}));
    EXPECT_EQ(area.scrollPosition(), 1);  // the shorter list scrolls back

    editorSaves("Copied");
    area.copyToNewAd(0);
    EXPECT_EQ(ui.adEditRequests.back().origin, AdOrigin::Copy);
    EXPECT_EQ(ui.adEditRequests.back().ad.title, "Ad 1");
    EXPECT_EQ(titles(), (std::vector<std::string>{"Ad 0", "Ad 1", "Ad 2", "Edited", "Copied"}));
    EXPECT_EQ(modified, 3);
}

TEST(ManageLists, ScrollBarsFromSixAdsAndAClickOnNothingClearsTheSelection) {
    test::ScriptedUi ui;
    Group group{"Shoes"};
    for (int i = 0; i < 6; ++i) group.adLists[1].push_back(adTitled("Ad " + std::to_string(i)));
    ManageListsController lists(ui, ui.gate, group);
    EXPECT_FALSE(lists.paneScrollRange(0).enabled);
    const PreviewScroll six = lists.paneScrollRange(1);
    EXPECT_TRUE(six.enabled);
    EXPECT_EQ(six.maximum, 2);  // the bar runs 0..n-4 with a page of 2: top rows 0 and 1
    EXPECT_EQ(six.page, 2);
    group.adLists[1].pop_back();
    EXPECT_FALSE(lists.paneScrollRange(1).enabled);

    lists.clickPreview(1, 0);
    EXPECT_TRUE(lists.selected(1, 0));
    lists.clickPreview(0, 0);  // an empty preview
    EXPECT_FALSE(lists.selected(1, 0));
}

TEST(ManageLists, PanesNeverShowTheSameListAndMovesKeepThreeInTheCurrentList) {
    test::ScriptedUi ui;
    Group group("Shoes");
    group.adLists[0] = {adTitled("c1"), adTitled("c2"), adTitled("c3")};
    group.adLists[1] = {adTitled("e1")};
    ManageListsController lists(ui, ui.gate, group);
    lists.choosePaneList(0, AdListKind::Effective);
    EXPECT_EQ(lists.paneList(1), AdListKind::Ineffective);
    lists.choosePaneList(1, AdListKind::Neutral);
    lists.choosePaneList(0, AdListKind::Effective);
    EXPECT_EQ(lists.paneList(1), AdListKind::Neutral);

    lists.move(0);
    EXPECT_EQ(ui.lastMessage().text, "Please select an ad to move");
    lists.choosePaneList(1, AdListKind::Current);
    lists.clickPreview(0, 0);
    EXPECT_TRUE(lists.selected(0, 0));
    lists.move(0);
    EXPECT_EQ(ui.lastMessage().caption, "Cannot move ad");
    lists.clickPreview(1, 2);
    EXPECT_FALSE(lists.selected(0, 0));  // one selection at most
    lists.move(1);
    EXPECT_EQ(group.adLists[0].size(), 2u);
    ASSERT_EQ(group.adLists[1].size(), 2u);
    EXPECT_EQ(group.adLists[1][1].title, "c3");
    EXPECT_TRUE(lists.changed());
}

// While a list job of the main window runs, every command of the ad windows
// that reads or changes the group's ads is refused with one double beep and
// leaves the ads, the windows and the project as they were.
TEST(AdWindowsGate, ListCommandsWaitForTheMainWindowsListJob) {
    test::ScriptedUi ui;
    pw::test::TempFolder dir;
    ImmediateDispatcher dispatcher;
    Project project;
    Group& group = appendGroup(project, "Shoes");
    group.adLists[0] = {adTitled("Shoes"), adTitled("Boots")};
    for (int i = 0; i < 6; ++i) group.adLists[1].push_back(adTitled("Extra " + std::to_string(i)));
    int modified = 0;
    AdsAreaController area{ui, ui.gate, ui, ui.menuActions, [&] { return &group; }, [&] { ++modified; }};
    area.setListKind(AdListKind::Effective);
    AdEditorController editor(ui, ui.gate, ui.menuActions,
                              {.ad = group.adLists[0][0], .origin = AdOrigin::Stored, .group = &group, .position = 0});
    editor.typed(EditorBox::Title, "Sandals");
    ManageListsController lists(ui, ui.gate, group);
    lists.clickPreview(1, 0);
    PastAdsSearchController search(ui, ui.gate, dispatcher, ProgramFolder(dir.path()), &project, &group, false);
    search.query[0] = {"shoes", false, false};
    const auto adsBefore = group.adLists;
    ui.listJobRunning = true;

    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"ads area: choose list", [&] { area.setListKind(AdListKind::Ineffective); }},
        {"ads area: scroll", [&] { area.setScrollPosition(2); }},
        {"ads area: new ad", [&] { area.newAd(); }},
        {"ads area: edit ad", [&] { area.editAd(0); }},
        {"ads area: delete ad", [&] { area.deleteAd(0); }},
        {"ads area: copy to new ad", [&] { area.copyToNewAd(0); }},
        {"ads area: copy from another ad", [&] { area.copyFromAnotherAd(0); }},
        {"ads area: manage lists", [&] { area.manageLists(); }},
        {"editor: save", [&] { EXPECT_FALSE(editor.save()); }},
        {"editor: delete", [&] { EXPECT_FALSE(editor.deleteAd()); }},
        {"manage lists: click", [&] { lists.clickPreview(1, 1); }},
        {"manage lists: scroll", [&] { lists.setPaneScroll(1, 1); }},
        {"manage lists: move", [&] { lists.move(1); }},
        {"past ads: search", [&] { search.startSearch(); }},
    };
    for (const auto& [name, run] : commands) {
        const int before = ui.doubleBeeps;
        run();
        EXPECT_EQ(ui.doubleBeeps, before + 1) << name;
        EXPECT_EQ(group.adLists, adsBefore) << name;
    }
    EXPECT_TRUE(ui.messages.empty());  // no question, no editor, no search window opened
    EXPECT_EQ(ui.manageListsCalls, 0);
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(area.listKind(), AdListKind::Effective);
    EXPECT_EQ(area.scrollPosition(), 0);
    EXPECT_TRUE(lists.selected(1, 0));
    EXPECT_EQ(lists.paneScroll(1), 0);
    EXPECT_FALSE(lists.changed());
    EXPECT_TRUE(search.results().empty());

    // The editor's boxes are no part of the project: typing goes on.
    EXPECT_EQ(editor.typed(EditorBox::Title, "Clogs"), "Clogs");
    // An account ad is not the project's either: it saves beside a list job.
    Ad accountAd = adTitled("Account");
    AdEditorController accountEditor(ui, ui.gate, ui.menuActions, {.ad = accountAd, .origin = AdOrigin::Stored, .accountMode = true});
    accountEditor.typed(EditorBox::Title, "Account shoes");
    EXPECT_TRUE(accountEditor.save());
    EXPECT_EQ(savedTitle(accountEditor), "Account shoes");

    // Once the job has ended, a failure inside a command is told, not fatal.
    ui.listJobRunning = false;
    ui.adEdits.push_back(
        [](const AdEditRequest&) -> std::optional<AdEditResult> { throw std::runtime_error("the editor broke"); });
    area.setListKind(AdListKind::Current);
    area.newAd();
    EXPECT_EQ(ui.lastMessage().text, kUnknownError.text);
    EXPECT_EQ(group.adLists, adsBefore);
    EXPECT_EQ(modified, 0);
}

class SearchWindow : public ::testing::Test {
protected:
    pw::test::TempFolder dir;
    ProgramFolder folder{dir.path()};
    test::ScriptedUi ui;
    ImmediateDispatcher dispatcher;
    Project project;
};

TEST_F(SearchWindow, ScopesSwitchEachOther) {
    PastAdsSearchController search(ui, ui.gate, dispatcher, folder, &project, nullptr, false);
    search.setCurrentProject(false);
    search.setCurrentGroup(false);
    EXPECT_FALSE(search.scope().currentGroup);
    search.setRecentProjects(true);
    EXPECT_TRUE(search.scope().currentGroup && search.scope().currentProject);
    EXPECT_FALSE(search.currentGroupEnabled() || search.currentProjectEnabled());
    search.setRecentProjects(false);
    EXPECT_TRUE(search.currentProjectEnabled());
    EXPECT_FALSE(search.currentGroupEnabled());  // the current project still holds it

    search.setFolder(true);  // no folder yet: the browser opens and is cancelled
    EXPECT_FALSE(search.scope().folder);
    ui.folderAnswers.push_back(dir.path());
    search.setFolder(true);
    EXPECT_TRUE(search.scope().folder);
    EXPECT_EQ(search.scope().folderPath, dir.path());

    // A typed folder keeps 511 characters, whatever their bytes.
    const std::string accented = pw::test::repeated("\xC3\xA9", 600);
    search.setFolderPath("/" + accented);
    EXPECT_EQ(search.scope().folderPath, "/" + accented.substr(0, 2 * 510));
}

TEST_F(SearchWindow, FindsTheAdsOfTheGroupAndTheProjectOnce) {
    project.path = dir.file("open.pwj");
    Group& shoes = appendGroup(project, "Shoes");
    shoes.adLists[0] = {adTitled("Red shoes"), adTitled("Boots")};
    appendGroup(project, "Hats").adLists[1] = {adTitled("Shoes for hats")};
    PastAdsSearchController search(ui, ui.gate, dispatcher, folder, &project, &shoes, false);
    search.query[0] = {"shoes", false, false};
    search.startSearch();
    ASSERT_EQ(search.results().size(), 2u);
    EXPECT_EQ(search.results()[1].group, "Hats");
    EXPECT_FALSE(search.copyIntoCurrentAd());
    search.select(1);
    EXPECT_EQ(search.copyIntoCurrentAd(), 1);
    EXPECT_TRUE(search.close());
}

TEST_F(SearchWindow, ClosingWhileItSearchesBeepsAndStays) {
    test::ManualDispatcher manual;  // the search's ending waits here until the test lets it through
    PastAdsSearchController search(ui, ui.gate, manual, folder, &project, nullptr, true);
    search.startSearch();
    ASSERT_TRUE(search.searching());
    EXPECT_FALSE(search.close());
    EXPECT_FALSE(search.copyIntoCurrentAd());
    EXPECT_EQ(ui.doubleBeeps, 2);
    for (int i = 0; i < 1000 && search.searching(); ++i) {
        manual.runAll();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(search.close());
}

}  // namespace
}  // namespace pw::ui
