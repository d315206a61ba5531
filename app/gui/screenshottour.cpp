#include "app/gui/screenshottour.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTableView>
#include <QThread>

#include "io/recentprojects.h"
#include "ui/dialogmain.h"
#include "ui/projectchooser.h"
#include "ui/qtuiservices.h"

namespace pw::app {

void settle(ui::CDialogMain& window) {
    QElapsedTimer timer;
    timer.start();
    while ((window.controller().busy() || timer.elapsed() < 150) && timer.elapsed() < 20000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool saveScreenshot(ui::CDialogMain& window, const QString& path) {
    settle(window);
    return window.grab().save(path);
}

bool runScreenshotTour(ui::CDialogMain& window, ui::QtUiServices& services, const ProgramFolder& programFolder,
                       const QString& pictureFolder) {
    QDir().mkpath(pictureFolder);
    ui::MainWindowController& c = window.controller();
    bool ok = true;
    auto shot = [&](const char* name) { ok = saveScreenshot(window, pictureFolder + "/" + name) && ok; };

    // Phase 1: ignore words and filters applied.
    c.filters.ignoreOn = true;
    c.filters.ignoreText = "age\r\nfree\r\ninsurance\r\n";
    c.filters.duplicates = true;
    c.filters.unwantedCharacters = true;
    c.filtersChanged();
    c.update();
    settle(window);
    c.filtersChanged();
    shot("1-phase1-filters.png");

    // Phase 2: two phrases waiting in the 'Delete' box.
    c.goToPhase(2);
    c.moveToDeleteBox({2, 5});
    shot("2-phase2-delete-box.png");

    // Phase 3: hotels into list 1, the Paris ones on into list 2.
    c.goToPhase(3);
    c.boxes.list1Filter = "hotel";
    c.moveToList1({});
    settle(window);
    c.boxes.list2Filter = "paris";
    c.searchList1IntoList2();
    shot("3-phase3-side-lists.png");

    // Phase 4: a group made from list 1, its keywords in all three forms.
    c.boxes.list1Name = "Hotels";
    c.createGroupFromList1();
    settle(window);
    c.selectTab(c.project().groups.empty() ? 0 : 1);
    settle(window);
    c.goToPhase(4);
    c.forms = {true, true, true};
    c.formsChanged();
    c.setGroupColor(0, 2);
    shot("4-phase4-keywords.png");

    // The project chooser, with this project among the recent ones.
    addRecentProject(programFolder, c.project().path);
    ui::ProjectChooserController chooserLogic(services, programFolder);
    ui::ProjectChooser chooser(chooserLogic, &window);
    chooser.show();
    QApplication::processEvents();
    ok = chooser.grab().save(pictureFolder + "/0-project-chooser.png") && ok;
    chooser.close();
    return ok;
}

}  // namespace pw::app
