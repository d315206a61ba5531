// phrasewright: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>

#include <memory>

#include "account/toolinstall.h"
#include "app/gui/accountscreenshots.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "app/gui/screenshottour.h"
#include "core/version.h"
#include "ui/account/accountmanagercontroller.h"
#include "ui/account/commitprogress.h"
#include "ui/account/qtaccountwindows.h"
#include "ui/common/qtdispatcher.h"
#include "ui/groups/qtgroupdialogs.h"
#include "ui/main/dialogmain.h"
#include "ui/main/qtmaindialogs.h"

namespace {

QPixmap splashPicture() {
    QPixmap picture(460, 240);
    picture.fill(QColor(184, 200, 220));
    QPainter p(&picture);
    p.setPen(QColor(40, 60, 90));
    QFont title("DejaVu Sans", 30, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 60, 460, 60), Qt::AlignCenter, "Phrasewright");
    p.setFont(QFont("DejaVu Sans", 11));
    p.drawText(QRect(0, 130, 460, 30), Qt::AlignCenter, "Keyword lists for pay-per-click advertising");
    p.drawText(QRect(0, 190, 460, 30), Qt::AlignCenter,
               "v" + QString::fromUtf8(pw::kProgramVersion.data(), pw::kProgramVersion.size()));
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Phrasewright");
    QApplication::setOrganizationName("Phrasewright");

    QCommandLineParser parser;
    parser.setApplicationDescription("Phrasewright: keyword lists for pay-per-click advertising.");
    parser.addHelpOption();
    parser.addPositionalArgument("project", "Project file to open at once (.pwj)", "[PROJECT]");
    const QCommandLineOption dataDir("data-dir", "Program folder (catalogues, settings, recent projects)", "DIR");
    const QCommandLineOption noSplash("no-splash", "Start without the splash picture");
    const QCommandLineOption screenshot("screenshot", "Open the project, save a picture of the window and exit", "PNG");
    const QCommandLineOption tour("screenshot-tour", "Walk the project through the phases, saving pictures", "DIR");
    const QCommandLineOption accountPictures("screenshot-account",
                                             "Make a sandbox account, save pictures of its windows and exit", "DIR");
    parser.addOptions({dataDir, noSplash, screenshot, tour, accountPictures});
    parser.process(app);

    const pw::ProgramFolder folder = pw::ProgramFolder::standard(parser.value(dataDir).toStdString());
    pw::createFolder(folder.root());
    pw::installAccountTool(folder, pw::builtAccountToolPath());
    pw::SettingsStore settings(folder);
    pw::ui::QtDesktop desktop;
    pw::ui::QtMainDialogs dialogs(desktop, folder);
    pw::ui::QtGroupDialogs groupDialogs(desktop);
    std::unique_ptr<pw::ui::QtAdWindows> adWindows =
        parser.isSet(tour) ? std::make_unique<pw::app::TourAdWindows>(desktop, folder, parser.value(tour))
                           : std::make_unique<pw::ui::QtAdWindows>(desktop, folder);
    pw::ui::QtDispatcher dispatcher;
    pw::ui::JobRunner jobs(dispatcher, true);
    pw::ui::MainWindowController controller({desktop, dialogs, groupDialogs, *adWindows}, jobs, dispatcher, folder,
                                            settings);
    pw::ui::CDialogMain window(controller);
    // What the worker reports reaches the controller only while its window exists.
    dispatcher.setReceiver(&window);
    desktop.setParent(&window);
    adWindows->setProject(&controller.project());
    controller.onQuit = [] { QCoreApplication::quit(); };
    // Campaign changes wait in the change queue until the user commits them.
    pw::ui::QtAccountWindows accountWindows(desktop, folder, settings, [&folder](const std::string& line) {
        return pw::queueChange(folder, line);
    });
    accountWindows.setProject(&controller.project());
    accountWindows.setProjectWindows(adWindows.get(), &groupDialogs);
    // A commit running in the background keeps the program open.
    controller.closeRefusal = [] {
        return pw::commitInProgress()
                   ? std::optional<pw::ui::Message>({std::string(pw::kCloseRefusedText),
                                                     std::string(pw::kCloseRefusedCaption), pw::ui::Icon::Information,
                                                     pw::ui::Buttons::Ok})
                   : std::nullopt;
    };
    // Changes a crash or kill left in the middle of a commit go back to the queue.
    const std::string recovered = pw::commitRecoveryMessage(pw::recoverInterruptedCommit(folder));
    controller.provideMenuAction("Manage your Google &profile", [&] { accountWindows.chooseProfile(); });
    // A commit the manager leaves running shows in the main window's status line.
    pw::ui::BackgroundCommitWatch commitWatch(desktop);
    controller.backgroundStatus = [&commitWatch] { return commitWatch.poll(); };
    controller.provideMenuAction("Manage your Google &account", [&] {
        commitWatch.managerOpened();
        struct Closed {
            pw::ui::BackgroundCommitWatch& watch;
            ~Closed() { watch.managerClosed(); }
        } closed{commitWatch};
        pw::ui::manageGoogleAccount(desktop, accountWindows, folder, settings);
    });

    if (parser.isSet(accountPictures)) {
        window.show();
        const bool ok = pw::app::runAccountScreenshots(desktop, folder, settings, parser.value(accountPictures));
        controller.onQuit = nullptr;
        jobs.wait();
        return ok ? 0 : 1;
    }

    if (!recovered.empty())
        QTimer::singleShot(0, &window, [&desktop, recovered] {
            desktop.message({recovered, "Google upload", pw::ui::Icon::Information, pw::ui::Buttons::Ok});
        });

    const QString project = parser.positionalArguments().value(0);
    const bool scripted = parser.isSet(screenshot) || parser.isSet(tour);
    if (scripted) {
        window.show();
        controller.start(project.toStdString());
        pw::app::settle(window);
        const bool ok = parser.isSet(tour) ? pw::app::runScreenshotTour(window, desktop, dialogs, folder, parser.value(tour))
                                           : pw::app::saveScreenshot(window, parser.value(screenshot));
        controller.onQuit = nullptr;
        jobs.wait();
        return ok ? 0 : 1;
    }

    auto openWindow = [&] {
        window.show();
        if (!project.trimmed().isEmpty()) controller.start(project.toStdString());
        else QTimer::singleShot(100, &window, [&] { controller.showChooser(); });
    };
    if (parser.isSet(noSplash)) {
        openWindow();
    } else {
        auto* splash = new QSplashScreen(splashPicture(), Qt::WindowStaysOnTopHint);
        splash->show();
        QTimer::singleShot(2000, splash, [splash, &openWindow] {
            splash->close();
            splash->deleteLater();
            openWindow();
        });
    }
    const int status = app.exec();
    jobs.wait();
    return status;
}
