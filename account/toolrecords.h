#pragma once
// The records of the account tool's output files ("lc.out", "lad.out",
// "pwr_ga.out"): readers for the program and writers for the tool, so that
// both ends agree on every key. Lines end with CR LF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "account/accountentities.h"

namespace pw {

// Each reader starts at `pos`, reads the next record of its kind and on
// success leaves `pos` after the record's last value. False when there is no
// further readable record (no marker, a key missing or out of order, a value
// that does not convert, no end line); the caller stops there.
bool readCampaignRecord(std::string_view text, size_t& pos, AccountCampaign& campaign);
bool readAdGroupRecord(std::string_view text, size_t& pos, AccountAdGroup& adGroup);
bool readAdRecord(std::string_view text, size_t& pos, AccountAd& ad);
bool readKeywordRecord(std::string_view text, size_t& pos, AccountKeyword& keyword);

struct CreatedAdGroup {
    int32_t id = 0;
    std::string name;
    bool operator==(const CreatedAdGroup&) const = default;
};
// The next "DEFINE CREATE_ADGROUP" record with an id above 0, or none.
std::optional<CreatedAdGroup> readCreatedAdGroup(std::string_view text, size_t& pos);

// Every record of a kind from the start of the text up to the first one that
// cannot be read.
std::vector<AccountCampaign> readCampaignRecords(std::string_view text);
std::vector<AccountAdGroup> readAdGroupRecords(std::string_view text);
std::vector<AccountAd> readAdRecords(std::string_view text);
std::vector<AccountKeyword> readKeywordRecords(std::string_view text);
std::vector<CreatedAdGroup> readCreatedAdGroups(std::string_view text);

// The tool's side.
std::string campaignRecord(const AccountCampaign& campaign);
std::string adGroupRecord(const AccountAdGroup& adGroup);
std::string adRecord(const AccountAd& ad);
std::string keywordRecord(const AccountKeyword& keyword);
std::string createdAdGroupRecord(const CreatedAdGroup& created);

// The line by which the tool reports a refusal.
constexpr std::string_view kToolErrorMarker = "GOOGLE_API_ERROR: ";
std::string toolErrorLine(std::string_view message);

}  // namespace pw
