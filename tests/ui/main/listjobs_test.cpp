// The real main window while list jobs run on its worker: what a person does
// meanwhile must never read or change what the job is working on.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QThread>

#include <thread>

#include "core/projectfile.h"
#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"
#include "tests/ui/main/mainwindowfixture.h"
#include "ui/common/qtdispatcher.h"
#include "ui/main/dialogmain.h"

namespace pw::ui {
namespace {

class WindowWithJobs : public test::MainWindowFixture {
protected:
    std::string saved(Project& p) {
        p.path = dir.file("big.pwj");
        EXPECT_TRUE(saveProject(p));
        return p.path;
    }
};

TEST_F(WindowWithJobs, TypingAndScrollingInPhase3WhileList1Fills) {
    Project p;
    p.mainList.phrases.reserve(1'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        p.mainList.phrases.emplace_back((i % 4 == 0 ? "cheap hotel " : "flight to ") + std::to_string(i), i);
    controller.start(saved(p));
    settle();
    controller.goToPhase(3);

    auto* filter = find<QLineEdit>("list1Filter");
    auto* name = find<QLineEdit>("list1Name");
    auto* pages = find<QScrollBar>("pageBar");
    filter->setFocus();
    QTest::keyClicks(filter, "hotel");
    QTest::keyClick(filter, Qt::Key_Return);
    int keysWhileBusy = 0;
    while (jobs.busy()) {
        QTest::keyClicks(filter, "x");
        QTest::keyClicks(name, "y");
        pages->setValue(keysWhileBusy % 2);
        QApplication::processEvents();
        ++keysWhileBusy;
    }
    settle();
    EXPECT_GT(keysWhileBusy, 0);
    EXPECT_EQ(find<QListWidget>("list1")->count(), 250'000);
    EXPECT_EQ(controller.rowCount(), 750'000u);
    EXPECT_TRUE(ui.messages.empty());
}

// The menus, as a person reaches them; the controller's own test loads far
// more groups (a tab bar of that many tabs takes minutes to lay out).
TEST_F(WindowWithJobs, SortFindAndExportGroupsWhileAProjectOfManyGroupsLoads) {
    Project p;
    for (int i = 0; i < 3'000; ++i) appendGroup(p, "group " + std::to_string(3'000 - i)).phrases.emplace_back("x");
    for (int i = 0; i < 500'000; ++i) p.mainList.phrases.emplace_back("phrase " + std::to_string(i));
    controller.start(saved(p));
    int triesWhileBusy = 0;
    while (jobs.busy()) {
        action("&Alphabetically")->trigger();
        action("&Find group...")->trigger();
        action("&Export groups as TXT...")->trigger();
        QApplication::processEvents();
        ++triesWhileBusy;
    }
    settle();
    EXPECT_GT(triesWhileBusy, 0);
    EXPECT_EQ(ui.doubleBeeps, 3 * triesWhileBusy);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(controller.project().groups.size(), 3'000u);
    EXPECT_EQ(controller.project().groups.front()->name, "group 3000");  // in the file's order
}

TEST(WindowLifetime, WhatAWorkerReportsAfterItsWindowClosedIsDropped) {
    int ran = 0;
    auto window = std::make_unique<QObject>();
    QtDispatcher dispatcher(window.get());
    std::thread worker([&] { dispatcher.post([&] { ++ran; }); });
    worker.join();
    QApplication::processEvents();
    EXPECT_EQ(ran, 1);

    std::thread late([&] { dispatcher.post([&] { ++ran; }); });
    late.join();
    window.reset();  // closed before the report is delivered
    QApplication::processEvents();
    EXPECT_EQ(ran, 1);
}

}  // namespace
}  // namespace pw::ui
