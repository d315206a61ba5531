#include "ui/ads/qtadwindows.h"

#include "ui/ads/addialogs.h"
#include "ui/ads/adeditorcontroller.h"
#include "ui/ads/dialogeditad.h"
#include "ui/ads/managelistscontroller.h"
#include "ui/ads/pastadssearchcontroller.h"
#include "ui/common/qtdispatcher.h"

namespace pw::ui {

// Each window has a desktop of its own, bound once the window exists.
std::optional<AdEditResult> QtAdWindows::editAd(const AdEditRequest& request) {
    QtDesktop desktop(desktop_.frontWindow());
    AdEditorController controller(desktop, gate_, actions_, request);
    CDialogEditAd dialog(controller, *this, request.group, desktop_.frontWindow());
    desktop.bind(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.result();
}

bool QtAdWindows::manageAdLists(Group& group) {
    QtDesktop desktop(desktop_.frontWindow());
    ManageListsController controller(desktop, gate_, group);
    CDialogManageLists dialog(controller, desktop_.frontWindow());
    desktop.bind(&dialog);
    dialog.exec();
    return controller.changed();
}

std::optional<Ad> QtAdWindows::searchPastAds(const Group* group) {
    QtDispatcher dispatcher;
    QtDesktop desktop(desktop_.frontWindow());
    PastAdsSearchController controller(desktop, gate_, dispatcher, folder_, project_, group);
    CDialogSearch dialog(controller, desktop_.frontWindow());
    desktop.bind(&dialog);
    // Results that arrive after the window closed are dropped.
    dispatcher.setReceiver(&dialog);
    if (dialog.exec() != QDialog::Accepted || !controller.selected()) return std::nullopt;
    return controller.results()[*controller.selected()].ad;
}

}  // namespace pw::ui
