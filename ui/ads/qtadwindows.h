#pragma once
// The ad windows, shown with Qt.

#include "core/project.h"
#include "io/programfolder.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/qtdesktop.h"

#include "ui/common/menuactions.h"

namespace pw::ui {

class QtAdWindows : public AdWindows {
public:
    // The ad windows' commands pass the main window's `gate`; they open over
    // the window in front of `desktop` (the main window's); the editor's web
    // buttons run what features supply in `actions`.
    QtAdWindows(QtDesktop& desktop, ProgramFolder folder, CommandGate& gate, const MenuActions& actions)
        : desktop_(desktop), folder_(std::move(folder)), gate_(gate), actions_(actions) {}
    // The past-ads search reads the open project from memory.
    void setProject(const Project* project) { project_ = project; }

    std::optional<AdEditResult> editAd(const AdEditRequest& request) override;
    bool manageAdLists(Group& group) override;
    std::optional<Ad> searchPastAds(const Group* group) override;

protected:
    QtDesktop& desktop_;
    ProgramFolder folder_;
    CommandGate& gate_;
    const MenuActions& actions_;
    const Project* project_ = nullptr;
};

}  // namespace pw::ui
