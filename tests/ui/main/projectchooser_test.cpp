#include "ui/main/projectchoosercontroller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "io/recentprojects.h"
#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"

namespace pw::ui {
namespace {

class Chooser : public ::testing::Test {
protected:
    pw::test::TempFolder dir;
    ProgramFolder folder{dir.path()};
    test::ScriptedUi ui;

    std::string project(const std::string& name) {
        const std::string path = dir.file(name);
        pw::test::writeFile(path, "project");
        return path;
    }
};

TEST_F(Chooser, RecentProjectsWhoseFilesAreGoneAreDropped) {
    const std::string a = project("A.pwj");
    addRecentProject(folder, dir.file("gone.pwj"));
    addRecentProject(folder, a);
    ProjectChooserController chooser(ui, ui, folder);
    ASSERT_EQ(chooser.entries().size(), 1u);
    EXPECT_EQ(chooser.entries()[0].name, "A.pwj");
    EXPECT_EQ(recentProjectPaths(folder), (std::vector<std::string>{a}));
}

// The right-click menu is headed by the name, cut after 62 characters.
TEST_F(Chooser, MenuTitlesAreCutBetweenCharacters) {
    using pw::test::repeated;
    const std::pair<std::string, std::string> cases[] = {
        {"Offers.pwj", "Offers.pwj"},
        {repeated("\xC3\xA9", 70) + ".pwj", repeated("\xC3\xA9", 62)},
        {repeated("x", 61) + "\xF0\x9F\x98\x80.pwj", repeated("x", 61) + "\xF0\x9F\x98\x80"},  // one character, two UTF-16 units
    };
    for (const auto& [file, title] : cases) addRecentProject(folder, project(file));
    ProjectChooserController chooser(ui, ui, folder);
    ASSERT_EQ(chooser.entries().size(), std::size(cases));
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        const auto& [file, title] = cases[std::size(cases) - 1 - i];  // the last added comes first
        EXPECT_EQ(chooser.menuTitle(i), title) << file;
    }
}

TEST_F(Chooser, OpeningAnEntryPutsItFirst) {
    const std::string a = project("A.pwj");
    const std::string b = project("B.pwj");
    addRecentProject(folder, a);
    addRecentProject(folder, b);
    ProjectChooserController chooser(ui, ui, folder);
    ASSERT_TRUE(chooser.openEntry(1));
    EXPECT_EQ(chooser.chosen(), a);
    EXPECT_EQ(recentProjectPaths(folder).front(), a);

    std::filesystem::remove(b);
    ProjectChooserController stale(ui, ui, folder);
    std::filesystem::remove(a);
    EXPECT_FALSE(stale.openEntry(0));
    EXPECT_EQ(ui.lastMessage().text, "The specified project could not be opened!");
    EXPECT_TRUE(stale.entries().empty());
}

TEST_F(Chooser, NewProjectNamesAndOverwriting) {
    ProjectChooserController chooser(ui, ui, folder);
    const std::pair<const char*, const char*> names[] = {
        {"Offers", "Offers.pwj"}, {"Offers.pwj", "Offers.pwj"}, {"Offers.PWJ", "Offers.PWJ.pwj"}};
    for (const auto& [typed, file] : names) {
        ui.textAnswers.push_back(typed);
        ASSERT_TRUE(chooser.newProject());
        EXPECT_EQ(chooser.chosen(), folder.projectsFolder() + "/" + file);
    }
    EXPECT_TRUE(recentProjectPaths(folder).empty());  // listed once it is opened

    pw::test::writeFile(folder.projectsFolder() + "/Offers.pwj", "old");
    ui.textAnswers.push_back("Offers");
    ui.answers.push_back(Answer::No);
    EXPECT_FALSE(chooser.newProject());
    EXPECT_EQ(ui.lastMessage().caption, "Overwrite project file");
    EXPECT_TRUE(std::filesystem::exists(folder.projectsFolder() + "/Offers.pwj"));
}

TEST_F(Chooser, NamesThatCannotBeFileNamesAreRefusedWhereTheyAreTyped) {
    ProjectChooserController chooser(ui, ui, folder);
    for (const std::string& typed : std::vector<std::string>{"Hotels 2024/25", "..", std::string("a\0b", 3)}) {
        ui.textAnswers.push_back(typed);
        EXPECT_FALSE(chooser.newProject()) << typed;
        EXPECT_EQ(ui.lastMessage().caption, "Invalid project name");
    }
    ui.textAnswers.push_back(std::string(252, 'x'));
    ASSERT_TRUE(chooser.newProject());
    EXPECT_TRUE(chooser.chosen()->ends_with("x.pwj"));
}

TEST_F(Chooser, CopyingAProjectOntoItselfLeavesItAlone) {
    const std::string a = folder.projectsFolder() + "/A.pwj";
    std::filesystem::create_directories(folder.projectsFolder());
    pw::test::writeFile(a, "project");
    addRecentProject(folder, a);
    ProjectChooserController chooser(ui, ui, folder);
    ui.textAnswers.push_back("A");
    EXPECT_FALSE(chooser.copyToNewProject(0));
    EXPECT_EQ(ui.lastMessage().text, "A project cannot be copied onto itself! Please choose another name.");
    EXPECT_EQ(pw::test::readFile(a), "project");
}

TEST_F(Chooser, CopyAndDelete) {
    const std::string a = project("A.pwj");
    addRecentProject(folder, a);
    ProjectChooserController chooser(ui, ui, folder);
    ui.textAnswers.push_back("Copy");
    ASSERT_TRUE(chooser.copyToNewProject(0));
    EXPECT_EQ(pw::test::readFile(folder.projectsFolder() + "/Copy.pwj"), "project");
    EXPECT_EQ(recentProjectPaths(folder).front(), folder.projectsFolder() + "/Copy.pwj");

    chooser.fill();
    ui.answers.push_back(Answer::No);
    chooser.deleteProject(1);
    EXPECT_TRUE(std::filesystem::exists(a));
    ui.answers.push_back(Answer::Yes);
    chooser.deleteProject(1);
    EXPECT_EQ(ui.lastMessage().text, "Are you sure you want to delete project 'A.pwj'?");
    EXPECT_FALSE(std::filesystem::exists(a));
    EXPECT_EQ(chooser.entries().size(), 1u);
}

}  // namespace
}  // namespace pw::ui
