#pragma once
// The program put together: the desktop, the window families, the main
// window and the features plugged into it. The program and the tests build
// it through this one function, so that what a test reaches through the
// menus is what a person reaches.

#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "io/appsettings.h"
#include "io/programfolder.h"
#include "ui/common/menuactions.h"
#include "ui/main/dialogmain.h"

namespace pw::ui {
class QtDesktop;
class QtMainDialogs;
class WindowRegistry;
class JobRunner;
}  // namespace pw::ui

namespace pw::app {

class ScreenshotAccountWindows;

struct ProgramOptions {
    std::string dataDir;           // empty: the per-user data folder
    std::string accountTool;       // the built account tool; empty: the one beside the executable
    QString tourPictures;          // the screenshot tour's folder, when it runs
    QString accountPictures;       // the account pictures' folder, when they are taken
    ui::MenuActions::FaultReport menuFault = ui::MenuActions::logFault;
    std::function<void()> quit;    // the program ends; the application's quit when empty
};

class Program {
public:
    virtual ~Program() = default;
    virtual ui::CDialogMain& window() = 0;
    virtual ui::MainWindowController& controller() = 0;
    virtual ui::QtDesktop& desktop() = 0;
    // The modeless windows features open beside the main window.
    virtual ui::WindowRegistry& featureWindows() = 0;
    virtual ui::QtMainDialogs& dialogs() = 0;
    virtual ui::JobRunner& jobs() = 0;
    virtual const ProgramFolder& folder() const = 0;
    virtual SettingsStore& settings() = 0;
    // The account windows of the account pictures; none in other runs.
    virtual const ScreenshotAccountWindows* accountPictureWindows() const = 0;
    // Shows what start-up found (account changes put back after a crash) once the window shows.
    virtual void showStartupNotices() = 0;
};

std::unique_ptr<Program> composeProgram(const ProgramOptions& options);

}  // namespace pw::app
