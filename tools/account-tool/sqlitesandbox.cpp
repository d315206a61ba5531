#include "tools/account-tool/sqlitesandbox.h"

#include <sys/stat.h>

#include "account/accountjson.h"
#include "account/geotargets.h"
#include "tools/account-tool/sandboxrules.h"

namespace pw::tool {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS managers (
  email TEXT PRIMARY KEY, password TEXT NOT NULL, token TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS accounts (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  manager_email TEXT NOT NULL REFERENCES managers(email),
  client_email TEXT NOT NULL,
  UNIQUE (manager_email, client_email));
CREATE TABLE IF NOT EXISTS campaigns (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  account_id INTEGER NOT NULL REFERENCES accounts(id),
  name TEXT NOT NULL, status TEXT NOT NULL,
  start_date TEXT NOT NULL, end_date TEXT NOT NULL,
  daily_budget INTEGER NOT NULL,
  countries TEXT NOT NULL, languages TEXT NOT NULL,
  show_in_google_search INTEGER NOT NULL, show_in_network_search INTEGER NOT NULL,
  show_in_content_network INTEGER NOT NULL, separate_content_bids INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS ad_groups (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  campaign_id INTEGER NOT NULL REFERENCES campaigns(id),
  name TEXT NOT NULL, status TEXT NOT NULL,
  max_cpc INTEGER NOT NULL, max_cpm INTEGER NOT NULL, max_content_cpc INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS keywords (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  ad_group_id INTEGER NOT NULL REFERENCES ad_groups(id),
  text TEXT NOT NULL, match_type TEXT NOT NULL, bid INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS ads (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  ad_group_id INTEGER NOT NULL REFERENCES ad_groups(id),
  headline TEXT NOT NULL, description1 TEXT NOT NULL, description2 TEXT NOT NULL,
  display_url TEXT NOT NULL, destination_url TEXT NOT NULL,
  deleted INTEGER NOT NULL, approved INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS ad_groups_by_campaign ON ad_groups(campaign_id);
CREATE INDEX IF NOT EXISTS keywords_by_ad_group ON keywords(ad_group_id);
CREATE INDEX IF NOT EXISTS ads_by_ad_group ON ads(ad_group_id);
)sql";

// One prepared statement; values bound by position from 1.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            throw ServiceRefusal(std::string("Sandbox database error: ") + sqlite3_errmsg(db));
        db_ = db;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int64_t value) {
        sqlite3_bind_int64(stmt_, ++index_, value);
        return *this;
    }
    Statement& bind(std::string_view value) {
        sqlite3_bind_text(stmt_, ++index_, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // True while there is a row.
    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw ServiceRefusal(std::string("Sandbox database error: ") + sqlite3_errmsg(db_));
    }
    void run() { step(); }
    int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    int32_t id(int column) const { return static_cast<int32_t>(sqlite3_column_int64(stmt_, column)); }
    std::string text(int column) const {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return bytes ? std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    int index_ = 0;
};

[[noreturn]] void refuse(const std::string& message) { throw ServiceRefusal(message); }

int32_t checkedId(int64_t id) {
    if (id > INT32_MAX) refuse("The sandbox account has run out of ids");
    return static_cast<int32_t>(id);
}

AccountDate storedDate(const std::string& text) { return parseDate(text).value_or(AccountDate{}); }

constexpr const char* kCampaignColumns =
    "id, name, status, start_date, end_date, daily_budget, countries, languages, show_in_google_search, "
    "show_in_network_search, show_in_content_network, separate_content_bids";

AccountCampaign campaignFromRow(const Statement& s) {
    AccountCampaign c;
    c.id = s.id(0);
    c.name = s.text(1);
    c.status = campaignStatusFromName(s.text(2));
    c.startDate = storedDate(s.text(3));
    c.endDate = storedDate(s.text(4));
    c.dailyBudget = microsToCents(s.integer(5));
    c.countries = parseCountryCodeList(s.text(6)).value_or(decltype(c.countries){});
    c.languages = parseLanguageCodeList(s.text(7)).value_or(decltype(c.languages){});
    c.showInGoogleSearch = s.integer(8) != 0;
    c.showInNetworkSearch = s.integer(9) != 0;
    c.showInContentNetwork = s.integer(10) != 0;
    c.separateContentBids = s.integer(11) != 0;
    return c;
}

void bindCampaignValues(Statement& s, const AccountCampaign& c) {
    s.bind(c.name)
        .bind(campaignStatusName(c.status))
        .bind(formatDate(c.startDate, '-'))
        .bind(formatDate(c.endDate, '-'))
        .bind(centsToMicros(c.dailyBudget))
        .bind(countryCodeList(c.countries))
        .bind(languageCodeList(c.languages))
        .bind(int64_t{c.showInGoogleSearch})
        .bind(int64_t{c.showInNetworkSearch})
        .bind(int64_t{c.showInContentNetwork})
        .bind(int64_t{c.separateContentBids});
}

constexpr const char* kAdGroupColumns =
    "g.id, g.campaign_id, g.name, g.status, g.max_cpc, g.max_cpm, g.max_content_cpc";

AccountAdGroup adGroupFromRow(const Statement& s) {
    AccountAdGroup g;
    g.id = s.id(0);
    g.campaignId = s.id(1);
    g.name = s.text(2);
    g.status = adGroupStatusFromName(s.text(3));
    g.maxCpc = microsToCents(s.integer(4));
    g.maxCpm = microsToCents(s.integer(5));
    g.maxContentCpc = microsToCents(s.integer(6));
    return g;
}

void bindAdGroupValues(Statement& s, const AccountAdGroup& g) {
    s.bind(g.name)
        .bind(adGroupStatusName(g.status))
        .bind(centsToMicros(g.maxCpc))
        .bind(centsToMicros(g.maxCpm))
        .bind(centsToMicros(g.maxContentCpc));
}

constexpr const char* kAdColumns =
    "a.id, a.ad_group_id, a.headline, a.description1, a.description2, a.display_url, a.destination_url, a.deleted, "
    "a.approved";

AccountAd adFromRow(const Statement& s) {
    AccountAd ad;
    ad.id = s.id(0);
    ad.adGroupId = s.id(1);
    ad.headline = s.text(2);
    ad.description1 = s.text(3);
    ad.description2 = s.text(4);
    ad.displayUrl = s.text(5);
    ad.destinationUrl = s.text(6);
    ad.deleted = s.integer(7) != 0;
    ad.approved = s.integer(8) != 0;
    return ad;
}

void bindAdValues(Statement& s, const AccountAd& ad) {
    s.bind(ad.headline)
        .bind(ad.description1)
        .bind(ad.description2)
        .bind(ad.displayUrl)
        .bind(ad.destinationUrl)
        .bind(int64_t{ad.deleted})
        .bind(int64_t{ad.approved});
}

}  // namespace

SqliteSandbox::SqliteSandbox(const std::string& path) {
    // The database holds passwords: for the user alone.
    const mode_t old = ::umask(077);
    const int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    ::umask(old);
    if (rc != SQLITE_OK) {
        const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        refuse("Cannot open the sandbox account database '" + path + "': " + why);
    }
    sqlite3_busy_timeout(db_, 10000);
    try {
        exec("PRAGMA foreign_keys = ON");
        exec("BEGIN IMMEDIATE");
        exec(kSchema);
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

SqliteSandbox::~SqliteSandbox() {
    if (!db_) return;
    if (!committed_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
}

void SqliteSandbox::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown";
        sqlite3_free(error);
        refuse("Sandbox database error: " + message);
    }
}

void SqliteSandbox::commit() {
    exec("COMMIT");
    committed_ = true;
}

void SqliteSandbox::login(const Login& login) {
    if (login.email.empty()) refuse("The login email is missing");
    if (login.password.empty()) refuse("The password is missing");
    if (login.token.empty()) refuse("The developer token is missing");
    Statement find(db_, "SELECT password, token FROM managers WHERE email = ?");
    find.bind(login.email);
    if (find.step()) {
        if (find.text(0) != login.password) refuse("The login email or password is not valid");
        if (find.text(1) != login.token) refuse("The developer token is not valid");
    } else {
        // A manager account seen for the first time gets its own sandbox.
        Statement add(db_, "INSERT INTO managers (email, password, token) VALUES (?, ?, ?)");
        add.bind(login.email).bind(login.password).bind(login.token).run();
    }
    Statement insert(db_, "INSERT OR IGNORE INTO accounts (manager_email, client_email) VALUES (?, ?)");
    insert.bind(login.email).bind(login.clientEmail).run();
    Statement account(db_, "SELECT id FROM accounts WHERE manager_email = ? AND client_email = ?");
    account.bind(login.email).bind(login.clientEmail);
    account.step();
    accountId_ = account.integer(0);
}

void SqliteSandbox::requireLogin() const {
    if (accountId_ == 0) refuse("Not logged in");
}

std::vector<AccountCampaign> SqliteSandbox::listCampaigns() {
    requireLogin();
    Statement s(db_, (std::string("SELECT ") + kCampaignColumns + " FROM campaigns WHERE account_id = ? ORDER BY id")
                         .c_str());
    s.bind(accountId_);
    std::vector<AccountCampaign> campaigns;
    while (s.step()) campaigns.push_back(campaignFromRow(s));
    return campaigns;
}

std::optional<AccountCampaign> SqliteSandbox::findCampaign(int32_t id) {
    requireLogin();
    Statement s(db_, (std::string("SELECT ") + kCampaignColumns + " FROM campaigns WHERE id = ? AND account_id = ?")
                         .c_str());
    s.bind(int64_t{id}).bind(accountId_);
    if (!s.step()) return std::nullopt;
    return campaignFromRow(s);
}

AccountCampaign SqliteSandbox::campaignWithId(int32_t id) {
    auto campaign = findCampaign(id);
    if (!campaign) refuse("There is no campaign with the id " + std::to_string(id));
    return *campaign;
}

void SqliteSandbox::requireUniqueCampaignName(const AccountCampaign& c) {
    if (c.status == CampaignStatus::Deleted) return;
    Statement s(db_, "SELECT 1 FROM campaigns WHERE account_id = ? AND name = ? AND id <> ? AND status <> 'Deleted'");
    s.bind(accountId_).bind(c.name).bind(int64_t{c.id});
    if (s.step()) refuse("A campaign named '" + c.name + "' already exists");
}

AccountCampaign SqliteSandbox::createCampaign(const AccountCampaign& campaign) {
    requireLogin();
    AccountCampaign c = campaign;
    c.id = 0;
    checkCampaign(c, today());
    requireUniqueCampaignName(c);
    Statement s(db_,
                "INSERT INTO campaigns (account_id, name, status, start_date, end_date, daily_budget, countries, "
                "languages, show_in_google_search, show_in_network_search, show_in_content_network, "
                "separate_content_bids) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    s.bind(accountId_);
    bindCampaignValues(s, c);
    s.run();
    c.id = checkedId(sqlite3_last_insert_rowid(db_));
    return c;
}

AccountCampaign SqliteSandbox::modifyCampaign(const AccountCampaign& campaign) {
    campaignWithId(campaign.id);
    checkCampaign(campaign, today());
    requireUniqueCampaignName(campaign);
    Statement s(db_,
                "UPDATE campaigns SET name = ?, status = ?, start_date = ?, end_date = ?, daily_budget = ?, "
                "countries = ?, languages = ?, show_in_google_search = ?, show_in_network_search = ?, "
                "show_in_content_network = ?, separate_content_bids = ? WHERE id = ?");
    bindCampaignValues(s, campaign);
    s.bind(int64_t{campaign.id}).run();
    return campaign;
}

std::vector<AccountAdGroup> SqliteSandbox::listAdGroups(int32_t campaignId) {
    campaignWithId(campaignId);
    Statement s(db_, (std::string("SELECT ") + kAdGroupColumns + " FROM ad_groups g WHERE g.campaign_id = ? ORDER BY g.id")
                         .c_str());
    s.bind(int64_t{campaignId});
    std::vector<AccountAdGroup> groups;
    while (s.step()) groups.push_back(adGroupFromRow(s));
    return groups;
}

std::optional<AccountAdGroup> SqliteSandbox::findAdGroup(int32_t id) {
    requireLogin();
    Statement s(db_, (std::string("SELECT ") + kAdGroupColumns +
                      " FROM ad_groups g JOIN campaigns c ON c.id = g.campaign_id WHERE g.id = ? AND c.account_id = ?")
                         .c_str());
    s.bind(int64_t{id}).bind(accountId_);
    if (!s.step()) return std::nullopt;
    return adGroupFromRow(s);
}

AccountAdGroup SqliteSandbox::adGroupWithId(int32_t id) {
    auto group = findAdGroup(id);
    if (!group) refuse("There is no ad group with the id " + std::to_string(id));
    return *group;
}

void SqliteSandbox::requireUniqueAdGroupName(const AccountAdGroup& g) {
    if (g.status == AdGroupStatus::Deleted) return;
    Statement s(db_, "SELECT 1 FROM ad_groups WHERE campaign_id = ? AND name = ? AND id <> ? AND status <> 'Deleted'");
    s.bind(int64_t{g.campaignId}).bind(g.name).bind(int64_t{g.id});
    if (s.step()) refuse("An ad group named '" + g.name + "' already exists in this campaign");
}

AccountAdGroup SqliteSandbox::createAdGroup(const AccountAdGroup& adGroup) {
    campaignWithId(adGroup.campaignId);
    AccountAdGroup g = adGroup;
    g.id = 0;
    checkAdGroup(g);
    requireUniqueAdGroupName(g);
    Statement s(db_,
                "INSERT INTO ad_groups (campaign_id, name, status, max_cpc, max_cpm, max_content_cpc) "
                "VALUES (?, ?, ?, ?, ?, ?)");
    s.bind(int64_t{g.campaignId});
    bindAdGroupValues(s, g);
    s.run();
    g.id = checkedId(sqlite3_last_insert_rowid(db_));
    return g;
}

AccountAdGroup SqliteSandbox::modifyAdGroup(const AccountAdGroup& adGroup) {
    const AccountAdGroup stored = adGroupWithId(adGroup.id);
    if (stored.campaignId != adGroup.campaignId)
        refuse("The ad group " + std::to_string(adGroup.id) + " does not belong to the campaign " +
               std::to_string(adGroup.campaignId));
    checkAdGroup(adGroup);
    requireUniqueAdGroupName(adGroup);
    Statement s(db_, "UPDATE ad_groups SET name = ?, status = ?, max_cpc = ?, max_cpm = ?, max_content_cpc = ? "
                     "WHERE id = ?");
    bindAdGroupValues(s, adGroup);
    s.bind(int64_t{adGroup.id}).run();
    return adGroup;
}

std::vector<AccountKeyword> SqliteSandbox::listKeywords(int32_t adGroupId) {
    adGroupWithId(adGroupId);
    Statement s(db_, "SELECT text, match_type, bid FROM keywords WHERE ad_group_id = ? ORDER BY id");
    s.bind(int64_t{adGroupId});
    std::vector<AccountKeyword> keywords;
    while (s.step()) keywords.push_back({s.text(0), matchTypeFromName(s.text(1)), microsToCents(s.integer(2))});
    return keywords;
}

void SqliteSandbox::setKeywords(int32_t adGroupId, const std::vector<AccountKeyword>& keywords) {
    adGroupWithId(adGroupId);
    checkKeywords(keywords);
    Statement clear(db_, "DELETE FROM keywords WHERE ad_group_id = ?");
    clear.bind(int64_t{adGroupId}).run();
    for (const AccountKeyword& k : keywords) {
        Statement s(db_, "INSERT INTO keywords (ad_group_id, text, match_type, bid) VALUES (?, ?, ?, ?)");
        s.bind(int64_t{adGroupId}).bind(k.text).bind(matchTypeName(k.matchType)).bind(centsToMicros(k.bid)).run();
    }
}

std::vector<AccountAd> SqliteSandbox::listAds(int32_t adGroupId) {
    adGroupWithId(adGroupId);
    Statement s(db_, (std::string("SELECT ") + kAdColumns + " FROM ads a WHERE a.ad_group_id = ? ORDER BY a.id").c_str());
    s.bind(int64_t{adGroupId});
    std::vector<AccountAd> ads;
    while (s.step()) ads.push_back(adFromRow(s));
    return ads;
}

std::optional<AccountAd> SqliteSandbox::findAd(int32_t id) {
    requireLogin();
    Statement s(db_, (std::string("SELECT ") + kAdColumns +
                      " FROM ads a JOIN ad_groups g ON g.id = a.ad_group_id JOIN campaigns c ON c.id = g.campaign_id"
                      " WHERE a.id = ? AND c.account_id = ?")
                         .c_str());
    s.bind(int64_t{id}).bind(accountId_);
    if (!s.step()) return std::nullopt;
    return adFromRow(s);
}

AccountAd SqliteSandbox::createAd(const AccountAd& ad) {
    adGroupWithId(ad.adGroupId);
    AccountAd a = ad;
    a.id = 0;
    a.deleted = false;
    checkAd(a);
    Statement s(db_,
                "INSERT INTO ads (ad_group_id, headline, description1, description2, display_url, destination_url, "
                "deleted, approved) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    s.bind(int64_t{a.adGroupId});
    bindAdValues(s, a);
    s.run();
    a.id = checkedId(sqlite3_last_insert_rowid(db_));
    return a;
}

AccountAd SqliteSandbox::modifyAd(const AccountAd& ad) {
    const auto stored = findAd(ad.id);
    if (!stored) refuse("There is no ad with the id " + std::to_string(ad.id));
    if (stored->deleted) refuse("The ad " + std::to_string(ad.id) + " has been deleted");
    adGroupWithId(ad.adGroupId);
    if (!ad.deleted) checkAd(ad);
    Statement s(db_,
                "UPDATE ads SET headline = ?, description1 = ?, description2 = ?, display_url = ?, "
                "destination_url = ?, deleted = ?, approved = ?, ad_group_id = ? WHERE id = ?");
    bindAdValues(s, ad);
    s.bind(int64_t{ad.adGroupId}).bind(int64_t{ad.id}).run();
    return ad;
}

nlohmann::ordered_json SqliteSandbox::dump() {
    using Json = nlohmann::ordered_json;
    Json accounts = Json::array();
    Statement list(db_, "SELECT id, manager_email, client_email FROM accounts ORDER BY id");
    while (list.step()) {
        accountId_ = list.integer(0);
        Json campaigns = Json::array();
        for (const AccountCampaign& c : listCampaigns()) {
            Json groups = Json::array();
            for (const AccountAdGroup& g : listAdGroups(c.id)) {
                Json group = toJson(g);
                group["keywords"] = toJsonArray(listKeywords(g.id));
                group["ads"] = toJsonArray(listAds(g.id));
                groups.push_back(std::move(group));
            }
            Json campaign = toJson(c);
            campaign["adGroups"] = std::move(groups);
            campaigns.push_back(std::move(campaign));
        }
        accounts.push_back({{"managerAccount", list.text(1)}, {"clientAccount", list.text(2)}, {"campaigns", campaigns}});
    }
    accountId_ = 0;
    return Json{{"accounts", accounts}};
}

}  // namespace pw::tool
