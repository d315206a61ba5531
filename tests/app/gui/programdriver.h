#pragma once
// Drives the program as shipped, offscreen: built by the same composition as
// main(), with a person's hands standing in for the test. Modal windows and
// pop-up menus open for real; a watcher answers each as it appears, by its
// title, and notes what it saw.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/gui/composition.h"
#include "tests/testsupport.h"
#include "ui/common/jobrunner.h"

namespace pw::app::test {

inline void failOnMenuFault(const std::string& fault) { ADD_FAILURE() << fault; }

// Answers one window as a person would: fills it in, presses its buttons.
using WindowAnswer = std::function<void(QWidget& window)>;

// Closes what opens: a message box with its Cancel, No or OK, any other
// modal window with reject(), unless an answer for its title was queued.
class WindowWatcher : public QObject {
public:
    WindowWatcher() {
        timer_.setInterval(15);
        connect(&timer_, &QTimer::timeout, this, [this] { look(); });
        timer_.start();
    }
    // The next window titled `title` gets this answer instead of being cancelled.
    void answer(const QString& title, WindowAnswer answer) { answers_.push_back({title, std::move(answer)}); }
    // In the next pop-up menu, this item (its texts from the top, "Sort groups/Alphabetically") is chosen.
    void choose(const QString& path) { menuChoice_ = path; }
    // The titles (or, untitled, the class names) of the windows seen so far, then forgotten.
    std::vector<QString> takeSeen() { return std::exchange(seen_, {}); }
    bool answersLeft() const { return !answers_.empty(); }

private:
    struct Pending {
        QString title;
        WindowAnswer answer;
    };

    void look() {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (menu != choosingIn_) {
                choosingIn_ = menu;
                chooseIn(*menu);
            }
            return;
        }
        choosingIn_ = nullptr;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || answering_.count(modal)) return;
        const QString title = modal->windowTitle().isEmpty() ? modal->metaObject()->className() : modal->windowTitle();
        seen_.push_back(title);
        if (qEnvironmentVariableIsSet("PW_SHOW_WINDOWS")) qInfo("window: %s", qPrintable(title));
        // A window is answered once at a time: while its answer runs (and the
        // windows it opens come and go) it is not looked at again.
        answering_.insert(modal);
        QPointer<QWidget> window(modal);
        // Answered after this look, so that the answer may open windows of its own.
        QTimer::singleShot(0, this, [this, window, modal, title] {
            if (window) answerWindow(*window, title);
            answering_.erase(modal);
        });
    }

    void answerWindow(QWidget& window, const QString& title) {
        for (auto it = answers_.begin(); it != answers_.end(); ++it)
            if (it->title == title) {
                WindowAnswer answer = std::move(it->answer);
                answers_.erase(it);
                answer(window);
                return;
            }
        cancel(window);
    }

    static void cancel(QWidget& window) {
        if (auto* box = qobject_cast<QMessageBox*>(&window)) {
            for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
                if (QAbstractButton* button = box->button(b)) {
                    button->click();
                    return;
                }
        }
        if (auto* dialog = qobject_cast<QDialog*>(&window)) dialog->reject();
        else window.close();
    }

    void chooseIn(QMenu& menu) {
        QAction* chosen = nullptr;
        QMenu* level = &menu;
        for (const QString& part : menuChoice_.split('/')) {
            chosen = nullptr;
            for (QAction* a : level->actions())
                if (a->text() == part) chosen = a;
            if (!chosen) break;
            if (chosen->menu()) level = chosen->menu();
        }
        menuChoice_.clear();
        if (!chosen) {
            menu.close();
            ADD_FAILURE() << "no such item in the pop-up menu";
            return;
        }
        seen_.push_back("menu: " + chosen->text());
        if (!chosen->isEnabled()) {
            seen_.push_back("greyed");
            menu.close();
            return;
        }
        // Chosen inside the menu's own loop once this look has ended, as a
        // click does: the menu closes, then the item runs.
        QTimer::singleShot(0, &menu, [menu = &menu, chosen] {
            menu->close();
            chosen->trigger();
        });
    }

    QTimer timer_;
    std::deque<Pending> answers_;
    QString menuChoice_;
    std::set<QWidget*> answering_;
    QMenu* choosingIn_ = nullptr;
    std::vector<QString> seen_;
};

// The program with a sandbox data folder, its window shown.
class ProgramFixture : public ::testing::Test {
public:  // the test's tables reach it too
    pw::test::TempFolder dir;
    int quits = 0;
    // Clicks the button of this name in a window.
    static void click(QWidget& window, const char* button) {
        auto* b = window.findChild<QAbstractButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isEnabled()) << button;
        b->click();
    }
    std::unique_ptr<Program> program;
    std::unique_ptr<WindowWatcher> watcher;

    void SetUp() override {
        ProgramOptions options;
        options.dataDir = dir.file("data");
        options.accountTool = PW_TOOL_PATH;
        options.menuFault = failOnMenuFault;
        options.quit = [this] { ++quits; };
        program = composeProgram(options);
        program->window().show();
        watcher = std::make_unique<WindowWatcher>();
    }
    void TearDown() override {
        settle();
        EXPECT_FALSE(watcher->answersLeft()) << "a scripted answer was left unused";
        watcher.reset();
        program.reset();
    }
    // Lets the window, the worker and the watcher catch up.
    void settle(int atLeastMs = 40) {
        QElapsedTimer t;
        t.start();
        while ((program->jobs().busy() || t.elapsed() < atLeastMs) && t.elapsed() < 60000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
    }
    void waitUntil(const std::function<bool()>& done, int ms = 20000) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
    }
    // The menu-bar item at this path ("&File/&Save project"), as a person finds it.
    QAction* menuAction(const QString& path) {
        QList<QAction*> level = program->window().menuBar()->actions();
        QAction* found = nullptr;
        for (const QString& part : path.split('/')) {
            found = nullptr;
            for (QAction* a : level)
                if (a->text() == part) found = a;
            if (!found) break;
            if (found->menu()) level = found->menu()->actions();
        }
        return found;
    }
};

}  // namespace pw::app::test
