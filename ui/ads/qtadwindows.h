#pragma once
// The ad windows, shown with Qt.

#include "core/project.h"
#include "io/programfolder.h"
#include "ui/ads/adwindows.h"
#include "ui/common/qtdesktop.h"

namespace pw::ui {

class QtAdWindows : public AdWindows {
public:
    QtAdWindows(QtDesktop& desktop, ProgramFolder folder) : desktop_(desktop), folder_(std::move(folder)) {}
    // The past-ads search reads the open project from memory.
    void setProject(const Project* project) { project_ = project; }

    bool editAd(const AdEditRequest& request) override;
    bool manageAdLists(Group& group) override;
    std::optional<Ad> searchPastAds(const Group* group) override;

protected:
    QtDesktop& desktop_;
    ProgramFolder folder_;
    const Project* project_ = nullptr;
};

}  // namespace pw::ui
