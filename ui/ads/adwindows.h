#pragma once
// The ad windows the phase-4 ads area opens.

#include <optional>

#include "core/ad.h"
#include "core/group.h"

namespace pw::ui {

// What the ad editor opens on.
struct AdEditRequest {
    Ad* ad = nullptr;        // written only on "&Save ad"
    AdList* list = nullptr;  // the list that holds it (none for a new ad or a copy)
    bool newAd = false;
    bool copy = false;
    bool accountMode = false;
    const Group* group = nullptr;  // searched first by "Search..."
};

class AdWindows {
public:
    virtual ~AdWindows() = default;

    // The ad editor; true when the ad was saved or deleted.
    virtual bool editAd(const AdEditRequest& request) = 0;
    // "Manage ads lists"; true when an ad moved.
    virtual bool manageAdLists(Group& group) = 0;
    // "Search for past ads": the ad picked, or none.
    virtual std::optional<Ad> searchPastAds(const Group* group) = 0;
};

}  // namespace pw::ui
