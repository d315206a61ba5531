#include "ui/ads/adsareacontroller.h"
#include "ui/ads/messages.h"

#include <algorithm>
#include <variant>

namespace pw::ui {

PreviewScroll previewScroll(size_t ads, int previews) {
    const int n = static_cast<int>(ads);
    if (n < previews + 1) return {0, 2, false};
    return {n - previews + 1, 2, true};
}

AdsAreaController::AdsAreaController(Desktop& ui, CommandGate& gate, AdWindows& windows, const MenuActions& actions,
                                     std::function<Group*()> group, std::function<void()> modified)
    : ui_(ui),
      gate_(gate),
      windows_(windows),
      actions_(actions),
      group_(std::move(group)),
      modified_(std::move(modified)) {}

AdList* AdsAreaController::list() const {
    Group* g = group_();
    return g ? &g->adLists[kind_] : nullptr;
}

void AdsAreaController::setListKind(AdListKind kind) {
    gate_.run(Needs::Lists, [&] {
        kind_ = static_cast<AdListKind>(std::clamp(static_cast<int>(kind), 0, kAdListCount - 1));
        scroll_ = 0;
    });
}

void AdsAreaController::reset() {
    kind_ = AdListKind::Current;
    scroll_ = 0;
}

PreviewScroll AdsAreaController::scroll() const {
    const AdList* ads = list();
    return previewScroll(ads ? ads->size() : 0, kAreaPreviews);
}

void AdsAreaController::setScrollPosition(int position) {
    gate_.run(Needs::Lists, [&] { clampScroll(position); });
}

void AdsAreaController::clampScroll(int position) {
    const PreviewScroll s = scroll();
    // With the page of 2, the top row runs 0..maximum-1.
    scroll_ = s.enabled ? std::clamp(position, 0, s.maximum - 1) : 0;
}

const Ad* AdsAreaController::adAt(int preview) const {
    const AdList* ads = list();
    if (!ads || preview < 0 || preview >= kAreaPreviews || indexOf(preview) >= ads->size()) return nullptr;
    return &(*ads)[indexOf(preview)];
}

bool AdsAreaController::refuseWhenFull(const char* caption) {
    const AdList* ads = list();
    if (!ads || adListHasRoom(kind_, *ads)) return false;
    ui_.message(currentListFull(caption));
    return true;
}

void AdsAreaController::newAd() {
    gate_.run(Needs::Lists, [&] { addThroughEditor(Ad{}, AdOrigin::New); });
}

void AdsAreaController::addThroughEditor(Ad ad, AdOrigin origin) {
    AdList* ads = list();
    if (!ads || refuseWhenFull("Cannot add new ad")) return;
    const AdEditRequest request{.ad = std::move(ad), .origin = origin, .group = group_(), .list = kind_};
    if (const std::optional<AdEditResult> result = windows_.editAd(request)) applyEdit(request, *result);
}

void AdsAreaController::editAd(int preview) {
    gate_.run(Needs::Lists, [&] {
        const Ad* ad = adAt(preview);
        if (!ad) return;
        const AdEditRequest request{
            .ad = *ad, .origin = AdOrigin::Stored, .group = group_(), .list = kind_, .position = indexOf(preview)};
        if (const std::optional<AdEditResult> result = windows_.editAd(request)) applyEdit(request, *result);
    });
}

// The editor returns a copy; it goes back where the request says the ad
// stands. A new ad or a copy joins the end of the list.
void AdsAreaController::applyEdit(const AdEditRequest& request, const AdEditResult& result) {
    Group* group = group_();
    if (!group || group != request.group) return;
    AdList& ads = group->adLists[request.list];
    const bool stored = request.origin == AdOrigin::Stored;
    if (stored && request.position >= ads.size()) return;
    if (const Ad* saved = std::get_if<Ad>(&result)) {
        if (stored) ads[request.position] = *saved;
        else ads.push_back(*saved);
    } else if (stored) {
        ads.erase(ads.begin() + static_cast<long>(request.position));
    } else {
        return;
    }
    clampScroll(scroll_);  // a deleted ad shortens the list
    modified_();
}

void AdsAreaController::deleteAd(int preview) {
    gate_.run(Needs::Lists, [&] {
        AdList* ads = list();
        const Ad* ad = adAt(preview);
        if (!ad) return;
        if (ui_.message(confirmDeleteAd(ad->title)) != Answer::Yes)
            return;
        ads->erase(ads->begin() + static_cast<long>(indexOf(preview)));
        clampScroll(scroll_);
        modified_();
    });
}

void AdsAreaController::copyToNewAd(int preview) {
    gate_.run(Needs::Lists, [&] {
        if (const Ad* source = adAt(preview)) addThroughEditor(*source, AdOrigin::Copy);
    });
}

void AdsAreaController::copyFromAnotherAd(int preview) {
    gate_.run(Needs::Lists, [&] {
        AdList* ads = list();
        if (!adAt(preview)) return;
        const std::optional<Ad> found = windows_.searchPastAds(group_());
        if (!found) return;
        if (ui_.message(kOverwriteWithFoundAd) != Answer::Yes)
            return;
        (*ads)[indexOf(preview)] = *found;
        modified_();
    });
}

bool AdsAreaController::copyIntoEnabled(int preview) const {
    const Ad* ad = adAt(preview);
    return ad && ad->engine != SearchEngine::Msn && actions_.provided(MenuId::AdCopyIntoConsole);
}

void AdsAreaController::copyFromGoogle(int preview) {
    gate_.run(Needs::Lists, [&] {
        const Ad* stored = adAt(preview);
        if (!stored) return;
        Ad ad = *stored;
        if (!actions_.runOnAd(MenuId::AdCopyFromGoogle, ad, ad.engine)) return;
        (*list())[indexOf(preview)] = std::move(ad);
        modified_();
    });
}

void AdsAreaController::copyIntoConsole(int preview) {
    if (!copyIntoEnabled(preview)) return;
    gate_.run(Needs::Lists, [&] {
        Ad ad = *adAt(preview);
        actions_.runOnAd(MenuId::AdCopyIntoConsole, ad, ad.engine);
    });
}

void AdsAreaController::manageLists() {
    gate_.run(Needs::Lists, [&] {
        Group* g = group_();
        if (g && windows_.manageAdLists(*g)) {
            modified_();
            clampScroll(scroll_);
        }
    });
}

}  // namespace pw::ui
