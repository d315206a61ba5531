#pragma once
// What "Manage ads lists" (CDialogManageLists) does: two panes that never
// show the same list, one selected ad at most, and moves between the panes
// that keep the current list at three ads.

#include <optional>

#include "ads/adlists.h"
#include "core/group.h"
#include "ui/ads/adsareacontroller.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"

namespace pw::ui {

constexpr int kPanePreviews = 5;

class ManageListsController {
public:
    // The commands that read or move the group's ads pass `gate` as ones
    // that need the lists.
    ManageListsController(Desktop& ui, CommandGate& gate, Group& group);

    AdListKind paneList(int pane) const { return kinds_[pane]; }
    // The other pane moves on to the next list when it showed this one.
    void choosePaneList(int pane, AdListKind kind);
    int paneScroll(int pane) const { return scroll_[pane]; }
    // The pane's scroll bar: enabled from six ads on.
    PreviewScroll paneScrollRange(int pane) const;
    void setPaneScroll(int pane, int position);
    const Ad* adAt(int pane, int preview) const;
    bool selected(int pane, int preview) const;
    // A click selects the ad, or clears it when it was the selected one.
    void clickPreview(int pane, int preview);
    // Moves the selected ad of `fromPane` to the end of the other pane's list.
    void move(int fromPane);
    bool changed() const { return changed_; }

private:
    void clampPaneScroll(int pane, int position);

    Group& group_;
    Desktop& ui_;
    CommandGate& gate_;
    AdListKind kinds_[2] = {AdListKind::Current, AdListKind::Effective};
    int scroll_[2] = {0, 0};
    std::optional<std::pair<int, size_t>> selection_;  // pane and index in its list
    bool changed_ = false;
};

}  // namespace pw::ui
