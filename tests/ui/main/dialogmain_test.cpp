// The real main window, driven with key presses and clicks (offscreen).

#include "ui/main/dialogmain.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <QThread>

#include "io/recentprojects.h"
#include "ui/main/projectchooser.h"
#include "ui/main/projectchoosercontroller.h"
#include "ui/common/qtdesktop.h"
#include "ui/main/smalldialogs.h"
#include "core/projectfile.h"
#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"
#include "tests/ui/main/mainwindowfixture.h"
#include "ui/ads/addialogs.h"
#include "ui/ads/adpreview.h"
#include "ui/ads/dialogeditad.h"
#include "ui/ads/pastadssearchcontroller.h"
#include "ui/common/qtdispatcher.h"

namespace pw::ui {
namespace {

using Window = test::MainWindowFixture;

TEST_F(Window, TheKeywordRoadWithKeysAndClicks) {
    const std::string projectPath = dir.file("road.pwj");
    {
        Project p;
        p.path = projectPath;
        ASSERT_TRUE(saveProject(p));
    }
    controller.start(projectPath);
    settle();

    // Import.
    pw::test::writeFile(dir.file("list.csv"),
                        "cheap flights,120\nage issues,5\nhotels paris,30\nhotels rome,20\nred shoes,9\n");
    ui.openAnswers.push_back({dir.file("list.csv")});
    action("&Import list...")->trigger();
    settle();
    EXPECT_EQ(rows(), 5);
    EXPECT_EQ(find<QLabel>("originalList")->text(), "5");

    // Update with an ignore word typed into the box.
    QCheckBox* ignoreOn = find<QCheckBox>("ignoreOn");
    QTest::mouseClick(ignoreOn, Qt::LeftButton, {}, QPoint(6, ignoreOn->height() / 2));
    QTest::keyClicks(find<QPlainTextEdit>("ignoreBox"), "age");
    click("update");
    EXPECT_EQ(rows(), 4);
    EXPECT_EQ(find<QLabel>("editedList")->text(), "4");

    // Phase 2: Delete moves the selected row to the 'Delete' box.
    click("phase2");
    QTableView* list = find<QTableView>("listView");
    list->setFocus();
    list->selectRow(3);
    QTest::keyClick(list, Qt::Key_Delete);
    settle();
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(find<QTableView>("deleteBox")->model()->rowCount(), 1);
    find<QTableView>("deleteBox")->selectRow(0);
    click("moveBack");
    EXPECT_EQ(rows(), 4);

    // Phase 3: Enter in list 1's filter box, then Enter in its name box makes the group.
    click("phase3");
    QLineEdit* filter = find<QLineEdit>("list1Filter");
    list->clearSelection();
    QTest::keyClicks(filter, "hotels");
    QTest::keyClick(filter, Qt::Key_Return);
    settle();
    EXPECT_EQ(find<QListWidget>("list1")->count(), 2);
    QLineEdit* name = find<QLineEdit>("list1Name");
    EXPECT_EQ(name->text(), "hotels");
    QTest::keyClick(name, Qt::Key_Return);
    settle();
    QTabBar* tabs = find<QTabBar>("tabs");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "hotels");
    EXPECT_EQ(rows(), 2);

    // Moves between the side lists with the buttons.
    QTest::keyClicks(filter, "red");
    QTest::keyClick(filter, Qt::Key_Return);
    settle();
    find<QListWidget>("list1")->item(0)->setSelected(true);
    click("list1ToList2");
    EXPECT_EQ(find<QListWidget>("list2")->count(), 1);
    find<QListWidget>("list2")->item(0)->setSelected(true);
    click("list2ToMain");
    EXPECT_EQ(rows(), 2);

    // Export the list as text.
    ui.saveAnswers.push_back(dir.file("out"));
    action("As &TXT...")->trigger();
    EXPECT_EQ(pw::test::readFile(dir.file("out.txt")), "cheap flights\r\nred shoes\r\n");

    // Save with Ctrl+S, then reopen in a fresh window.
    QTest::keySequence(window.get(), QKeySequence::Save);
    settle();
    EXPECT_EQ(ui.lastMessage().text, "The list was successfully exported!");
    Project reopened;
    reopened.path = projectPath;
    ASSERT_EQ(loadProject(reopened), LoadCode::Loaded);
    ASSERT_EQ(reopened.groups.size(), 1u);
    EXPECT_EQ(reopened.groups[0]->phrases.size(), 2u);
    EXPECT_EQ(reopened.mainList.phrases.size(), 3u);
}

TEST_F(Window, ChoosingATabShowsItsListAndFilterSettings) {
    Project p;
    p.path = dir.file("tabs.pwj");
    p.mainList.phrases.emplace_back("a");
    Group& g = appendGroup(p, "Shoes");
    g.phrases.emplace_back("red shoes");
    g.phrases.emplace_back("blue shoes");
    g.ignoreText = "blue";
    g.colorIndex = 3;
    ASSERT_TRUE(saveProject(p));
    controller.start(p.path);
    settle();
    EXPECT_EQ(rows(), 1);
    find<QTabBar>("tabs")->setCurrentIndex(1);
    settle();
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(find<QCheckBox>("ignoreOn")->isChecked());
    EXPECT_EQ(find<QPlainTextEdit>("ignoreBox")->toPlainText(), "blue");
    EXPECT_EQ(find<QTabBar>("tabs")->tabData(1).value<QColor>(), QColor(65, 130, 172));
}

TEST_F(Window, ByFreeTextTakesTheCursorAndEnterSorts) {
    Project p;
    p.path = dir.file("sort.pwj");
    for (const char* text : {"cheap flights", "hotels paris", "hotels rome"}) p.mainList.phrases.emplace_back(text);
    ASSERT_TRUE(saveProject(p));
    controller.start(p.path);
    settle();
    window->activateWindow();
    auto* key = find<QComboBox>("sortKey1");
    key->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(key, Qt::Key_Down);  // "Alphabetically" → "By free text"
    ASSERT_EQ(key->currentText(), "By free text");
    auto* freeText = find<QLineEdit>("freeText1");
    EXPECT_TRUE(freeText->hasFocus());
    QTest::keyClicks(freeText, "rome");
    QTest::keyClick(freeText, Qt::Key_Return);
    settle();
    EXPECT_EQ(find<QTableView>("listView")->model()->index(0, 0).data().toString(), "hotels rome");
}

// Tab leaves the ignore box as it leaves every box where a tab means nothing;
// the window, its status line included, lies inside the screen's free area.
TEST_F(Window, TabLeavesTheIgnoreBoxAndTheWindowLiesInsideTheScreen) {
    Project p;
    p.path = dir.file("tab.pwj");
    p.mainList.phrases.emplace_back("free tickets");
    ASSERT_TRUE(saveProject(p));
    controller.start(p.path);
    settle();
    find<QCheckBox>("ignoreOn")->setChecked(true);
    auto* box = find<QPlainTextEdit>("ignoreBox");
    box->setFocus();
    QTest::keyClicks(box, "free");
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(box->toPlainText(), "free");
    EXPECT_NE(window->focusWidget(), box);

    const QRect room = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    EXPECT_GE(frame.top(), room.top());
    EXPECT_LE(frame.bottom(), room.bottom()) << "the status line would lie off the screen";
}

TEST_F(Window, CountsShowThousandsAndTheSearchBoxEmptiesWithTheProject) {
    Project p;
    p.path = dir.file("counts.pwj");
    for (int i = 0; i < 1500; ++i) p.mainList.phrases.emplace_back("phrase " + std::to_string(i));
    ASSERT_TRUE(saveProject(p));
    controller.start(p.path);
    settle();
    EXPECT_EQ(find<QLabel>("listCount")->text(), "Current count: 1,500");
    auto* search = find<QLineEdit>("search");
    QTest::keyClicks(search, "phrase 9");
    ui.projectAnswers.push_back(std::nullopt);
    controller.closeProject();
    settle();
    EXPECT_TRUE(search->text().isEmpty());
}

// Every control of every phase shows whole on a 1024×700 screen, and the list beside them keeps its width.
TEST_F(Window, EveryPhaseFitsASmallScreen) {
    Project p;
    p.path = dir.file("small.pwj");
    appendGroup(p, "Hotels").phrases.emplace_back("hotels rome");
    ASSERT_TRUE(saveProject(p));
    controller.start(p.path);
    settle();
    find<QTabBar>("tabs")->setCurrentIndex(1);  // phase 4 needs a group
    settle();
    window->resize(1024, 700);
    int listWidth = 0;
    for (const char* phase : {"phase1", "phase2", "phase3", "phase4"}) {
        click(phase);
        QApplication::processEvents();
        SCOPED_TRACE(phase);
        // The list keeps its width whichever phase shows beside it.
        const int width = find<QTableView>("listView")->width();
        if (listWidth == 0) listWidth = width;
        EXPECT_EQ(width, listWidth);
        EXPECT_LE(window->width(), 1024);
        EXPECT_LE(window->height(), 700);
        const QRect inside = window->rect();
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window.get()) || !qobject_cast<QAbstractButton*>(w)) continue;
            const QRect r(w->mapTo(window.get(), QPoint(0, 0)), w->size());
            const std::string name = (w->objectName().isEmpty() ? qobject_cast<QAbstractButton*>(w)->text()
                                                                 : w->objectName()).toStdString();
            EXPECT_TRUE(inside.contains(r)) << name << " lies outside the window";
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << name << " is cut";
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << name << " is cut";
        }
        for (QWidget* w : window->findChildren<QWidget*>())
            if (dynamic_cast<AdPreview*>(w) && w->isVisibleTo(window.get()))
                EXPECT_GE(w->height(), AdPreview::linesHeight()) << "an ad preview is cut";
    }
}

// A commit left running when its window closed shows in the main window's status line until it ends.
TEST_F(Window, AFeatureItemIsEnabledWhenItsActionArrivesAfterTheWindowIsBuilt) {
    QAction* research = action("&Research tool");
    ASSERT_NE(research, nullptr);
    EXPECT_FALSE(research->isEnabled());
    int runs = 0;
    controller.menuActions().provide(MenuId::ResearchTool, [&] { ++runs; });
    EXPECT_TRUE(research->isEnabled());
    research->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(wiring.takeFaults().empty());

    // A second action for one item is a wiring fault: reported, and the first one stays.
    controller.menuActions().provide(MenuId::ResearchTool, [&] { runs += 10; });
    research->trigger();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(wiring.takeFaults(), std::vector<std::string>{"menu action ResearchTool provided twice"});

    // One action enables every item of its id: the menu item and both buttons.
    QAction* topAds = action("Search top &Google ads");
    auto* topAdsButton = find<QPushButton>("searchTopAds");
    auto* topAdsIcon = find<QPushButton>("searchTopAdsIcon");
    ASSERT_TRUE(topAds && topAdsButton && topAdsIcon);
    EXPECT_FALSE(topAdsButton->isEnabled());
    controller.menuActions().provide(MenuId::SearchTopAds, [&] { runs += 100; });
    EXPECT_TRUE(topAds->isEnabled() && topAdsButton->isEnabled() && topAdsIcon->isEnabled());
    QTest::mouseClick(topAdsIcon, Qt::LeftButton);
    EXPECT_EQ(runs, 102);
    EXPECT_TRUE(wiring.takeFaults().empty());
}

TEST_F(Window, WorkInTheBackgroundShowsInTheStatusLine) {
    std::optional<std::string> running = "Create campaign \"Spring\"...";
    controller.setBackgroundStatus([&] { return running; });
    auto* text = find<QLabel>("statusText");
    auto* bar = find<QProgressBar>("progress");
    ASSERT_TRUE(QTest::qWaitFor([&] { return text->text() == "Create campaign \"Spring\"..."; }, 2000));
    EXPECT_TRUE(bar->isVisible());
    const int value = bar->value();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() != value; }, 1000)) << "the bar stands still";
    running.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !bar->isVisible() && text->text().isEmpty(); }, 2000));
    controller.setBackgroundStatus(nullptr);
}

TEST(PastAdsWindow, EnterInASearchFieldStartsTheSearch) {
    test::ScriptedUi ui;
    pw::test::TempFolder dir;
    Project project;
    project.path = dir.file("open.pwj");
    Ad ad;
    ad.title = "Cheap flights";
    appendGroup(project, "Flights").adLists[AdListKind::Current].push_back(ad);
    QtDispatcher dispatcher;
    PastAdsSearchController controller(ui, ui.gate, dispatcher, ProgramFolder(dir.path()), &project, nullptr, false);
    controller.setCurrentProject(true);
    CDialogSearch dialog(controller);
    dispatcher.setReceiver(&dialog);
    dialog.show();
    auto* title = dialog.findChild<QLineEdit*>("criterion0");
    auto* results = dialog.findChild<QTreeWidget*>("results");
    ASSERT_TRUE(title && results);
    QTest::keyClicks(title, "cheap");
    QTest::keyClick(title, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return results->topLevelItemCount() == 1; }, 5000));
    EXPECT_TRUE(dialog.isVisible());
}

TEST(ChooserWindow, ArrowKeysAndEnterOpenTheSelectedProject) {
    pw::test::TempFolder dir;
    ProgramFolder folder{dir.path() + "/data"};
    for (const char* name : {"A.pwj", "B.pwj"}) {
        pw::test::writeFile(dir.file(name), "project");
        addRecentProject(folder, dir.file(name));
    }
    test::ScriptedUi ui;
    ProjectChooserController controller(ui, ui, folder);
    ProjectChooser chooser(controller);
    chooser.show();
    auto* list = chooser.findChild<QTreeWidget*>("recent");
    ASSERT_TRUE(list);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(controller.chosen(), dir.file("A.pwj"));  // the second row: B was opened last
    EXPECT_TRUE(ui.textPrompts.empty());                 // "New project" was not pressed
}

// "Select CSV columns" opens on the columns it is offered (a planner
// export's keyword and searches) and keeps the two apart.
TEST(ColumnsWindow, OpensOnTheOfferedColumns) {
    CDialogCSVColumns dialog("planner.csv", 5, 1, 3);
    EXPECT_EQ(dialog.phraseColumn(), 1);
    EXPECT_EQ(dialog.hitColumn(), 3);
    dialog.findChild<QComboBox*>("phraseColumn")->setCurrentIndex(3);
    EXPECT_EQ(dialog.hitColumn(), -1);
    CDialogCSVColumns plain("wide.csv", 3, 0, -1);
    EXPECT_EQ(plain.phraseColumn(), 0);
    EXPECT_EQ(plain.hitColumn(), -1);
}

TEST(AdEditorWindow, TypingClipsCountsAndMirrors) {
    test::ScriptedUi ui;
    AdEditorController controller(ui, ui.gate, ui.menuActions, {.ad = Ad{}, .origin = AdOrigin::New});
    CDialogEditAd dialog(controller, ui, nullptr);
    dialog.show();
    auto* title = dialog.findChild<QLineEdit*>("title");
    auto* titleCounter = dialog.findChild<QLabel*>("titleCounter");
    ASSERT_TRUE(title && titleCounter);
    EXPECT_EQ(titleCounter->text(), "0/25");
    EXPECT_EQ(dialog.focusWidget(), title);  // typing starts in the headline, not the network list
    QTest::keyClicks(title, "Cheap hotels in the city centre");  // 31 characters
    EXPECT_EQ(title->text(), "Cheap hotels in the city ");
    EXPECT_EQ(titleCounter->text(), "25/25");

    auto* display = dialog.findChild<QLineEdit*>("displayUrl");
    auto* destination = dialog.findChild<QLineEdit*>("destinationUrl");
    QTest::keyClicks(display, "www.a.com");
    EXPECT_EQ(destination->text(), "www.a.com");
    QTest::mouseClick(destination, Qt::LeftButton);  // the first click selects all and ends the copying
    EXPECT_EQ(destination->selectedText(), "www.a.com");
    QTest::keyClicks(display, "/x");
    EXPECT_EQ(destination->text(), "www.a.com");

    // Enter moves on instead of closing the window.
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>("text1"));

    // Even squeezed, the preview shows its display URL line whole.
    dialog.resize(1, 1);
    QApplication::processEvents();
    for (QWidget* w : dialog.findChildren<QWidget*>())
        if (dynamic_cast<AdPreview*>(w)) EXPECT_GE(w->height(), AdPreview::linesHeight());

    dialog.findChild<QComboBox*>("network")->setCurrentIndex(1);
    EXPECT_EQ(titleCounter->text(), "25/50");
    EXPECT_TRUE(dialog.findChild<QPlainTextEdit*>("description")->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("text2")->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.findChild<QPushButton*>("copyInto")->text(), "Copy into Miva");
}

}  // namespace
}  // namespace pw::ui

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace pw::ui {
namespace {

// A command that fails in a modal window opened over the main window says so
// over that window, not behind it.
TEST(QtDesktopBoxes, OpenOverTheModalWindowInFront) {
    QWidget main;
    main.show();
    QtDesktop desktop(&main);
    QDialog modal(&main);
    QWidget* boxParent = nullptr;
    QTimer::singleShot(0, &modal, [&] {
        QTimer::singleShot(50, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    boxParent = box->parentWidget();
                    box->close();
                }
        });
        desktop.message(kUnknownError);
        modal.reject();
    });
    modal.exec();
    EXPECT_EQ(boxParent, &modal);
}

}  // namespace
}  // namespace pw::ui
