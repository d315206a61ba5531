#include "ui/ads/managelistscontroller.h"
#include "ui/ads/messages.h"

#include <algorithm>

#include "ui/ads/adsareacontroller.h"

namespace pw::ui {

ManageListsController::ManageListsController(Desktop& ui, CommandGate& gate, Group& group)
    : group_(group), ui_(ui), gate_(gate) {}

void ManageListsController::choosePaneList(int pane, AdListKind kind) {
    gate_.run(Needs::Nothing, [&] {
        kinds_[pane] = static_cast<AdListKind>(std::clamp(static_cast<int>(kind), 0, kAdListCount - 1));
        const int other = 1 - pane;
        if (kinds_[other] == kinds_[pane])
            kinds_[other] = static_cast<AdListKind>((static_cast<int>(kinds_[other]) + 1) % kAdListCount);
        scroll_[0] = scroll_[1] = 0;
        selection_.reset();
    });
}

PreviewScroll ManageListsController::paneScrollRange(int pane) const {
    return previewScroll(group_.adLists[kinds_[pane]].size(), kPanePreviews);
}

void ManageListsController::setPaneScroll(int pane, int position) {
    gate_.run(Needs::Lists, [&] { clampPaneScroll(pane, position); });
}

void ManageListsController::clampPaneScroll(int pane, int position) {
    const PreviewScroll s = paneScrollRange(pane);
    scroll_[pane] = s.enabled ? std::clamp(position, 0, s.maximum - 1) : 0;
}

const Ad* ManageListsController::adAt(int pane, int preview) const {
    const AdList& list = group_.adLists[kinds_[pane]];
    const size_t index = static_cast<size_t>(scroll_[pane] + preview);
    return preview >= 0 && preview < kPanePreviews && index < list.size() ? &list[index] : nullptr;
}

bool ManageListsController::selected(int pane, int preview) const {
    return selection_ && selection_->first == pane &&
           selection_->second == static_cast<size_t>(scroll_[pane] + preview);
}

// A click on an empty preview clears the selection.
void ManageListsController::clickPreview(int pane, int preview) {
    gate_.run(Needs::Lists, [&] {
        if (!adAt(pane, preview)) {
            selection_.reset();
            return;
        }
        if (selected(pane, preview)) selection_.reset();
        else selection_ = std::make_pair(pane, static_cast<size_t>(scroll_[pane] + preview));
    });
}

void ManageListsController::move(int fromPane) {
    gate_.run(Needs::Lists, [&] {
        if (!selection_ || selection_->first != fromPane) {
            ui_.message(kSelectAdToMove);
            return;
        }
        const AdListKind toKind = kinds_[1 - fromPane];
        AdList& target = group_.adLists[toKind];
        if (!adListHasRoom(toKind, target)) {
            ui_.message(currentListFull("Cannot move ad"));
            return;
        }
        moveAd(group_.adLists[kinds_[fromPane]], selection_->second, target);
        selection_.reset();
        clampPaneScroll(0, scroll_[0]);
        clampPaneScroll(1, scroll_[1]);
        changed_ = true;
    });
}

}  // namespace pw::ui
