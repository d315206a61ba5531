#pragma once
// The account's entities as the account tool reports and receives them:
// campaigns, ad groups, ads and keywords, with their status names, match
// types, dates and money. Texts are bounded by the buffer sizes the tool's
// records allow (the size includes the terminating NUL).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ad.h"

namespace pw {

constexpr int kCountryCount = 239;
constexpr int kLanguageCount = 41;

struct AccountDate {
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
    bool operator==(const AccountDate&) const = default;
};
// year > 0, month 1..12, day 1..31; the month's length is not checked.
bool isValidDate(const AccountDate& date);
// "2006/02/31" on command lines ('/'), "2006.02.31" in lists ('.').
std::string formatDate(const AccountDate& date, char separator);
// The first ten characters: digits at 0-3, 5-6 and 8-9, any separators.
std::optional<AccountDate> parseDate(std::string_view text);
// Orders two dates (year, month, day): <0, 0, >0.
int compareDates(const AccountDate& a, const AccountDate& b);

// Money: whole cents in memory, cents × 10000 (micro-units) towards the tool.
constexpr int64_t kMicrosPerCent = 10000;
constexpr int64_t centsToMicros(int32_t cents) { return static_cast<int64_t>(cents) * kMicrosPerCent; }
// Truncated toward zero, as the tool's values are read back.
constexpr int32_t microsToCents(int64_t micros) { return static_cast<int32_t>(micros / kMicrosPerCent); }

enum class CampaignStatus : int32_t { Active = 0, Deleted, Ended, Paused, Pending, Suspended, Unknown };
enum class AdGroupStatus : int32_t { Enabled = 0, Paused, Deleted, Unknown };
enum class MatchType : int32_t { Broad = 0, Phrase = 1, Exact = 2 };

constexpr std::array<std::string_view, 6> kCampaignStatusNames = {"Active",  "Deleted", "Ended",
                                                                  "Paused",  "Pending", "Suspended"};
constexpr std::array<std::string_view, 3> kAdGroupStatusNames = {"Enabled", "Paused", "Deleted"};
constexpr std::array<std::string_view, 3> kMatchTypeNames = {"Broad", "Phrase", "Exact"};

// Name lookups ignore case; an unknown name gives Unknown (6 and 3).
CampaignStatus campaignStatusFromName(std::string_view name);
AdGroupStatus adGroupStatusFromName(std::string_view name);
// The name, or "" for Unknown and out-of-range values.
std::string_view campaignStatusName(CampaignStatus status);
std::string_view adGroupStatusName(AdGroupStatus status);
// "Broad" 0, "Phrase" 1, anything else Exact, without regard to case.
MatchType matchTypeFromName(std::string_view name);
std::string_view matchTypeName(MatchType type);

// The longest campaign or ad group name, in characters (UTF-8 held): the
// editors take no more, the account tool keeps as many, and the reader
// takes whatever the tool sends.
constexpr size_t kNameCharacters = 126;
// A typed campaign or ad group name as it is taken: at most 126 characters,
// without blanks at either end (the account reads names back trimmed).
std::string_view takenAccountName(std::string_view typed);

struct AccountCampaign {

    int32_t id = 0;
    std::string name;
    CampaignStatus status = CampaignStatus::Active;
    AccountDate startDate;
    AccountDate endDate;
    int32_t dailyBudget = 0;  // cents
    bool showInGoogleSearch = false;
    bool showInNetworkSearch = false;
    bool showInContentNetwork = false;
    bool separateContentBids = false;
    std::array<bool, kCountryCount> countries{};
    std::array<bool, kLanguageCount> languages{};
    bool operator==(const AccountCampaign&) const = default;
};

struct AccountAdGroup {

    int32_t campaignId = 0;
    int32_t id = 0;
    std::string name;
    int32_t maxCpc = 0;  // cents
    int32_t maxCpm = 0;
    int32_t maxContentCpc = 0;
    AdGroupStatus status = AdGroupStatus::Enabled;
    bool operator==(const AccountAdGroup&) const = default;
};

struct AccountAd {
    static constexpr size_t kHeadlineSize = 128;
    static constexpr size_t kDescriptionSize = 256;
    static constexpr size_t kUrlSize = 2048;

    int32_t id = 0;
    int32_t adGroupId = 0;
    int32_t campaignId = 0;  // only for ads taken from the project; never sent
    std::string headline;
    std::string description1;
    std::string description2;
    std::string displayUrl;
    std::string destinationUrl;
    bool deleted = false;
    bool approved = false;
    bool operator==(const AccountAd&) const = default;
};
// An account ad from a project ad (its five texts), and back for the editor.
AccountAd accountAdFromAd(const Ad& ad);
Ad adFromAccountAd(const AccountAd& ad);

struct AccountKeyword {
    static constexpr size_t kTextSize = 256;
    static constexpr size_t kTextKept = 254;

    std::string text;  // without match-type marks
    MatchType matchType = MatchType::Broad;
    int32_t bid = 0;  // cents
    bool operator==(const AccountKeyword&) const = default;
};

// Keyword text forms: broad plain, phrase "in quotes", exact [in brackets].
// A text over 253 characters is cut to 253 before the marks are looked at.
AccountKeyword keywordFromTextForm(std::string_view form);
std::string keywordTextForm(const AccountKeyword& keyword);
// "text/Broad/500000": the entry of a keyword file, bid in micro-units.
std::string keywordFileEntry(const AccountKeyword& keyword);
// The entries separated by ";", none after the last.
std::string keywordFileText(const std::vector<AccountKeyword>& keywords);
// Reads a keyword file's text back; none when an entry is malformed (fewer
// than three parts, an unknown match type, a bid that is not a whole number).
std::optional<std::vector<AccountKeyword>> parseKeywordFileText(std::string_view text);

// False for a keyword text or ad group name that would break the keyword
// file or the batch file of an upload: ";", "/", a tab or a line break. The
// upload refuses such texts before writing and the account tool refuses them too.
bool isUploadableText(std::string_view text);
// A name the account tool keeps as it is given and reads back the same: not
// blank, no blank at either end (answers are read trimmed), no double quote
// (values go between quotes unescaped) and no line break.
bool isFaithfulName(std::string_view name);

// Characters (UTF-8 sequences count once) and words (blank-separated).
size_t characterCount(std::string_view text);
size_t wordCount(std::string_view text);
// The longest prefix of at most `bytes` bytes that does not split a character.
std::string_view cutWhole(std::string_view text, size_t bytes);

}  // namespace pw
