#include "account/accountjson.h"

#include "account/geotargets.h"
#include "account/toolcommands.h"

namespace pw {

using Json = nlohmann::ordered_json;

Json toJson(const AccountCampaign& c) {
    return {{"id", c.id},
            {"name", c.name},
            {"status", campaignStatusName(c.status)},
            {"startDate", formatDate(c.startDate, '-')},
            {"endDate", formatDate(c.endDate, '-')},
            {"dailyBudget", c.dailyBudget},
            {"countries", countryCodeList(c.countries)},
            {"languages", languageCodeList(c.languages)},
            {"showInGoogleSearch", c.showInGoogleSearch},
            {"showInNetworkSearch", c.showInNetworkSearch},
            {"showInContentNetwork", c.showInContentNetwork},
            {"separateContentBids", c.separateContentBids}};
}

Json toJson(const AccountAdGroup& g) {
    return {{"id", g.id},
            {"campaignId", g.campaignId},
            {"name", g.name},
            {"status", adGroupStatusName(g.status)},
            {"maxCpc", g.maxCpc},
            {"maxCpm", g.maxCpm},
            {"maxContentCpc", g.maxContentCpc}};
}

Json toJson(const AccountAd& a) {
    return {{"id", a.id},
            {"adGroupId", a.adGroupId},
            {"headline", a.headline},
            {"description1", a.description1},
            {"description2", a.description2},
            {"displayUrl", a.displayUrl},
            {"destinationUrl", a.destinationUrl},
            {"deleted", a.deleted},
            {"approved", a.approved}};
}

Json toJson(const AccountKeyword& k) {
    return {{"text", k.text}, {"matchType", matchTypeName(k.matchType)}, {"bid", k.bid}};
}

Json toJson(const AccountProfile& p) {
    Json json{{"name", p.name}, {"managerAccount", p.email}, {"clientAccount", p.clientEmail}, {"useProxy", p.useProxy}};
    if (p.useProxy) {
        json["proxyType"] = proxyTypeName(p.proxyType);
        json["proxyAddress"] = p.proxyAddress;
        json["proxyPort"] = p.proxyPort;
    }
    return json;
}

}  // namespace pw
