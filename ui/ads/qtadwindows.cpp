#include "ui/ads/qtadwindows.h"

#include "ui/ads/addialogs.h"
#include "ui/ads/adeditorcontroller.h"
#include "ui/ads/dialogeditad.h"
#include "ui/ads/managelistscontroller.h"
#include "ui/ads/pastadssearchcontroller.h"
#include "ui/common/qtdispatcher.h"

namespace pw::ui {

std::optional<AdEditResult> QtAdWindows::editAd(const AdEditRequest& request) {
    AdEditorController controller(desktop_, gate_, request);
    CDialogEditAd dialog(controller, *this, request.group, desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.result();
}

bool QtAdWindows::manageAdLists(Group& group) {
    ManageListsController controller(desktop_, gate_, group);
    CDialogManageLists dialog(controller, desktop_.parent());
    dialog.exec();
    return controller.changed();
}

std::optional<Ad> QtAdWindows::searchPastAds(const Group* group) {
    QtDispatcher dispatcher;
    PastAdsSearchController controller(desktop_, gate_, dispatcher, folder_, project_, group);
    CDialogSearch dialog(controller, desktop_.parent());
    // Results that arrive after the window closed are dropped.
    dispatcher.setReceiver(&dialog);
    if (dialog.exec() != QDialog::Accepted || !controller.selected()) return std::nullopt;
    return controller.results()[*controller.selected()].ad;
}

}  // namespace pw::ui
