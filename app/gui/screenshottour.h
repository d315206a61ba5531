#pragma once
// Drives the real window through the four phases of a project and saves a
// picture of each step: the README's screenshots, and a quick look on a
// machine without a display.

#include <QString>

#include "io/programfolder.h"

namespace pw::ui {
class CDialogMain;
class QtUiServices;
}  // namespace pw::ui

namespace pw::app {

// Waits until the window's worker is idle and the window has painted.
void settle(ui::CDialogMain& window);
// Saves one picture of the window.
bool saveScreenshot(ui::CDialogMain& window, const QString& path);
// The whole tour into the folder; returns false when a picture could not be written.
bool runScreenshotTour(ui::CDialogMain& window, ui::QtUiServices& services, const ProgramFolder& programFolder,
                       const QString& pictureFolder);

}  // namespace pw::app
