#pragma once
// The advertising account as the tool's command-line side sees it. The
// sandbox keeps it in SQLite; a back end for the real service would implement
// the same calls. Every call of one run belongs to one unit of work that
// takes effect only with commit(); a refusal throws ServiceRefusal with the
// service's message, and nothing of the run is kept.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "account/accountentities.h"

namespace pw::tool {

struct ServiceRefusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Login {
    std::string email;
    std::string password;
    std::string token;
    std::string clientEmail;
};

class AccountService {
public:
    virtual ~AccountService() = default;

    // Opens the account of the manager account (and client account, when given).
    virtual void login(const Login& login) = 0;

    virtual std::vector<AccountCampaign> listCampaigns() = 0;
    virtual std::optional<AccountCampaign> findCampaign(int32_t id) = 0;
    virtual AccountCampaign createCampaign(const AccountCampaign& campaign) = 0;
    virtual AccountCampaign modifyCampaign(const AccountCampaign& campaign) = 0;

    virtual std::vector<AccountAdGroup> listAdGroups(int32_t campaignId) = 0;
    virtual std::optional<AccountAdGroup> findAdGroup(int32_t id) = 0;
    virtual AccountAdGroup createAdGroup(const AccountAdGroup& adGroup) = 0;
    virtual AccountAdGroup modifyAdGroup(const AccountAdGroup& adGroup) = 0;

    virtual std::vector<AccountKeyword> listKeywords(int32_t adGroupId) = 0;
    // Replaces every keyword of the ad group.
    virtual void setKeywords(int32_t adGroupId, const std::vector<AccountKeyword>& keywords) = 0;

    // Deleted ads stay, with their flag.
    virtual std::vector<AccountAd> listAds(int32_t adGroupId) = 0;
    virtual std::optional<AccountAd> findAd(int32_t id) = 0;
    virtual AccountAd createAd(const AccountAd& ad) = 0;
    virtual AccountAd modifyAd(const AccountAd& ad) = 0;

    virtual void commit() = 0;
};

}  // namespace pw::tool
