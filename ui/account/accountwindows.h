#pragma once
// The windows of the advertising account: the profile chooser, editor and
// rename dialog, the account manager and the campaign editor. Each returns
// what the user chose; the controllers apply it.

#include <functional>
#include <optional>
#include <string>

#include "account/accountentities.h"
#include "account/accountprofile.h"

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
    // "Manage Google Campaign": true when the campaign was saved into the record.
    virtual bool editCampaign(AccountCampaign& campaign, bool newCampaign) = 0;
};

}  // namespace pw::ui
