#pragma once
// The ad windows the phase-4 ads area opens.

#include <cstddef>
#include <optional>
#include <variant>

#include "core/ad.h"
#include "core/group.h"

namespace pw::ui {

// Where the ad the editor opens on comes from: a new ad starts blank, a
// copy starts as its source, and only a stored ad can be deleted.
enum class AdOrigin { Stored, New, Copy };

// What the ad editor opens on: a copy of the ad and where it stands. The
// editor returns what the user did; the caller applies it.
struct AdEditRequest {
    Ad ad;
    AdOrigin origin = AdOrigin::New;
    const Group* group = nullptr;  // the group it belongs to, searched first by "Search..."
    AdListKind list = AdListKind::Current;
    size_t position = 0;  // in `list`, for a stored ad
    bool accountMode = false;  // an ad of the advertising account, not of the project
};

// "Delete ad" in the editor.
struct AdDeleted {
    bool operator==(const AdDeleted&) const = default;
};
// What the user did in the ad editor: the ad saved, or deleted.
using AdEditResult = std::variant<Ad, AdDeleted>;

class AdWindows {
public:
    virtual ~AdWindows() = default;

    // The ad editor: what the user did, or none on "Cancel".
    virtual std::optional<AdEditResult> editAd(const AdEditRequest& request) = 0;
    // "Manage ads lists"; true when an ad moved.
    virtual bool manageAdLists(Group& group) = 0;
    // "Search for past ads": the ad picked, or none.
    virtual std::optional<Ad> searchPastAds(const Group* group) = 0;
};

}  // namespace pw::ui
