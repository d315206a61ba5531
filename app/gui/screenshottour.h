#pragma once
// Drives the real window through the four phases of a project and saves a
// picture of each step: the README's screenshots, and a quick look on a
// machine without a display.

#include <QString>

#include "io/programfolder.h"

#include "ui/ads/qtadwindows.h"
#include "ui/main/maindialogs.h"

namespace pw::ui {
class CDialogMain;
}  // namespace pw::ui

namespace pw::app {

// The ad windows of the tour: the ad editor and the lists manager open without
// waiting for a person, are filled in and photographed, and close.
class TourAdWindows : public ui::QtAdWindows {
public:
    TourAdWindows(ui::QtDesktop& desktop, ProgramFolder folder, ui::CommandGate& gate, const ui::MenuActions& actions,
                  QString pictureFolder)
        : QtAdWindows(desktop, std::move(folder), gate, actions), pictures_(std::move(pictureFolder)) {}
    std::optional<ui::AdEditResult> editAd(const ui::AdEditRequest& request) override;
    bool manageAdLists(Group& group) override;

private:
    QString pictures_;
    int ads_ = 0;
};


// Waits until the window's worker is idle and the window has painted.
void settle(ui::CDialogMain& window);
// Saves one picture of the window.
bool saveScreenshot(ui::CDialogMain& window, const QString& path);
// The whole tour into the folder; returns false when a picture could not be written.
bool runScreenshotTour(ui::CDialogMain& window, ui::Desktop& desktop, ui::MainDialogs& dialogs,
                       const ProgramFolder& programFolder,
                       const QString& pictureFolder);

}  // namespace pw::app
