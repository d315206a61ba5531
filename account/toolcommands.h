#pragma once
// The account tool's command line for every read and change. A line starts
// with the tool path and the action text (two blanks between them), then the
// entity options, the account options and the output option. A builder
// returns none when a text value holds a double quote or a line break, which
// would end its quoted value early.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "account/accountentities.h"
#include "account/accountprofile.h"

namespace pw {

using CommandLine = std::optional<std::string>;

// -email, -password, -token, -clientEmail, -useragent, then the proxy options
// when the profile's proxy switch is on.
bool appendAccountOptions(std::string& line, const AccountProfile& profile);
// -outfile="name".
bool appendOutputOption(std::string& line, std::string_view outputName);

// "http" for 0, "https" for 1, "socks" for 2, "http" for anything else.
std::string_view proxyTypeName(int32_t type);
// The destination URL as it goes out: "http://" in front unless it begins
// with exactly that (case-sensitive).
std::string outgoingDestinationUrl(std::string_view url);

enum class AccountRead { Campaigns, AdGroups, Keywords, Ads };
struct ReadRequest {
    AccountRead kind = AccountRead::Campaigns;
    int32_t campaignId = 0;
    int32_t adGroupId = 0;
};
// "lc.out" for campaigns, "lad.out" for the others.
std::string_view readOutputName(AccountRead kind);
// The answer goes to `outputName` (by default the kind's name above).
CommandLine readCommand(const AccountProfile& profile, const ReadRequest& request,
                        std::optional<std::string_view> outputName = std::nullopt);

// Changes: each line names "pwr_ga.out" and is meant for the change queue.
CommandLine createCampaignCommand(const AccountProfile& profile, const AccountCampaign& campaign);
CommandLine modifyCampaignCommand(const AccountProfile& profile, const AccountCampaign& campaign);
CommandLine deleteCampaignCommand(const AccountProfile& profile, int32_t campaignId, std::string_view campaignName);
CommandLine createAdGroupCommand(const AccountProfile& profile, const AccountAdGroup& adGroup);
CommandLine modifyAdGroupCommand(const AccountProfile& profile, const AccountAdGroup& adGroup);
CommandLine setAdGroupKeywordsCommand(const AccountProfile& profile, int32_t campaignId, int32_t adGroupId,
                                      std::string_view adGroupName, std::string_view keywordFilePath);
CommandLine createAdCommand(const AccountProfile& profile, const AccountAd& ad);
CommandLine modifyAdCommand(const AccountProfile& profile, const AccountAd& ad);
CommandLine deleteAdCommand(const AccountProfile& profile, int32_t adId, int32_t adGroupId, std::string_view headline);
// One project group into a campaign; the ad group's options follow the files.
CommandLine uploadGroupCommand(const AccountProfile& profile, const AccountAdGroup& adGroup,
                               std::string_view targetFilePath, std::string_view keywordFilePath);
CommandLine uploadGroupsCommand(const AccountProfile& profile, std::string_view batchFilePath,
                                std::string_view campaignName);
CommandLine uploadAdsCommand(const AccountProfile& profile, std::string_view batchFilePath,
                             std::string_view adGroupName);

}  // namespace pw
