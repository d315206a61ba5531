#pragma once
// Pictures of the account windows on a sandbox
// account made for the purpose: the README's screenshots, and a quick look at
// the account windows on a machine without a display.

#include <QDir>
#include <QString>

#include "io/appsettings.h"
#include "ui/account/qtaccountwindows.h"
#include "ui/main/dialogmain.h"

namespace pw::app {

// The account windows of the pictures: the manager waits for its campaign
// read, is photographed, opens the first campaign in the editor, which is
// photographed too, shows the keyword types chooser, commits the queued
// changes (the change list and the manager during the commit photographed),
// and all close without waiting for a person. The ad group manager is
// photographed with its first group's keywords and ads.
class ScreenshotAccountWindows : public ui::QtAccountWindows {
public:
    ScreenshotAccountWindows(ui::QtDesktop& desktop, ProgramFolder folder, SettingsStore& settings,
                             ui::AccountWindowLinks links, ui::QueueChange queue, QString pictureFolder)
        : QtAccountWindows(desktop, std::move(folder), settings, links, std::move(queue)),
          pictures_(std::move(pictureFolder)) {
        QDir().mkpath(pictures_);
    }
    std::optional<std::vector<std::string>> listChanges(const std::string& caption, const std::string& okText,
                                                        const std::vector<std::string>& lines) override;
    std::optional<KeywordTypesChoice> chooseKeywordTypes(bool typesOnly) override;
    bool ok() const { return ok_; }

protected:
    void managerShown(ui::CDialogGoogleManager& manager) override;
    void adGroupManagerShown(ui::CDialogManageAdGroups& manager) override;
    void campaignEditorShown(ui::CDialogManageCampaign& editor) override;

private:
    QString pictures_;
    bool ok_ = true;
};

// Makes a default sandbox profile with a few campaigns, then opens the
// account manager through its menu item: the manager, the campaign editor
// and the ad group manager it opens are photographed on the way. False when
// a step or a picture failed; `windows` are the program's account windows.
bool runAccountScreenshots(ui::CDialogMain& window, const ScreenshotAccountWindows& windows,
                           const ProgramFolder& folder, SettingsStore& settings);

}  // namespace pw::app
