#pragma once
// What the advertising service refuses, as the sandbox checks it. Each check
// throws ServiceRefusal with the service's message.

#include <vector>

#include "account/accountentities.h"
#include "tools/account-tool/accountservice.h"

namespace pw::tool {

constexpr size_t kMaxKeywordsPerAdGroup = 2000;
constexpr size_t kMaxKeywordCharacters = 80;
constexpr size_t kMaxKeywordWords = 10;

// Today's date (UTC), the reference for end dates in the past.
AccountDate today();

void checkCampaign(const AccountCampaign& campaign, const AccountDate& today);
void checkAdGroup(const AccountAdGroup& adGroup);
void checkKeywords(const std::vector<AccountKeyword>& keywords);
// The Google limits of the ad editor, counted in characters.
void checkAd(const AccountAd& ad);

}  // namespace pw::tool
