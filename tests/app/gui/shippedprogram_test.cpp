// Every menu item, tab-menu item and button of the program as shipped,
// triggered through its real action: each is either available and opens its
// window or does its work, or greyed until a later part of the program
// supplies it. This table is the one place that says which is which.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <set>

#include "core/projectfile.h"
#include "io/appsettings.h"
#include "tests/app/gui/programdriver.h"
#include "ui/common/windowregistry.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::app::test {
namespace {

using Program = ProgramFixture;

// What choosing an item does: greyed, or the window it opens (its title, or
// the class of an untitled one), or a check of the work it did.
struct Expect {
    enum Kind { Later, Opens, Does } kind;
    QString window;  // Opens: the title of the first window that opens
    std::function<bool(Program&)> done = {};
};
Expect later() { return {Expect::Later, {}}; }
Expect opens(const char* title) { return {Expect::Opens, title}; }
Expect does(std::function<bool(Program&)> check) { return {Expect::Does, {}, std::move(check)}; }

struct Row {
    QString path;
    Expect expect;
    std::function<void(Program&)> prepare = {};
};
// A person who closes a changed project and does not want it saved.
void dontSave(Program& p) {
    p.watcher->answer("Save project?", [](QWidget& box) {
        static_cast<QMessageBox&>(box).button(QMessageBox::No)->click();
    });
}

std::vector<std::string> tabNames(Program& p) {
    std::vector<std::string> names;
    for (const auto& tab : p.program->controller().tabs()) names.push_back(tab.name);
    return names;
}

// The tabs in this order afterwards.
Expect tabsInOrder(std::vector<std::string> names) {
    return does([names = std::move(names)](Program& p) { return tabNames(p) == names; });
}
const Expect kEveryGroupKept = does([](Program& p) { return tabNames(p).size() == 3; });
const std::vector<std::string> kByName{"shipped", "alpha", "beta"};
const std::vector<std::string> kBySize{"shipped", "beta", "alpha"};

// Items of the menu bar, in menu order; the two that end the session come last.
const std::vector<Row>& menuBarRows() {
    static const std::vector<Row> rows = {
        {"&File/&New project", opens("New project...")},
        {"&File/&Open project...", opens("Open")},
        {"&File/&Save project", does([](Program& p) { return p.program->controller().status().text == "Project saved!"; })},
        {"&File/Save project &as...", opens("Save As")},
        {"&Edit/&Import list...", opens("Open")},
        {"&Edit/&Export list/As &CSV...", opens("Export type")},
        {"&Edit/&Export list/As &TXT...", opens("Save As")},
        {"&Edit/&Export groups as TXT...", opens("Save As")},
        {"&View/&Sort groups/By number of &phrases", tabsInOrder(kBySize)},
        {"&View/&Sort groups/&Alphabetically", tabsInOrder(kByName)},
        {"&View/&Sort groups/By last &modified", kEveryGroupKept},
        {"&View/&Sort groups/By color", kEveryGroupKept},
        {"&View/&Find group...", opens("Find group...")},
        {"&Tools/Go to phase &2", does([](Program& p) { return p.program->controller().phase() == 2; })},
        {"&Tools/Go to phase &3", does([](Program& p) { return p.program->controller().phase() == 3; })},
        // Phase 4 works on a group: on the main list it says so.
        {"&Tools/Go to phase &4", opens("Phase 4 error")},
        {"&Tools/Go to phase &1", does([](Program& p) { return p.program->controller().phase() == 1; })},
        {"&Tools/Search top &Google ads", later()},
        // Without a default profile the manager says so and offers the profiles.
        {"&Tools/Manage your Google &account", opens("Default profile not found")},
        {"&Tools/Manage your Google &profile", opens("Select Google profile")},
        {"&Tools/&Research tool", later()},
        {"&Plugins/&Quillmark/&Tokenize web page...", later()},
        {"&Plugins/&Quillmark/Set web page &default values...", later()},
        {"&Plugins/&Folioforge", later()},
        {"&Help/&User manual", later()},
        {"&Help/&View tutorials", later()},
        {"&Help/&Phrasewright online", later()},
        {"&Help/Check for &updates now", later()},
        {"&Help/Automatically check for updates",
         does([](Program& p) { return !p.program->settings().values().autoUpdateCheck; })},
        {"&Help/&About", opens("About Phrasewright")},
        // The chooser that follows is cancelled, which ends the program.
        {"&File/&Close project", does([](Program& p) { return p.quits == 1; }), dontSave},
        {"&File/E&xit Phrasewright", does([](Program& p) { return p.quits == 2; })},
    };
    return rows;
}

// The tab menu of group "beta".
const std::vector<Row>& tabMenuRows() {
    static const std::vector<Row> rows = {
        {"&Rename group", opens("Rename group")},
        {"&Delete group", opens("Confirm delete")},
        {"&Merge into another group", opens("Select group")},
        {"Copy group name to clipboard", does([](Program&) { return QApplication::clipboard()->text() == "beta"; })},
        {"Find group...", opens("Find group...")},
        {"Sort groups/Alphabetically", tabsInOrder(kByName)},
        {"Sort groups/By phrase count", tabsInOrder(kBySize)},
        {"Sort groups/By modified date", kEveryGroupKept},
        {"Sort groups/By color", kEveryGroupKept},
        {"Change group color/Purple", does([](Program& p) { return p.program->controller().groups().lastColor() == 1; })},
        {"Set color to Purple", does([](Program& p) { return p.program->controller().groups().lastColor() == 1; })},
    };
    return rows;
}

// The window's buttons, by name, each in the phase that shows it, on the
// tab and with the selection a person would have before pressing it.
struct ButtonRow {
    int phase;
    const char* name;
    Expect expect;
    std::function<void(Program&)> prepare = {};
};

template <typename T>
T* child(Program& p, const char* name) {
    return p.program->window().findChild<T*>(name);
}
void selectFirstRow(Program& p, const char* view) {
    if (auto* table = child<QTableView>(p, view)) table->selectRow(0);
    if (auto* list = child<QListWidget>(p, view)) list->setCurrentRow(0);
}
// The first row of a list moved with a button, as a person selects and clicks.
void moveFirstRow(Program& p, const char* view, const char* button) {
    selectFirstRow(p, view);
    QTest::mouseClick(child<QPushButton>(p, button), Qt::LeftButton);
    p.settle();
}
void firstRowIntoList2(Program& p) {
    moveFirstRow(p, "listView", "moveToList1");
    moveFirstRow(p, "list1", "list1ToList2");
}
void typeName(Program& p, const char* box, const char* name) {
    QLineEdit* edit = child<QLineEdit>(p, box);
    edit->clear();
    QTest::keyClicks(edit, name);
}

const std::vector<ButtonRow>& buttonRows() {
    const auto phase = [](int n) { return does([n](Program& p) { return p.program->controller().phase() == n; }); };
    const auto rowsInList = [](int n) {
        return does([n](Program& p) { return p.program->controller().rowCount() == static_cast<size_t>(n); });
    };
    static const std::vector<ButtonRow> rows = {
        // The web features' buttons come with them.
        {1, "searchTopAds", later()},
        {1, "searchTopAdsIcon", later()},
        {1, "importResearch", later()},
        {1, "addPhrases", opens("Add search phrase")},
        {1, "exportList", opens("Save As"), [](Program& p) { p.watcher->choose("Export as T&XT..."); }},
        {1, "importIgnore", opens("Open")},
        {1, "exportIgnore", opens("Save As"),
         [](Program& p) {
             child<QCheckBox>(p, "ignoreOn")->setChecked(true);
             QTest::keyClicks(child<QPlainTextEdit>(p, "ignoreBox"), "zzz");
         }},
        {1, "editCharacters", opens("Unwanted characters")},
        {1, "editCountries", opens("Countries")},
        {1, "update", rowsInList(3)},
        {1, "sortList", does([](Program& p) { return p.program->controller().rowText(0) == "cheap flights"; })},
        {1, "phase2", phase(2)},
        {2, "moveToDeleteBox", rowsInList(2), [](Program& p) { selectFirstRow(p, "listView"); }},
        {2, "moveBack", rowsInList(3), [](Program& p) { selectFirstRow(p, "deleteBox"); }},
        {2, "deletePermanently", rowsInList(2), [](Program& p) { moveFirstRow(p, "listView", "moveToDeleteBox"); }},
        {2, "phase3", phase(3)},
        {3, "moveToList1", rowsInList(1), [](Program& p) { selectFirstRow(p, "listView"); }},
        {3, "list1ToList2", does([](Program& p) { return p.program->controller().sideLists().list2() != nullptr; }),
         [](Program& p) { selectFirstRow(p, "list1"); }},
        {3, "list2ToList1", does([](Program& p) { return p.program->controller().sideLists().list1() != nullptr; }),
         [](Program& p) { selectFirstRow(p, "list2"); }},
        {3, "list1ToMain", rowsInList(2), [](Program& p) { selectFirstRow(p, "list1"); }},
        {3, "list1Add", opens("Select group"), [](Program& p) { moveFirstRow(p, "listView", "moveToList1"); }},
        {3, "list1Create", does([](Program& p) { return tabNames(p).size() == 4; }),
         [](Program& p) { typeName(p, "list1Name", "gamma"); }},
        {3, "list2Add", opens("Select group"),
         [](Program& p) { firstRowIntoList2(p); }},
        {3, "list2ToMain", rowsInList(1), [](Program& p) { selectFirstRow(p, "list2"); }},
        {3, "list2Create", does([](Program& p) { return tabNames(p).size() == 5; }),
         [](Program& p) {
             firstRowIntoList2(p);
             typeName(p, "list2Name", "delta");
         }},
        // Phase 4 works on a group: its tab is clicked first.
        {3, "phase4", phase(4),
         [](Program& p) {
             auto* tabs = p.program->window().findChild<QTabBar*>();
             QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
         }},
        {4, "copyKeywords", does([](Program&) { return QApplication::clipboard()->text().startsWith("b1"); }),
         [](Program& p) { child<QCheckBox>(p, "formBroad")->setChecked(true); }},
        {4, "newAd", opens("Edit ad")},
        {4, "manageAdLists", opens("Manage ads lists")},
        // The group buttons beside the tabs work on the selected group; each is cancelled.
        {4, "renameGroup", opens("Rename group")},
        {4, "deleteGroup", opens("Confirm delete")},
        {4, "mergeGroup", opens("Select group")},
        {4, "phase1", phase(1)},
    };
    return rows;
}

void openShippedProject(Program& p) {
    Project project;
    project.path = p.dir.file("shipped.pwj");
    for (const char* text : {"red shoes", "hotels paris", "cheap flights"}) project.mainList.phrases.emplace_back(text);
    Group& beta = appendGroup(project, "beta");
    beta.phrases.emplace_back("b1");
    beta.phrases.emplace_back("b2");
    appendGroup(project, "alpha").phrases.emplace_back("a1");
    ASSERT_TRUE(saveProject(project));
    p.program->controller().start(project.path);
    p.settle();
    ASSERT_EQ(tabNames(p), (std::vector<std::string>{"shipped", "beta", "alpha"}));
}

std::string listed(const std::vector<QString>& seen) {
    std::string text;
    for (const QString& s : seen) text += "\"" + s.toStdString() + "\" ";
    return text;
}

void check(Program& p, const QString& what, const Expect& expect, bool enabled, std::vector<QString> seen = {}) {
    SCOPED_TRACE(what.toStdString());
    p.settle(60);
    for (const QString& s : p.watcher->takeSeen()) seen.push_back(s);
    switch (expect.kind) {
    case Expect::Later:
        EXPECT_FALSE(enabled) << "available, but listed as coming later";
        break;
    case Expect::Opens:
        EXPECT_TRUE(enabled);
        ASSERT_FALSE(seen.empty()) << "no window opened";
        EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](const QString& s) { return s.contains(expect.window); }))
            << "seen: " << listed(seen);
        break;
    case Expect::Does:
        EXPECT_TRUE(enabled);
        EXPECT_TRUE(expect.done(p)) << "the work was not done; seen: " << listed(seen);
        break;
    }
}

TEST_F(Program, EveryMenuItemIsAvailableOrGreyedByDesign) {
    openShippedProject(*this);
    // The table names every item of the menu bar, and nothing more.
    std::set<QString> listed, shown;
    for (const Row& row : menuBarRows()) listed.insert(row.path);
    std::function<void(const QList<QAction*>&, const QString&)> collect = [&](const QList<QAction*>& actions,
                                                                             const QString& prefix) {
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            const QString path = prefix.isEmpty() ? a->text() : prefix + "/" + a->text();
            if (a->menu()) collect(a->menu()->actions(), path);
            else shown.insert(path);
        }
    };
    collect(program->window().menuBar()->actions(), {});
    EXPECT_EQ(listed, shown);

    for (const Row& row : menuBarRows()) {
        QAction* action = menuAction(row.path);
        ASSERT_NE(action, nullptr) << row.path.toStdString();
        if (row.prepare) row.prepare(*this);
        const bool enabled = action->isEnabled();
        if (enabled) action->trigger();
        check(*this, row.path, row.expect, enabled);
    }
}

TEST_F(Program, EveryTabMenuItemWorksOnTheGroupItWasOpenedOn) {
    openShippedProject(*this);
    auto* tabs = program->window().findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    for (const Row& row : tabMenuRows()) {
        // A right click on the second tab opens its menu.
        const std::vector<std::string> names = tabNames(*this);
        const int tab = static_cast<int>(std::find(names.begin(), names.end(), "beta") - names.begin());
        watcher->choose(row.path);
        QContextMenuEvent click(QContextMenuEvent::Mouse, tabs->tabRect(tab).center(),
                                tabs->mapToGlobal(tabs->tabRect(tab).center()));
        QApplication::sendEvent(tabs, &click);
        settle(60);
        std::vector<QString> seen = watcher->takeSeen();
        ASSERT_FALSE(seen.empty()) << row.path.toStdString() << ": no menu opened";
        const bool enabled = std::find(seen.begin(), seen.end(), "greyed") == seen.end();
        check(*this, row.path, row.expect, enabled, seen);
    }
    EXPECT_EQ(tabNames(*this).size(), 3u);  // nothing was deleted or merged: each was cancelled
}

TEST_F(Program, EveryButtonOfThePhasesWorks) {
    openShippedProject(*this);
    // The table names every button of the window, and nothing more.
    std::set<QString> listed, shown;
    for (const ButtonRow& row : buttonRows()) listed.insert(row.name);
    for (QPushButton* b : program->window().findChildren<QPushButton*>())
        if (!b->objectName().isEmpty()) shown.insert(b->objectName());
    EXPECT_EQ(listed, shown);

    for (const ButtonRow& row : buttonRows()) {
        ASSERT_EQ(program->controller().phase(), row.phase) << row.name;
        if (row.prepare) row.prepare(*this);
        settle();
        watcher->takeSeen();
        auto* button = program->window().findChild<QPushButton*>(row.name);
        ASSERT_NE(button, nullptr) << row.name;
        const bool enabled = button->isEnabled() && button->isVisible();
        if (enabled) button->click();
        check(*this, row.name, row.expect, enabled);
    }
}

}  // namespace
}  // namespace pw::app::test

namespace pw::app::test {
namespace {

TEST_F(Program, FeatureWindowsCloseWithTheProjectAndAreForgottenWhenClosed) {
    openShippedProject(*this);
    ui::WindowRegistry& windows = program->featureWindows();
    QPointer<QWidget> first = new QWidget, second = new QWidget, third = new QWidget;
    for (QWidget* w : {first.data(), second.data(), third.data()}) windows.open(w);
    third->close();  // the user closes one: it goes, and the registry forgets it
    settle();
    EXPECT_TRUE(third.isNull());
    EXPECT_EQ(windows.openWindows().size(), 2u);

    menuAction("&File/&Close project")->trigger();  // the chooser that follows is cancelled
    settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(windows.openWindows().empty());
}

}  // namespace
}  // namespace pw::app::test
