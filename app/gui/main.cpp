// phrasewright: the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>

#include <memory>

#include "app/gui/accountscreenshots.h"
#include "app/gui/composition.h"
#include "app/gui/screenshottour.h"
#include "core/version.h"
#include "ui/common/qtdesktop.h"
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

    pw::app::ProgramOptions options;
    options.dataDir = parser.value(dataDir).toStdString();
    options.tourPictures = parser.value(tour);
    options.accountPictures = parser.value(accountPictures);
    const std::unique_ptr<pw::app::Program> program = pw::app::composeProgram(options);
    pw::ui::CDialogMain& window = program->window();
    pw::ui::MainWindowController& controller = program->controller();

    if (parser.isSet(accountPictures)) {
        window.show();
        return pw::app::runAccountScreenshots(window, *program->accountPictureWindows(), program->folder(),
                                              program->settings())
                   ? 0
                   : 1;
    }
    program->showStartupNotices();

    const QString project = parser.positionalArguments().value(0);
    const bool scripted = parser.isSet(screenshot) || parser.isSet(tour);
    if (scripted) {
        window.show();
        controller.start(project.toStdString());
        pw::app::settle(window);
        return (parser.isSet(tour) ? pw::app::runScreenshotTour(window, program->desktop(), program->dialogs(),
                                                                program->folder(), parser.value(tour))
                                   : pw::app::saveScreenshot(window, parser.value(screenshot)))
                   ? 0
                   : 1;
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
    return app.exec();
}
