// The README's account walk-through, through the menus of the program as
// shipped, against the sandbox account tool: a profile, a campaign created
// and committed, the project's groups uploaded and committed, and the ad
// group manager showing them.

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "account/accountcaches.h"
#include "account/commitloop.h"
#include "core/projectfile.h"
#include "tests/app/gui/programdriver.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::app::test {
namespace {

using AccountWalkthrough = ProgramFixture;

void type(QWidget& window, const char* field, const char* text) {
    auto* edit = window.findChild<QLineEdit*>(field);
    ASSERT_NE(edit, nullptr) << field;
    edit->clear();
    QTest::keyClicks(edit, text);
}

// The names a list shows: the campaigns' second column (after the id), the ad groups' first.
QStringList rowsOf(QWidget& window, const char* list, int nameColumn) {
    QStringList rows;
    auto* tree = window.findChild<QTreeWidget*>(list);
    for (int i = 0; tree && i < tree->topLevelItemCount(); ++i) rows << tree->topLevelItem(i)->text(nameColumn);
    return rows;
}

TEST_F(AccountWalkthrough, FromNothingToACampaignHoldingTheProjectThroughTheMenus) {
    // The sample project with its two groups, as phase 3 makes them.
    Project project;
    project.path = dir.file("sample.pwj");
    for (const char* text : {"cheap flights", "flights to rome", "hotels paris", "hotels rome"})
        project.mainList.phrases.emplace_back(text);
    Group& flights = appendGroup(project, "flights");
    flights.phrases.emplace_back("cheap flights");
    flights.phrases.emplace_back("flights to rome");
    Group& hotels = appendGroup(project, "hotels");
    hotels.phrases.emplace_back("hotels paris");
    hotels.phrases.emplace_back("hotels rome");
    ASSERT_TRUE(saveProject(project));
    program->controller().start(project.path);
    settle();
    campaignCache().clear();
    adGroupCache().clear();

    // "Manage your Google profile" > "Create": a name, an address, a password and a token, "Save".
    watcher->answer("Select Google profile", [](QWidget& chooser) { click(chooser, "create"); });
    watcher->answer("Manage Google profile", [](QWidget& editor) {
        type(editor, "name", "main");
        type(editor, "email", "me@example.com");
        type(editor, "password", "secret");
        type(editor, "token", "T");
        click(editor, "save");
    });
    menuAction("&Tools/Manage your Google &profile")->trigger();
    settle();
    EXPECT_EQ(program->settings().values().defaultProfile, "main");  // a single profile is the default

    // "Manage your Google account" > "Create New...": a name, a budget, an end date after the start, "Save".
    watcher->answer("Manage Google Campaign", [](QWidget& editor) {
        type(editor, "name", "Spring");
        type(editor, "budget", "10");
        const auto calendars = editor.findChildren<QCalendarWidget*>();
        ASSERT_EQ(calendars.size(), 2);
        calendars[1]->setSelectedDate(calendars[0]->selectedDate().addDays(30));
        click(editor, "save");
    });
    // "Edit...", "Import PWR project", "Yes", the match types, "OK", "Close".
    watcher->answer("Manage Google Campaign", [](QWidget& editor) {
        click(editor, "importProject");
        click(editor, "close");
    });
    watcher->answer("Confirm project export", [](QWidget& box) {
        static_cast<QMessageBox&>(box).button(QMessageBox::Yes)->click();
    });
    watcher->answer("Set default properties", [](QWidget& chooser) {
        type(chooser, "maxCpc", "0.25");
        click(chooser, "all");
        click(chooser, "ok");
    });
    // "Edit..." > "Ad groups...": the groups the commit created.
    QStringList adGroups;
    watcher->answer("Manage Google Campaign", [](QWidget& editor) {
        click(editor, "adGroups");
        click(editor, "close");
    });
    watcher->answer("Manage Ad Groups", [&](QWidget& manager) {
        auto* refresh = manager.findChild<QPushButton*>("refresh");
        waitUntil([&] { return refresh->isEnabled() && !rowsOf(manager, "adGroups", 0).isEmpty(); });
        adGroups = rowsOf(manager, "adGroups", 0);
        click(manager, "close");
    });
    // Both commits: every queued change chosen, "Commit".
    for (int commit = 0; commit < 2; ++commit)
        watcher->answer("Commit changes", [](QWidget& list) { click(list, "ok"); });

    QStringList campaigns;
    watcher->answer("Google Manager", [&](QWidget& manager) {
        auto* refresh = manager.findChild<QPushButton*>("refresh");
        auto* list = manager.findChild<QTreeWidget*>("campaigns");
        const auto commitEnded = [&] { return !commitInProgress() && refresh->isEnabled(); };
        waitUntil([&] { return refresh->isEnabled(); });
        click(manager, "create");
        click(manager, "commit");
        waitUntil([&] { return commitEnded() && list->topLevelItemCount() == 1; });
        campaigns = rowsOf(manager, "campaigns", 1);
        for (int step = 0; step < 2 && list->topLevelItemCount() > 0; ++step) {
            list->setCurrentItem(list->topLevelItem(0));
            click(manager, "edit");  // the upload, then the ad groups
            if (step == 0) {
                click(manager, "commit");
                waitUntil(commitEnded);
            }
        }
        click(manager, "close");
    });
    menuAction("&Tools/Manage your Google &account")->trigger();
    settle();

    EXPECT_EQ(campaigns.join(", ").toStdString(), "Spring");
    adGroups.sort();
    EXPECT_EQ(adGroups.join(", ").toStdString(), "flights, hotels");
    const std::vector<QString> seen = watcher->takeSeen();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "Account tool error"), 0);
}

}  // namespace
}  // namespace pw::app::test
