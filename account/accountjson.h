#pragma once
// The account's entities as JSON, for the command line and the sandbox's dump.
// Money in cents, dates as YYYY-MM-DD, country and language sets as their
// blank-separated codes.

#include <nlohmann/json.hpp>

#include "account/accountentities.h"
#include "account/accountprofile.h"

namespace pw {

nlohmann::ordered_json toJson(const AccountCampaign& campaign);
nlohmann::ordered_json toJson(const AccountAdGroup& adGroup);
nlohmann::ordered_json toJson(const AccountAd& ad);
nlohmann::ordered_json toJson(const AccountKeyword& keyword);
// Everything but the passwords and the token.
nlohmann::ordered_json toJson(const AccountProfile& profile);

template <typename Entity>
nlohmann::ordered_json toJsonArray(const std::vector<Entity>& entities) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const Entity& e : entities) array.push_back(toJson(e));
    return array;
}

}  // namespace pw
