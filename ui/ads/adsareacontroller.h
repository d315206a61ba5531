#pragma once
// Phase 4's ads area of the main window: the ad list chosen in "Select ad
// list:", three previews with a scroll bar, "New ad", the previews' clicks
// and menu, and "Manage ads lists".

#include <functional>
#include <optional>

#include "ads/adlists.h"
#include "core/group.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"
#include "ui/common/menuactions.h"

namespace pw::ui {

constexpr int kAreaPreviews = 3;

// A scroll bar over a list of previews: range 0..max with a page step,
// disabled when every ad already shows.
struct PreviewScroll {
    int maximum = 0;
    int page = 2;
    bool enabled = false;
};
PreviewScroll previewScroll(size_t ads, int previews);

class AdsAreaController {
public:
    // `group` gives the group of the selected tab (none on the main list);
    // `modified` marks the project changed. Every command reads the group's
    // ad lists, so each passes `gate` as one that needs the lists.
    AdsAreaController(Desktop& ui, CommandGate& gate, AdWindows& windows, const MenuActions& actions,
                      std::function<Group*()> group, std::function<void()> modified);

    AdListKind listKind() const { return kind_; }
    void setListKind(AdListKind kind);
    int scrollPosition() const { return scroll_; }
    void setScrollPosition(int position);
    PreviewScroll scroll() const;
    // The ad a preview shows, or none (a blank preview).
    const Ad* adAt(int preview) const;
    // Call when another group is shown (the main window's own step, not a command).
    void reset();

    void newAd();
    void editAd(int preview);
    void deleteAd(int preview);
    void copyToNewAd(int preview);
    void copyFromAnotherAd(int preview);
    // The preview menu's web commands on the stored ad, greyed until a
    // feature supplies them ("Copy into MSN" always). A result picked in the
    // top-ads search replaces the stored ad's texts.
    bool copyFromGoogleEnabled() const { return actions_.provided(MenuId::AdCopyFromGoogle); }
    bool copyIntoEnabled(int preview) const;
    void copyFromGoogle(int preview);
    void copyIntoConsole(int preview);
    void manageLists();

private:
    AdList* list() const;
    void clampScroll(int position);
    bool refuseWhenFull(const char* caption);
    void addThroughEditor(Ad ad, AdOrigin origin);
    void applyEdit(const AdEditRequest& request, const AdEditResult& result);
    size_t indexOf(int preview) const { return static_cast<size_t>(scroll_ + preview); }

    Desktop& ui_;
    CommandGate& gate_;
    AdWindows& windows_;
    const MenuActions& actions_;
    std::function<Group*()> group_;
    std::function<void()> modified_;
    AdListKind kind_ = AdListKind::Current;
    int scroll_ = 0;
};

}  // namespace pw::ui
