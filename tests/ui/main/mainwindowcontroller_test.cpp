#include "ui/main/mainwindowcontroller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/filetime.h"
#include "core/groupoperations.h"
#include "core/phraselist.h"
#include "core/projectfile.h"
#include "io/recentprojects.h"
#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"
#include "tests/ui/main/windowwiring.h"

namespace pw::ui {
namespace {

using test::ManualDispatcher;
using test::ScriptedUi;

class MainWindow : public ::testing::Test {
protected:
    pw::test::TempFolder dir;
    ProgramFolder folder{dir.path() + "/data"};
    SettingsStore settings{folder};
    ScriptedUi ui;
    ImmediateDispatcher dispatcher;
    JobRunner jobs{dispatcher, false};
    test::WindowWiring wiring{ui, jobs};
    MainWindowController window{{ui, ui, ui, ui}, jobs, dispatcher, wiring.gate, wiring.actions, folder, settings};
    bool quit = false;

    void SetUp() override { window.setQuitHandler([this] { quit = true; }); }

    // The filter controls changed as the window changes them.
    void editFilters(const std::function<void(FilterSettings&)>& edit) {
        FilterSettings typed = window.filtering().filters();
        edit(typed);
        window.filtering().setFilters(std::move(typed));
    }

    // Opens a project holding these phrases (hit count = position + 1).
    void open(const std::vector<std::string>& phrases, const std::vector<std::string>& groups = {}) {
        Project p;
        p.path = dir.file("trip.pwj");
        for (size_t i = 0; i < phrases.size(); ++i) p.mainList.phrases.emplace_back(phrases[i], int(i + 1));
        for (const std::string& g : groups) appendGroup(p, g).phrases.emplace_back(g + " phrase", 5);
        p.editedCount = static_cast<int>(phrases.size());
        ASSERT_TRUE(saveProject(p));
        window.start(p.path);
        ASSERT_EQ(window.project().mainList.phrases.size(), phrases.size());
    }
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (size_t i = 0; i < window.rowCount(); ++i) out.emplace_back(window.rowText(i));
        return out;
    }
    std::vector<std::string> deleteBox() const {
        std::vector<std::string> out;
        for (size_t i = 0; i < window.deleteBox().count(); ++i) out.emplace_back(window.deleteBox().text(i));
        return out;
    }
    std::vector<std::string> tabNames() const {
        std::vector<std::string> out;
        for (const TabInfo& t : window.tabs()) out.push_back(t.name);
        return out;
    }
    void expectMessage(const std::string& text, const std::string& caption, Icon icon) {
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.lastMessage().text, text);
        EXPECT_EQ(ui.lastMessage().caption, caption);
        EXPECT_EQ(ui.lastMessage().icon, icon);
    }
    using Strings = std::vector<std::string>;
};

TEST_F(MainWindow, OpensTheStartUpProjectAndShowsItsList) {
    open({"cheap flights", "hotels"});
    EXPECT_EQ(rows(), (Strings{"cheap flights", "hotels"}));
    EXPECT_EQ(tabNames(), (Strings{"trip"}));
    EXPECT_EQ(window.phase(), 1);
    EXPECT_EQ(window.labels().listCount, "Current count: 2");
    EXPECT_FALSE(window.project().modified);
}

TEST_F(MainWindow, AMissingProjectIsReportedAndTheChooserFollows) {
    pw::test::writeFile(dir.file("bad.pwj"), std::string("\x12\0\0\0\0\0\0\0\0\0", 10));
    ui.projectAnswers.push_back(std::nullopt);
    window.start(dir.file("bad.pwj"));
    expectMessage("Cannot load project! File corrupt!", "Error loading project!", Icon::Warning);
    EXPECT_TRUE(quit);  // the chooser was cancelled
}

TEST_F(MainWindow, PhaseTwoMovesAndPermanentDeleteCountEachPhraseOnce) {
    open({"a", "b", "c", "d"});
    window.goToPhase(2);
    window.deleteBox().moveToDeleteBox({1, 3});
    EXPECT_EQ(rows(), (Strings{"a", "c"}));
    EXPECT_EQ(deleteBox(), (Strings{"b", "d"}));
    EXPECT_EQ(window.project().editedCount, 2);
    EXPECT_EQ(window.labels().deleteCount, "Current count: 2");

    window.deleteBox().moveBackFromDeleteBox({0});
    EXPECT_EQ(rows(), (Strings{"a", "b", "c"}));
    EXPECT_EQ(window.project().editedCount, 3);

    ui.confirmAnswers.push_back({false, false});
    window.deleteBox().deletePermanently();
    EXPECT_EQ(window.project().mainList.phrases.size(), 4u);  // "&No" keeps them

    ui.confirmAnswers.push_back({true, true});
    window.deleteBox().deletePermanently();
    EXPECT_EQ(window.project().mainList.phrases.size(), 3u);
    EXPECT_EQ(window.project().editedCount, 3);  // lowered once, when "d" went to the box
    EXPECT_FALSE(window.deleteBox().deleteButtonEnabled());
    EXPECT_FALSE(window.confirmDeleteSetting());  // "Don't show this message again"

    window.deleteBox().moveToDeleteBox({0});
    window.deleteBox().deletePermanently();
    EXPECT_EQ(ui.confirmations, 2);  // no prompt any more
    EXPECT_EQ(rows(), (Strings{"b", "c"}));
}

TEST_F(MainWindow, PhaseThreeFiltersIntoTheSideListsAndBack) {
    open({"cheap real estate", "estate in real madrid", "hotels"});
    window.goToPhase(3);
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "\"real estate\"");
    window.sideLists().moveToList1({});
    EXPECT_EQ(*window.sideLists().list1(), (Strings{"cheap real estate"}));
    EXPECT_EQ(window.sideLists().boxes().list1Name, "\"real estate\"");
    EXPECT_EQ(window.takeFocus(), Focus::List1Name);
    EXPECT_EQ(rows(), (Strings{"estate in real madrid", "hotels"}));
    EXPECT_EQ(window.labels().current, "3");  // page texts count in phase 3

    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "real estate");
    window.sideLists().moveToList1({});
    EXPECT_EQ(*window.sideLists().list1(), (Strings{"cheap real estate", "estate in real madrid"}));

    window.sideLists().setPhase3Box(&Phase3Boxes::list2Filter, "madrid");
    window.sideLists().searchList1IntoList2();
    EXPECT_EQ(*window.sideLists().list2(), (Strings{"estate in real madrid"}));
    EXPECT_EQ(window.sideLists().boxes().list2Name, "madrid");

    // Leaving phase 3 puts everything back, however it was spread.
    window.goToPhase(2);
    EXPECT_EQ(window.sideLists().pageCount(), 0);
    EXPECT_EQ(rows(), (Strings{"cheap real estate", "estate in real madrid", "hotels"}));
    EXPECT_TRUE(deleteBox().empty());
}

TEST_F(MainWindow, DoubleClicksAndTheDeleteKeyActByPhase) {
    open({"red shoes", "blue shoes", "hats"});
    window.deleteKeyPressed({0});  // phase 1: nothing
    window.rowDoubleClicked(0, {0});
    EXPECT_EQ(window.filtering().filters().ignoreText, "red\r\nshoes\r\n");
    window.goToPhase(2);
    window.rowDoubleClicked(2, {2});
    window.deleteKeyPressed({0});
    EXPECT_EQ(deleteBox(), (Strings{"red shoes", "hats"}));
    window.goToPhase(3);
    window.rowDoubleClicked(0, {0});
    EXPECT_EQ(*window.sideLists().list1(), (Strings{"blue shoes"}));
    window.sideLists().setPhase3Box(&Phase3Boxes::list2Filter, "blue");
    window.sideLists().moveIntoList2({});  // no selection in list 1: list 2's filter runs
    EXPECT_EQ(*window.sideLists().list2(), (Strings{"blue shoes"}));
}

TEST_F(MainWindow, MovingTheLastRowsOfList1BackRemovesItsPage) {
    open({"a1", "a2", "b1"});
    window.goToPhase(3);
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "a");
    window.sideLists().moveToList1({});
    window.sideLists().moveList1ToList2({1});
    window.sideLists().setPagePosition(1);  // list 1 now shows the page that held list 2
    EXPECT_EQ(*window.sideLists().list1(), (Strings{"a2"}));
    window.sideLists().moveList1ToMain({0});
    EXPECT_EQ(window.sideLists().pageCount(), 1);
    EXPECT_EQ(window.sideLists().pagePosition(), 0);
    EXPECT_EQ(*window.sideLists().list1(), (Strings{"a1"}));
    EXPECT_EQ(rows(), (Strings{"a2", "b1"}));
}

TEST_F(MainWindow, GroupsFromList1GoInNameOrderAndFromList2AtTheEnd) {
    open({"boots red", "boots blue", "cars fast"}, {"apple", "Cars"});
    window.goToPhase(3);
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "boots");
    window.sideLists().moveToList1({});
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Name, "Boots");
    window.sideLists().createGroupFromList1();
    EXPECT_EQ(tabNames(), (Strings{"trip", "Boots", "apple", "Cars"}));
    const Group& boots = *window.project().groups[0];
    EXPECT_EQ(pw::test::textsOf(boots.phrases), (Strings{"boots red", "boots blue"}));
    EXPECT_EQ(boots.phrases[1].hitCount, 2);
    EXPECT_EQ(window.sideLists().pageCount(), 0);
    EXPECT_EQ(window.project().editedCount, 3);  // phase-3 moves leave it alone

    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "cars");
    window.sideLists().moveToList1({});
    window.sideLists().moveList1ToList2({0});
    window.sideLists().setPhase3Box(&Phase3Boxes::list2Name, "cars");  // differs from "Cars" only in case
    window.sideLists().createGroupFromList2();
    EXPECT_EQ(tabNames().back(), "cars");

    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "apple");
    window.sideLists().moveToList1({});  // matches nothing: list 1 stays empty
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Name, "Boots");
    window.sideLists().createGroupFromList1();
    EXPECT_EQ(window.project().groups.size(), 4u);
}

TEST_F(MainWindow, AGroupNameThatIsTakenIsRefused) {
    open({"shoes red", "shoes"}, {"Shoes"});
    window.goToPhase(3);
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "shoes");
    window.sideLists().moveToList1({});
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Name, "Shoes");
    window.sideLists().createGroupFromList1();
    expectMessage("A group with this name already exists!", "Cannot create group", Icon::Warning);
    EXPECT_EQ(window.takeFocus(), Focus::List1Name);
    EXPECT_EQ(window.sideLists().list1()->size(), 2u);
}

TEST_F(MainWindow, AddingList1ToAGroupKeepsTheRowsOfList2) {
    open({"red shoes", "blue shoes", "green boots"}, {"Shoes"});
    window.goToPhase(3);
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "shoes");
    window.sideLists().moveToList1({});
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "boots");
    window.sideLists().moveToList1({});
    window.sideLists().moveList1ToList2({2});  // "green boots" waits in list 2
    ui.groupAnswers.push_back("Shoes");
    window.sideLists().addList1ToGroup();
    EXPECT_EQ(ui.groupChoicesOffered.back(), (Strings{"Shoes"}));
    EXPECT_EQ(pw::test::textsOf(window.project().groups[0]->phrases),
              (Strings{"Shoes phrase", "red shoes", "blue shoes"}));
    // List 2's row is still on a page and can go back to the list.
    ASSERT_TRUE(window.sideLists().list1());
    EXPECT_EQ(*window.sideLists().list1(), (Strings{"green boots"}));
    window.sideLists().moveList1ToMain({0});
    EXPECT_EQ(rows(), (Strings{"green boots"}));
}

TEST_F(MainWindow, AddToExistingNeedsRowsAndAnotherGroup) {
    open({"shoes"}, {"Shoes"});
    window.selectTab(1);
    window.goToPhase(3);
    window.sideLists().addList1ToGroup();
    expectMessage("No items to add to an existing group!", "Cannot move", Icon::Warning);
    window.sideLists().moveToList1({0});
    window.sideLists().addList1ToGroup();
    expectMessage("No available groups!", "Cannot move", Icon::Warning);
}

TEST_F(MainWindow, PhaseFourIsForGroupsOnly) {
    open({"red shoes"}, {"Shoes"});
    window.goToPhase(4);
    expectMessage("Cannot enter phase 4 while in the main list!", "Phase 4 error", Icon::Warning);
    EXPECT_EQ(window.phase(), 1);

    window.selectTab(1);
    window.goToPhase(4);
    window.setForms({true, true, true}, window.notation());
    window.formsChanged();
    EXPECT_EQ(window.keywordRows(), (Strings{"Shoes phrase", "\"Shoes phrase\"", "[Shoes phrase]"}));
    EXPECT_EQ(window.labels().phase4Count, "Count: 3");
    window.copyKeywordsToClipboard();
    EXPECT_EQ(ui.clipboard, "Shoes phrase\r\n\"Shoes phrase\"\r\n[Shoes phrase]");
    window.selectTab(0);
    EXPECT_EQ(window.phase(), 1);
}

TEST_F(MainWindow, PhaseFourSaysWhenTheMatchTypesMakeTooManyKeywordsForOneAdGroup) {
    Project p;
    p.path = dir.file("big.pwj");
    Group& big = appendGroup(p, "Big");
    for (int i = 0; i < 700; ++i) big.phrases.emplace_back("phrase " + std::to_string(i));
    ASSERT_TRUE(saveProject(p));
    window.start(p.path);
    window.selectTab(1);
    window.goToPhase(4);
    window.setForms({true, true, false}, window.notation());
    EXPECT_EQ(window.labels().phase4Count, "Count: 1,400");
    EXPECT_FALSE(window.labels().phase4OverGroupLimit);
    window.setForms({true, true, true}, window.notation());
    EXPECT_EQ(window.labels().phase4Count, "Count: 2,100 - more than the 2,000 keywords an ad group takes");
    EXPECT_TRUE(window.labels().phase4OverGroupLimit);
}

TEST_F(MainWindow, MergingIntoAGroupCalledMainListKeepsTheMainListOutOfIt) {
    open({"x"}, {"main LIST", "source"});
    ui.groupPositionAnswers.push_back(1);  // the group, offered after the main list
    window.groups().mergeGroup(1);
    EXPECT_EQ(ui.groupChoicesOffered.back(), (Strings{"Main list", "main LIST"}));
    ASSERT_EQ(window.project().groups.size(), 1u);
    EXPECT_EQ(pw::test::textsOf(window.project().groups[0]->phrases), (Strings{"main LIST phrase", "source phrase"}));
    EXPECT_EQ(pw::test::textsOf(window.project().mainList.phrases), (Strings{"x"}));
}

TEST_F(MainWindow, SaveAsStoresTheNewCreateDateWithTheCopy) {
    open({"x"});
    Project old;
    old.path = window.project().path;
    ASSERT_EQ(loadProject(old), LoadCode::Loaded);
    old.createdDate = "01/02/03";
    ASSERT_TRUE(saveProject(old));
    window.start(old.path);
    ui.saveAnswers.push_back(dir.file("copy"));
    ASSERT_TRUE(window.saveProjectAs());
    Project copy;
    copy.path = dir.file("copy.pwj");
    ASSERT_EQ(loadProject(copy), LoadCode::Loaded);
    EXPECT_EQ(copy.createdDate, todayLocalDate());
    EXPECT_EQ(window.labels().created, todayLocalDate());
}

TEST_F(MainWindow, DeleteGoesOnFromTheRowThatTookTheMovedOnesPlace) {
    open({"a", "b", "c", "d"});
    window.goToPhase(2);
    window.deleteKeyPressed({1, 2});
    EXPECT_EQ(rows(), (Strings{"a", "d"}));
    EXPECT_EQ(window.takeRowToSelect(), 1);  // "d"
    window.deleteKeyPressed({1});
    EXPECT_EQ(window.takeRowToSelect(), 0);  // the last row went: the one before it
}

TEST_F(MainWindow, TypedFilterSettingsAreSavedAndTheSavedNoticeClears) {
    open({"a"});
    FilterSettings typed = window.filtering().filters();
    typed.ignoreOn = true;
    typed.ignoreText = "cheap\r\nfree\r\nwords";
    window.filtering().setFilters(typed);
    EXPECT_TRUE(window.project().modified);
    ASSERT_TRUE(window.saveProject());
    EXPECT_EQ(window.status().text, "Project saved!");
    Project saved;
    saved.path = window.project().path;
    ASSERT_EQ(loadProject(saved), LoadCode::Loaded);
    EXPECT_EQ(saved.mainList.ignoreText, typed.ignoreText);

    typed.duplicates = true;
    window.filtering().setFilters(typed);
    EXPECT_FALSE(window.status().visible);
}

TEST_F(MainWindow, AGroupInsertedBeforeTheSelectedTabKeepsItSelected) {
    open({"apple pie", "banana"}, {"m", "z"});
    window.selectTab(2);  // "z"
    window.goToPhase(3);
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, "phrase");  // "z phrase"
    window.sideLists().moveToList1({});
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Name, "y");  // sorts just before "z"
    window.sideLists().createGroupFromList1();
    EXPECT_EQ(tabNames(), (Strings{"trip", "m", "y", "z"}));
    EXPECT_EQ(window.tabs()[window.currentTab()].name, "z");
}

TEST_F(MainWindow, WorkElsewhereCanKeepTheProgramOpen) {
    open({"x"});
    const Message busy{"Cannot close program! Google upload in progress!", "Google upload active", Icon::Warning,
                       Buttons::Ok};
    window.setCloseRefusal([&] { return std::optional<Message>(busy); });
    EXPECT_FALSE(window.exitProgram());
    EXPECT_EQ(ui.lastMessage(), busy);
    EXPECT_FALSE(quit);
    // Closing the project would leave the running upload without its project.
    ui.messages.clear();
    window.closeProject();
    EXPECT_EQ(ui.messages, std::vector<Message>{busy});
    EXPECT_EQ(window.rowCount(), 1u);
    window.setCloseRefusal([] { return std::optional<Message>(); });
    EXPECT_TRUE(window.exitProgram());
    EXPECT_TRUE(quit);
}

TEST_F(MainWindow, AProjectNamedAtStartWithoutAFileIsNotCreated) {
    ui.projectAnswers.push_back(std::nullopt);
    window.start(dir.file("missing.pwj"));
    expectMessage("Cannot load project! File not found!", "Error loading project!", Icon::Warning);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.pwj")));
    EXPECT_TRUE(quit);  // the chooser was offered and closed
}

TEST_F(MainWindow, GroupTabCommands) {
    open({"x"}, {"one", "two", "three"});
    window.selectTab(2);
    window.groups().setGroupColor(1, 5);
    EXPECT_EQ(window.groups().lastColor(), 5);
    EXPECT_EQ(window.tabs()[2].color, (Rgb{240, 234, 51}));
    window.groups().sortGroups(GroupOrder::Color);
    EXPECT_EQ(tabNames(), (Strings{"trip", "two", "three", "one"}));
    EXPECT_EQ(window.currentTab(), 1);  // still "two"

    ui.answers.push_back(Answer::Yes);
    window.groups().promptDeleteGroup(0);
    EXPECT_TRUE(ui.lastMessage().noByDefault);  // the group's phrases and ads go with it
    EXPECT_EQ(window.currentTab(), 0);  // the tab to its left
    EXPECT_EQ(window.project().editedCount, 0);

    ui.groupAnswers.push_back("Main list");
    window.groups().mergeGroup(1);
    EXPECT_EQ(ui.groupChoicesOffered.back(), (Strings{"Main list", "three"}));
    EXPECT_EQ(rows(), (Strings{"x", "one phrase"}));
    EXPECT_EQ(tabNames(), (Strings{"trip", "three"}));

    ui.textAnswers.push_back("three");
    window.groups().renameGroup(0);  // unchanged: nothing happens
    ui.textAnswers.push_back("Three!");
    window.groups().renameGroup(0);
    EXPECT_EQ(tabNames()[1], "Three!");

    // Names are kept in the project file's 127 bytes, never cut inside a character.
    std::string accents;
    for (int i = 0; i < 64; ++i) accents += "\xC3\xA9";
    ui.textAnswers.push_back(accents);
    window.groups().renameGroup(0);
    EXPECT_EQ(tabNames()[1], accents.substr(0, 126));
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Name, "a" + accents);
    EXPECT_EQ(groupNameFromBox(window.sideLists().boxes().list1Name), "a" + accents.substr(0, 124));
    ui.textAnswers.push_back("Three!");
    window.groups().renameGroup(0);

    window.groups().renameGroup(-1);
    expectMessage("Cannot rename the main list!", "Cannot rename", Icon::Information);
    window.groups().promptDeleteGroup(-1);
    expectMessage("Cannot delete the main list!", "Cannot delete", Icon::Information);
    window.groups().mergeGroup(-1);
    expectMessage("Cannot merge the main list!", "Cannot merge", Icon::Information);

    ui.groupAnswers.push_back("nope");
    window.groups().promptFindGroup();
    expectMessage("Cannot find selected group!", "Search error", Icon::Warning);
    ui.groupAnswers.push_back("Three!");
    window.groups().promptFindGroup();
    EXPECT_EQ(window.currentTab(), 1);
    window.groups().copyGroupName(0);
    EXPECT_EQ(ui.clipboard, "Three!");
}

TEST_F(MainWindow, UpdateFiltersTheListAndWarnsAboutTooManyWords) {
    open({"age issues", "management", "hotels"});
    editFilters([&](FilterSettings& f) { f.ignoreOn = true; });
    editFilters([&](FilterSettings& f) { f.ignoreText = "age\r\nAGE\r\n"; });
    window.filtering().filtersChanged();
    EXPECT_TRUE(window.filtering().updateFlashing());
    window.filtering().update();
    EXPECT_FALSE(window.filtering().updateFlashing());
    EXPECT_EQ(rows(), (Strings{"management", "hotels"}));
    EXPECT_EQ(window.filtering().filters().ignoreText, "age\r\n");
    EXPECT_EQ(window.labels().edited, "2");

    std::string many;
    for (int i = 0; i < 10001; ++i) many.append("w").append(std::to_string(i)).append(" ");
    editFilters([&](FilterSettings& f) { f.ignoreText = many; });
    window.filtering().update();
    expectMessage("Too many words added in the ignore box! The list will be truncated!", "Over 10,000 ignore words",
                  Icon::Warning);
}

TEST_F(MainWindow, SortRowsAndHeaderClicks) {
    open({"b", "a", "c"});
    window.filtering().chooseSortKey(1, SortKey::FreeText);
    window.filtering().chooseSortKey(2, SortKey::FreeText);
    EXPECT_EQ(window.filtering().sortRows().keys[1], SortKey::Alphabetical);
    EXPECT_TRUE(window.filtering().sortFlashing());
    window.filtering().chooseSortKey(2, SortKey::WordCount);
    window.filtering().headerClicked(1);  // by hit count, reversed
    EXPECT_EQ(rows(), (Strings{"c", "a", "b"}));
    EXPECT_TRUE(window.filtering().sortRows().reverse[0]);
    window.filtering().headerClicked(0);
    EXPECT_EQ(rows(), (Strings{"a", "b", "c"}));
    EXPECT_TRUE(window.project().modified);
}

TEST_F(MainWindow, ABusyWorkerRefusesListCommandsWithTwoBeeps) {
    ManualDispatcher manual;
    JobRunner threaded(manual, true);
    test::WindowWiring busyWindowWiring(ui, threaded);
    MainWindowController busyWindow({ui, ui, ui, ui}, threaded, manual, busyWindowWiring.gate, busyWindowWiring.actions, folder, settings);
    Project p;
    p.path = dir.file("busy.pwj");
    p.mainList.phrases.emplace_back("a");
    ASSERT_TRUE(saveProject(p));
    busyWindow.start(p.path);  // the load's ending waits in the dispatcher
    threaded.wait();
    EXPECT_TRUE(busyWindow.busy());
    EXPECT_EQ(busyWindow.rowText(0), "");  // the view reads nothing meanwhile
    busyWindow.filtering().update();
    busyWindow.filtering().sortList();
    EXPECT_EQ(ui.doubleBeeps, 2);
    manual.runAll();
    EXPECT_FALSE(busyWindow.busy());
    EXPECT_EQ(busyWindow.rowCount(), 1u);
}

TEST_F(MainWindow, ClosingAskedToSaveAndCancelKeepsEverything) {
    open({"a"});
    window.addPhrases();  // the dialog is cancelled
    ui.textAnswers.push_back("new one\r\n\r\nnew two");
    window.addPhrases();
    EXPECT_EQ(rows(), (Strings{"a", "new one", "new two"}));
    EXPECT_EQ(window.project().mainList.phrases[2].hitCount, 1);
    EXPECT_EQ(window.project().importedCount, 2);

    ui.answers.push_back(Answer::Cancel);
    window.closeProject();
    EXPECT_EQ(ui.lastMessage().text, "Project not saved!\nSave now?");
    EXPECT_EQ(ui.lastMessage().buttons, Buttons::YesNoCancel);
    EXPECT_EQ(rows().size(), 3u);

    ui.answers.push_back(Answer::Yes);
    ui.projectAnswers.push_back(std::nullopt);
    window.closeProject();
    EXPECT_TRUE(quit);
    Project saved;
    saved.path = dir.file("trip.pwj");
    ASSERT_EQ(loadProject(saved), LoadCode::Loaded);
    EXPECT_EQ(saved.mainList.phrases.size(), 3u);
}

TEST_F(MainWindow, NewProjectAsksBeforeOverwritingAndSavesAtOnce) {
    open({"a"});
    createFolder(folder.projectsFolder());
    pw::test::writeFile(folder.projectsFolder() + "/Offers.pwj", "old");
    ui.textAnswers.push_back("Offers");
    ui.answers.push_back(Answer::No);
    window.newProject();
    EXPECT_EQ(ui.lastMessage().text, "Project '" + folder.projectsFolder() + "/Offers.pwj' already exists! Overwrite?");
    EXPECT_EQ(pw::test::readFile(folder.projectsFolder() + "/Offers.pwj"), "old");

    ui.textAnswers.push_back("Offers.pwj");
    ui.answers.push_back(Answer::Yes);
    window.newProject();
    EXPECT_EQ(window.project().path, folder.projectsFolder() + "/Offers.pwj");
    EXPECT_TRUE(verifyChecksum(window.project().path));
    EXPECT_TRUE(recentProjectPaths(folder).empty());  // listed once it is opened again
    EXPECT_EQ(tabNames(), (Strings{"Offers"}));
    EXPECT_EQ(rows().size(), 0u);
}

TEST_F(MainWindow, SaveAsAddsTheExtensionAndRemembersTheProject) {
    open({"a"});
    ui.saveAnswers.push_back(dir.file("copy"));
    ASSERT_TRUE(window.saveProjectAs());
    EXPECT_TRUE(std::filesystem::exists(dir.file("copy.pwj")));
    EXPECT_EQ(tabNames()[0], "copy");
    EXPECT_EQ(window.status().text, "Project saved!");
    EXPECT_EQ(ui.informationSounds, 1);
    EXPECT_EQ(recentProjectPaths(folder).front(), dir.file("copy.pwj"));
    ui.saveAnswers.push_back(dir.file("KEEP.PWJ"));
    ASSERT_TRUE(window.saveProjectAs());
    EXPECT_TRUE(std::filesystem::exists(dir.file("KEEP.PWJ")));

    ui.saveAnswers.push_back(dir.file("no/such/folder/x"));
    EXPECT_FALSE(window.saveProjectAs());
    expectMessage("Cannot save project!", "Error saving", Icon::Error);
}

TEST_F(MainWindow, ImportAsksForColumnsAndRefusesSeveralSpreadsheets) {
    open({});
    pw::test::writeFile(dir.file("wide.csv"), "1,rome,300\n2,paris,40\n");
    pw::test::writeFile(dir.file("blank.txt"), "\n");
    ui.openAnswers.push_back({dir.file("a.txt"), dir.file("b.xls")});
    window.importList();
    expectMessage("Cannot import multiple XLS files at once!", "XLS import", Icon::Warning);

    ui.openAnswers.push_back({dir.file("wide.csv"), dir.file("blank.txt")});
    ui.columnAnswers.push_back(ImportColumns{3, 1, 2});
    window.importList();
    expectMessage("Invalid file type", "Import error", Icon::Error);
    EXPECT_EQ(rows(), (Strings{"rome", "paris"}));
    EXPECT_EQ(window.rowHits(0), 300);
    EXPECT_EQ(window.labels().original, "2");
}

// A keyword planner's export: the column dialog offers its keyword and
// search columns, and the title lines and header row are left out.
TEST_F(MainWindow, APlannerExportOffersItsKeywordAndSearchColumns) {
    open({});
    pw::test::writeFile(dir.file("planner.csv"),
                        pw::test::utf16le(u"Keyword Stats 2026-12-01\r\nAll locations, 2026\r\n"
                                          u"Currency\tKeyword\tCompetition\tAvg. monthly searches\r\n"
                                          u"EUR\tnew york, hotels\tHigh\t1,000\r\nEUR\trome\tLow\t1K \u2013 10K\r\n"));
    ui.openAnswers.push_back({dir.file("planner.csv")});
    ui.columnAnswers.push_back(ImportColumns{4, 1, 3, true, 3});  // OK on what was offered
    window.importList();
    ASSERT_EQ(ui.columnsOffered.size(), 1u);
    const ImportColumns& offered = ui.columnsOffered.back();
    EXPECT_EQ(offered.count, 4);
    EXPECT_EQ(offered.phraseColumn, 1);
    EXPECT_EQ(offered.hitColumn, 3);
    EXPECT_EQ(rows(), (Strings{"new york, hotels", "rome"}));
    EXPECT_EQ(window.rowHits(0), 1000);
    EXPECT_EQ(window.rowHits(1), 1000);
}

// Through the real driver manager to our spreadsheet driver.
TEST_F(MainWindow, ASheetOfAWorkbookIsImportedAndOnlyItsFileDeleted) {
    open({});
    std::filesystem::create_directories(folder.programSubfolder());
    pw::test::writeFile(folder.programSubfolder() + "/spreadsheetdriver.txt", PW_SHEET_DRIVER);
    const std::string fixtures = PW_SOURCE_DIR "/tests/io/fixtures/";
    ui.openAnswers.push_back({fixtures + "keywords.xlsx"});
    ui.sheetAnswers.push_back(1);
    ui.columnAnswers.push_back(ImportColumns{3, 0, 1});
    window.importList();
    EXPECT_EQ(ui.sheetsOffered.back(), (Strings{"Keywords", "NoHeader", "Empty", "Bob's $ list"}));
    EXPECT_EQ(rows(), (Strings{"cheap flights", "hotel deals"}));
    EXPECT_EQ(window.rowHits(0), 300);
    const std::string base = folder.file("pwr_exportxls2csv");
    EXPECT_TRUE(std::filesystem::exists(base + "0.csv"));
    EXPECT_FALSE(std::filesystem::exists(base + "1.csv"));

    ui.openAnswers.push_back({fixtures + "dates.xlsx"});
    window.importList();
    expectMessage("A database communication error occured!", "Cannot open XLS file", Icon::Warning);
    EXPECT_EQ(rows().size(), 2u);
}

TEST_F(MainWindow, ExportsWriteTheRowsOfTheView) {
    open({});
    EXPECT_FALSE(window.exportMenuAllowed());
    expectMessage("The list is empty! Nothing to export!", "Nothing to export!", Icon::Information);
    window.exportGroupNames();
    expectMessage("There are no ad groups in your project! Nothing to export!", "Nothing to export", Icon::Warning);

    ui.textAnswers.push_back("cheap flights");
    window.addPhrases();
    ui.answers.push_back(Answer::Yes);
    ui.saveAnswers.push_back(dir.file("out"));
    window.exportListCsv();
    EXPECT_EQ(pw::test::readFile(dir.file("out.csv")), "\"cheap flights\",\"1\",\r\n");
    expectMessage("The list was successfully exported!", "Success", Icon::Information);
    ui.saveAnswers.push_back(dir.file("list.TXT"));
    window.exportListText();
    EXPECT_EQ(ui.saveRequests.back().initialName, "trip");
    EXPECT_EQ(pw::test::readFile(dir.file("list.TXT")), "cheap flights\r\n");
    window.copyRows({0});
    EXPECT_EQ(ui.clipboard, "cheap flights\r\n");
}

// The save dialog's name, the phase-3 "Name:" box and the ignored-words
// viewer's word count characters, and never cut one in two.
TEST_F(MainWindow, TextsTakenOverAreCutBetweenCharacters) {
    const std::pair<std::string, std::string> exportNames[] = {
        {pw::test::repeated("x", 70), pw::test::repeated("x", 62)},
        {pw::test::repeated("\xE6\x97\xA5", 40), pw::test::repeated("\xE6\x97\xA5", 40)},  // 120 bytes, 40 characters
        {pw::test::repeated("\xC3\xA9", 70), pw::test::repeated("\xC3\xA9", 62)},
    };
    for (const auto& [group, preset] : exportNames) {
        open({}, {group});
        window.selectTab(1);
        ui.saveAnswers.push_back(std::nullopt);
        window.exportListText();
        ui.answers.push_back(Answer::No);
        ui.saveAnswers.push_back(std::nullopt);
        window.exportListCsv();
        ASSERT_GE(ui.saveRequests.size(), 2u);
        EXPECT_EQ(ui.saveRequests[ui.saveRequests.size() - 2].initialName, preset);
        EXPECT_EQ(ui.saveRequests.back().initialName, preset);
    }

    const std::string filter = "\"" + pw::test::repeated("\xC3\xA9", 300) + "\"";
    open({"x " + pw::test::repeated("\xC3\xA9", 300)});
    window.goToPhase(3);
    window.sideLists().setPhase3Box(&Phase3Boxes::list1Filter, filter);
    window.sideLists().moveToList1({});
    EXPECT_EQ(window.sideLists().boxes().list1Name, "\"" + pw::test::repeated("\xC3\xA9", 254));
    window.sideLists().setPhase3Box(&Phase3Boxes::list2Filter, filter);
    window.sideLists().searchList1IntoList2();
    EXPECT_EQ(window.sideLists().boxes().list2Name, "\"" + pw::test::repeated("\xC3\xA9", 254));

    window.goToPhase(1);
    window.filtering().showIgnoredWords(pw::test::repeated("\xC3\xA9", 70));
    const std::string& shown = ui.ignoredWordsShown.back();  // word:rows
    EXPECT_EQ(shown.substr(0, shown.rfind(':')), pw::test::repeated("\xC3\xA9", 63));
}

TEST_F(MainWindow, FeedingTheIgnoreBoxAndTypeAhead) {
    open({"cheap flights, paris", "hotels"});
    window.filtering().feedIgnoreBox(0);
    EXPECT_EQ(window.filtering().filters().ignoreText, "cheap\r\nflights\r\nparis\r\n");
    EXPECT_TRUE(window.filtering().filters().ignoreOn);
    EXPECT_EQ(window.takeFocus(), Focus::IgnoreBoxEnd);
    EXPECT_EQ(window.typeAhead("HOT"), 1);
    EXPECT_EQ(window.takeRowToSelect(), 1);
    window.filtering().showIgnoredWords("paris");
    EXPECT_EQ(ui.ignoredWordsShown.back(), "paris:1");
}

TEST_F(MainWindow, CustomSkinCancelledKeepsTheStoredColour) {
    open({});
    window.chooseSkin(0);
    EXPECT_EQ(window.skinIndex(), 0);
    window.chooseSkin(kSkinPresetCount);  // "Custom...", cancelled
    EXPECT_EQ(window.skinIndex(), 0);
    ui.colorAnswers.push_back(0x123456);
    window.chooseSkin(kSkinPresetCount);
    EXPECT_EQ(window.skinIndex(), kSkinPresetCount);
    EXPECT_EQ(loadAppSettings(folder.settingsFile()).backgroundColor, 0x123456u);
}

}  // namespace
}  // namespace pw::ui

namespace pw::ui {
namespace {

// Runs tasks at once; after failNext() the next one posted fails, as when a
// load's progress report throws in the middle of reading the file.
class FailingDispatcher : public Dispatcher {
public:
    void failNext() { fail_ = true; }
    void post(std::function<void()> task) override {
        if (std::exchange(fail_, false)) throw std::runtime_error("disk went away");
        task();
    }

private:
    bool fail_ = false;
};

TEST_F(MainWindow, ALoadThatFailsHalfwayLeavesTheOpenProjectAsItWas) {
    std::vector<std::string> phrases;
    for (int i = 0; i < 250; ++i) phrases.push_back("phrase " + std::to_string(i));  // progress every 100
    open(phrases);
    const std::string first = window.project().path;
    Project other;
    other.path = dir.file("other.pwj");
    for (const std::string& p : phrases) other.mainList.phrases.emplace_back("other " + p);
    ASSERT_TRUE(saveProject(other));

    FailingDispatcher failing;
    JobRunner failingJobs(failing, false);
    test::WindowWiring wWiring(ui, failingJobs);
    MainWindowController w({ui, ui, ui, ui}, failingJobs, failing, wWiring.gate, wWiring.actions, folder, settings);
    failing.failNext();
    w.start(first);
    EXPECT_EQ(ui.lastMessage(), kUnknownError);
    EXPECT_TRUE(w.project().path.empty());
    EXPECT_FALSE(w.busy());

    w.start(first);
    ASSERT_EQ(w.rowCount(), 250u);
    ui.messages.clear();
    failing.failNext();
    w.start(other.path);
    EXPECT_EQ(ui.messages, std::vector<Message>{kUnknownError});
    EXPECT_EQ(w.project().path, first);
    EXPECT_EQ(w.rowCount(), 250u);
    EXPECT_EQ(w.rowText(0), "phrase 0");
}

TEST_F(MainWindow, EveryCommandThatNeedsTheListsIsRefusedWhileAJobRuns) {
    open({"a", "b"}, {"g1", "g2"});
    ManualDispatcher manual;
    JobRunner threaded(manual, true);
    test::WindowWiring busyWiring(ui, threaded);
    MainWindowController busy({ui, ui, ui, ui}, threaded, manual, busyWiring.gate, busyWiring.actions, folder, settings);
    busy.start(window.project().path);
    threaded.wait();
    manual.runAll();
    busy.filtering().sortList();  // its ending waits in the dispatcher
    threaded.wait();
    ASSERT_TRUE(busy.busy());

    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"NewProject", [&] { busy.newProject(); }},
        {"OpenProject", [&] { busy.openProject(); }},
        {"SaveProject", [&] { busy.saveProject(); }},
        {"SaveProjectAs", [&] { busy.saveProjectAs(); }},
        {"CloseProject", [&] { busy.closeProject(); }},
        {"Exit", [&] { busy.exitProgram(); }},
        {"SelectTab", [&] { busy.selectTab(1); }},
        {"GoToPhase", [&] { busy.goToPhase(3); }},
        {"Update", [&] { busy.filtering().update(); }},
        {"SortList", [&] { busy.filtering().sortList(); }},
        {"HeaderSort", [&] { busy.filtering().headerClicked(0); }},
        {"ShowIgnoredWords", [&] { busy.filtering().showIgnoredWords("a"); }},
        {"EditCountries", [&] { busy.filtering().editCountries(); }},
        {"EditUnwantedCharacters", [&] { busy.filtering().editUnwantedCharacters(); }},
        {"ImportIgnoreBox", [&] { busy.filtering().importIgnoreBox(); }},
        {"ExportIgnoreBox", [&] { busy.filtering().exportIgnoreBox(); }},
        {"ImportList", [&] { busy.importList(); }},
        {"ExportListText", [&] { busy.exportListText(); }},
        {"ExportListCsv", [&] { busy.exportListCsv(); }},
        {"ExportGroupNames", [&] { busy.exportGroupNames(); }},
        {"AddPhrases", [&] { busy.addPhrases(); }},
        {"MoveToDeleteBox", [&] { busy.deleteBox().moveToDeleteBox({0}); }},
        {"MoveBackFromDeleteBox", [&] { busy.deleteBox().moveBackFromDeleteBox({0}); }},
        {"DeletePermanently", [&] { busy.deleteBox().deletePermanently(); }},
        {"MoveToList1", [&] { busy.sideLists().moveToList1({0}); }},
        {"MoveIntoList2", [&] { busy.sideLists().moveIntoList2({}); }},
        {"MoveList1ToList2", [&] { busy.sideLists().moveList1ToList2({0}); }},
        {"MoveList2ToList1", [&] { busy.sideLists().moveList2ToList1({0}); }},
        {"MoveList1ToMain", [&] { busy.sideLists().moveList1ToMain({0}); }},
        {"MoveList2ToMain", [&] { busy.sideLists().moveList2ToMain({0}); }},
        {"SetPagePosition", [&] { busy.sideLists().setPagePosition(1); }},
        {"CreateGroupFromList1", [&] { busy.sideLists().createGroupFromList1(); }},
        {"CreateGroupFromList2", [&] { busy.sideLists().createGroupFromList2(); }},
        {"AddList1ToGroup", [&] { busy.sideLists().addList1ToGroup(); }},
        {"AddList2ToGroup", [&] { busy.sideLists().addList2ToGroup(); }},
    };
    for (const auto& [name, run] : commands) {
        const int before = ui.doubleBeeps;
        run();
        EXPECT_EQ(ui.doubleBeeps, before + 1) << "command " << name;
    }
    const std::vector<std::pair<const char*, std::function<void()>>> groupCommands = {
        {"rename", [&] { busy.groups().renameGroup(0); }},
        {"delete", [&] { busy.groups().promptDeleteGroup(0); }},
        {"merge", [&] { busy.groups().mergeGroup(0); }},
        {"find", [&] { busy.groups().promptFindGroup(); }},
        {"sort", [&] { busy.groups().sortGroups(GroupOrder::Alphabetical); }},
    };
    for (const auto& [name, run] : groupCommands) {
        const int before = ui.doubleBeeps;
        run();
        EXPECT_EQ(ui.doubleBeeps, before + 1) << "group command " << name;
    }
    // A feature's item that reads the project waits too; one that does not runs.
    bool opened = false, about = false;
    busyWiring.actions.provide(MenuId::ManageAccount, [&] { opened = true; });
    busyWiring.actions.provide(MenuId::About, [&] { about = true; }, Needs::Nothing);
    const int before = ui.doubleBeeps;
    busy.runMenuAction(MenuId::ManageAccount);
    busy.runMenuAction(MenuId::About);
    EXPECT_EQ(ui.doubleBeeps, before + 1);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(about);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.textPrompts.empty());
    EXPECT_TRUE(ui.groupChoicesOffered.empty());
    manual.runAll();
    EXPECT_EQ(busy.rowCount(), 2u);
    EXPECT_EQ(busy.tabs().size(), 3u);
}

TEST_F(MainWindow, GroupCommandsWaitWhileAProjectOfManyGroupsLoads) {
    Project p;
    p.path = dir.file("groups.pwj");
    for (int i = 0; i < 100'000; ++i) appendGroup(p, "group " + std::to_string(100'000 - i)).phrases.emplace_back("x");
    ASSERT_TRUE(saveProject(p));
    ManualDispatcher manual;
    JobRunner threaded(manual, true);
    test::WindowWiring loadingWiring(ui, threaded);
    MainWindowController loading({ui, ui, ui, ui}, threaded, manual, loadingWiring.gate, loadingWiring.actions, folder, settings);
    loading.start(p.path);  // the worker reads the groups while these run
    for (int i = 0; i < 20; ++i) {
        loading.groups().sortGroups(GroupOrder::Alphabetical);
        loading.groups().promptFindGroup();
        loading.exportGroupNames();
    }
    EXPECT_EQ(ui.doubleBeeps, 60);
    threaded.wait();
    manual.runAll();
    ASSERT_EQ(loading.project().groups.size(), 100'000u);
    EXPECT_EQ(loading.project().groups.front()->name, "group 100000");
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace pw::ui
