#pragma once
// The windows of the advertising account: the profile chooser, editor and
// rename dialog, the account manager and the campaign editor. Each returns
// what the user chose; the controllers apply it.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "account/accountentities.h"
#include "account/accountprofile.h"
#include "account/projectupload.h"
#include "core/ad.h"

namespace pw::ui {

// Appends one change's command line to the change queue; true when the line
// is queued afterwards. Supplied by whoever owns the queue.
using QueueChange = std::function<bool(const std::string& commandLine)>;

class AccountWindows {
public:
    virtual ~AccountWindows() = default;

    // "Select Google profile".
    virtual void chooseProfile() = 0;
    // "Manage Google profile": the edited record on "Save", none on "Cancel".
    virtual std::optional<AccountProfile> editProfile(const AccountProfile& profile, bool nameEditable) = 0;
    // "Rename profile": the entered name on "OK", none on "Cancel".
    virtual std::optional<std::string> renameProfile(const std::string& name) = 0;
    // "Google Manager" on the default profile.
    virtual void manageAccount() = 0;
    // "Manage Google Campaign": the edited campaign on "Save", none on "Cancel".
    virtual std::optional<AccountCampaign> editCampaign(const AccountCampaign& campaign, bool newCampaign) = 0;
    // "Manage Ad Groups" on one campaign of the default profile.
    virtual void manageAdGroups(int32_t campaignId, const std::string& campaignName) = 0;
    // The change list ("Commit changes", "Delete uncommited changes") with the
    // caller's caption and OK text: the lines left selected on OK, in file
    // order; none on Cancel.
    virtual std::optional<std::vector<std::string>> listChanges(const std::string& caption, const std::string& okText,
                                                                const std::vector<std::string>& lines) = 0;
    // "Set default properties": the bids and match types on OK, none on
    // Cancel. In types-only mode the bids are not asked for.
    virtual std::optional<KeywordTypesChoice> chooseKeywordTypes(bool typesOnly) = 0;
    // "Select Ad" over the open project's groups: a copy of the ad clicked,
    // none when the window is closed.
    virtual std::optional<Ad> chooseProjectAd() = 0;
};

}  // namespace pw::ui
