#pragma once
// The real main window, offscreen, with its worker on a thread of its own and
// a script standing in for the desktop: the fixture of the widget tests.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QThread>

#include <memory>

#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"
#include "ui/common/qtdispatcher.h"
#include "tests/ui/main/windowwiring.h"
#include "ui/main/dialogmain.h"

namespace pw::ui::test {

class MainWindowFixture : public ::testing::Test {
protected:
    pw::test::TempFolder dir;
    ProgramFolder folder{dir.path() + "/data"};
    SettingsStore settings{folder};
    ScriptedUi ui;
    QtDispatcher dispatcher;
    JobRunner jobs{dispatcher, true};
    WindowWiring wiring{ui, jobs};
    MainWindowController controller{{ui, ui, ui, ui}, jobs, dispatcher, wiring.gate, wiring.actions, folder, settings};
    std::unique_ptr<CDialogMain> window;

    void SetUp() override {
        window = std::make_unique<CDialogMain>(controller);
        dispatcher.setReceiver(window.get());
        window->show();
    }
    void TearDown() override {
        controller.setQuitHandler(nullptr);
        jobs.wait();
        settle();
        window.reset();
    }
    // Waits until the worker is idle and the window has caught up.
    void settle() {
        QElapsedTimer t;
        t.start();
        while ((jobs.busy() || t.elapsed() < 30) && t.elapsed() < 60000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
    }
    template <typename T>
    T* find(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* action(const QString& text) {
        for (QAction* a : window->findChildren<QAction*>())
            if (a->text() == text) return a;
        ADD_FAILURE() << "no action " << text.toStdString();
        return nullptr;
    }
    int rows() { return find<QTableView>("listView")->model()->rowCount(); }
    void click(const char* name) {
        QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton);
        settle();
    }
};

}  // namespace pw::ui::test
