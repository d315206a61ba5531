#pragma once
// phrasewright-cli account: account profiles and the reads of the advertising
// account, through the same account tool the windows use. Exit status: 0
// done, 1 failed, 2 no default profile, 3 the account tool refused (its text
// on stderr).

#include <optional>
#include <string>
#include <vector>

#include "account/toolcommands.h"
#include "app/cli/clicommands.h"

namespace pw::cli {

struct ProfileOptions {
    std::string name;
    std::string email;
    std::string password;  // "-": read from the first line of standard input
    std::string token;
    std::optional<std::string> clientEmail;
    bool makeDefault = false;
};

// Creates the profile, or updates the one of that name (its proxy settings stay).
int accountProfile(const Streams& io, const std::string& dataDir, const ProfileOptions& options);
// Every profile as JSON, without passwords or tokens.
int accountProfiles(const Streams& io, const std::string& dataDir);
// Runs the read with the default profile and prints its records as JSON.
int accountRead(const Streams& io, const std::string& dataDir, const ReadRequest& request);

struct UploadOptions {
    std::string project;
    int32_t campaignId = 0;
    std::vector<std::string> types{"broad"};  // broad, phrase, exact
    std::string maxCpc = "0.01";
    std::string maxCpm = "0.00";
    std::string maxContentCpc = "0.00";
    bool yes = false;  // answers the upload's warnings with Yes
};
struct CampaignOptions {
    std::string name;
    std::string dailyBudget;
    std::string start;  // YYYY/MM/DD; default today
    std::string end;    // default the last day of next year
    std::string status = "Active";
};

// The queued changes as JSON: action label, target label, failed.
int accountQueue(const Streams& io, const std::string& dataDir);
// Uploads every group of the project into the campaign (queued, not sent).
int accountUpload(const Streams& io, const std::string& dataDir, const UploadOptions& options);
// Queues a new campaign after the campaign editor's checks.
int accountCreateCampaign(const Streams& io, const std::string& dataDir, const CampaignOptions& options);
// Commits the queued changes (failed ones too with `all`) in the foreground;
// exit status 3 when any change failed. `project` gives the ads of the groups
// an upload creates.
int accountCommit(const Streams& io, const std::string& dataDir, bool all, const std::string& project);
// Deletes every queued change.
int accountClear(const Streams& io, const std::string& dataDir);

}  // namespace pw::cli
