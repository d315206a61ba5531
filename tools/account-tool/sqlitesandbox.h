#pragma once
// The sandbox advertising account: one SQLite database in the tool's working
// folder, created on first use, holding one account per manager account and
// client account. A run is one transaction: begun when the database opens,
// kept only by commit(), rolled back when the run ends any other way
// (refused, crashed or killed).

#include <sqlite3.h>

#include <nlohmann/json.hpp>

#include <string>

#include "tools/account-tool/accountservice.h"

namespace pw::tool {

constexpr const char* kSandboxDatabase = "pwram-sandbox.sqlite";

class SqliteSandbox : public AccountService {
public:
    // Throws ServiceRefusal when the database cannot be opened.
    explicit SqliteSandbox(const std::string& path);
    ~SqliteSandbox() override;
    SqliteSandbox(const SqliteSandbox&) = delete;
    SqliteSandbox& operator=(const SqliteSandbox&) = delete;

    void login(const Login& login) override;

    std::vector<AccountCampaign> listCampaigns() override;
    std::optional<AccountCampaign> findCampaign(int32_t id) override;
    AccountCampaign createCampaign(const AccountCampaign& campaign) override;
    AccountCampaign modifyCampaign(const AccountCampaign& campaign) override;

    std::vector<AccountAdGroup> listAdGroups(int32_t campaignId) override;
    std::optional<AccountAdGroup> findAdGroup(int32_t id) override;
    AccountAdGroup createAdGroup(const AccountAdGroup& adGroup) override;
    AccountAdGroup modifyAdGroup(const AccountAdGroup& adGroup) override;

    std::vector<AccountKeyword> listKeywords(int32_t adGroupId) override;
    void setKeywords(int32_t adGroupId, const std::vector<AccountKeyword>& keywords) override;

    std::vector<AccountAd> listAds(int32_t adGroupId) override;
    std::optional<AccountAd> findAd(int32_t id) override;
    AccountAd createAd(const AccountAd& ad) override;
    AccountAd modifyAd(const AccountAd& ad) override;

    void commit() override;

    // Every account with its campaigns, ad groups, keywords and ads; no passwords.
    nlohmann::ordered_json dump();

private:
    void exec(const char* sql);
    void requireLogin() const;
    void requireUniqueCampaignName(const AccountCampaign& campaign);
    void requireUniqueAdGroupName(const AccountAdGroup& adGroup);
    AccountCampaign campaignWithId(int32_t id);
    AccountAdGroup adGroupWithId(int32_t id);

    sqlite3* db_ = nullptr;
    int64_t accountId_ = 0;
    bool committed_ = false;
};

}  // namespace pw::tool
