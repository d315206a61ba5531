#include "tools/account-tool/sandboxrules.h"

#include <ctime>

#include "ads/adlists.h"

namespace pw::tool {

namespace {

[[noreturn]] void refuse(const std::string& message) { throw ServiceRefusal(message); }

void checkLength(std::string_view what, std::string_view text, AdField field) {
    const size_t limit = static_cast<size_t>(adFieldLimit(SearchEngine::Google, field));
    if (characterCount(text) > limit)
        refuse(std::string(what) + " is longer than " + std::to_string(limit) + " characters");
}

}  // namespace

AccountDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return {utc.tm_mday, utc.tm_mon + 1, utc.tm_year + 1900};
}

void checkCampaign(const AccountCampaign& c, const AccountDate& todayDate) {
    if (c.name.empty()) refuse("A campaign needs a name");
    if (characterCount(c.name) > kNameCharacters) refuse("The campaign name is longer than 126 characters");
    if (c.status == CampaignStatus::Unknown) refuse("Unknown campaign status");
    if (!isValidDate(c.startDate) || !isValidDate(c.endDate)) refuse("The campaign needs a valid start and end date");
    // A deleted campaign keeps the end date it had.
    if (c.status != CampaignStatus::Deleted && compareDates(c.endDate, todayDate) < 0)
        refuse("Can't set the campaign end date to the past");
    if (compareDates(c.endDate, c.startDate) < 0) refuse("The campaign end date is before its start date");
    if (c.dailyBudget < 1) refuse("The daily budget must be at least one cent");
}

void checkAdGroup(const AccountAdGroup& g) {
    if (g.name.empty()) refuse("An ad group needs a name");
    if (!isUploadableText(g.name)) refuse("The ad group name '" + g.name + "' holds ';', '/', a tab or a line break");
    if (characterCount(g.name) > kNameCharacters) refuse("The ad group name is longer than 126 characters");
    if (g.status == AdGroupStatus::Unknown) refuse("Unknown ad group status");
    if (g.maxCpc < 0 || g.maxCpm < 0 || g.maxContentCpc < 0) refuse("A bid cannot be negative");
    if (g.maxCpc >= 1 && g.maxCpm >= 1) refuse("An ad group cannot have both a maximum CPC and a maximum CPM");
    if (g.maxCpc < 1 && g.maxCpm < 1) refuse("The maximum CPC or CPM of an ad group must be at least one cent");
}

void checkKeywords(const std::vector<AccountKeyword>& keywords) {
    if (keywords.size() > kMaxKeywordsPerAdGroup)
        refuse("An ad group cannot have more than 2000 keywords (" + std::to_string(keywords.size()) + " given)");
    for (const AccountKeyword& k : keywords) {
        if (k.text.empty()) refuse("A keyword cannot be empty");
        if (!isUploadableText(k.text)) refuse("The keyword '" + k.text + "' holds ';', '/', a tab or a line break");
        if (characterCount(k.text) > kMaxKeywordCharacters)
            refuse("The keyword '" + k.text + "' is longer than 80 characters");
        if (wordCount(k.text) > kMaxKeywordWords) refuse("The keyword '" + k.text + "' has more than 10 words");
        if (k.bid < 0) refuse("The bid of the keyword '" + k.text + "' is negative");
    }
}

void checkAd(const AccountAd& ad) {
    if (ad.headline.empty()) refuse("An ad needs a headline");
    if (ad.displayUrl.empty()) refuse("An ad needs a display URL");
    checkLength("The headline", ad.headline, AdField::Title);
    checkLength("Description line 1", ad.description1, AdField::Text1);
    checkLength("Description line 2", ad.description2, AdField::Text2);
    checkLength("The display URL", ad.displayUrl, AdField::DisplayUrl);
    checkLength("The destination URL", ad.destinationUrl, AdField::DestinationUrl);
}

}  // namespace pw::tool
