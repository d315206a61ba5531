#include "account/toolcommands.h"

#include "account/accountfolder.h"
#include "account/geotargets.h"
#include "account/toolcommandline.h"

namespace pw {

namespace {

constexpr std::string_view kProductName = "Phrasewright";

// Builds one line and remembers whether every quoted value could be quoted.
class LineBuilder {
public:
    explicit LineBuilder(std::string_view action) {
        line_.append(kToolCommandPath).append(" ").append(action);
    }
    LineBuilder& raw(std::string_view text) {
        line_.append(text);
        return *this;
    }
    LineBuilder& quoted(std::string_view name, std::string_view value) {
        ok_ = ok_ && isQuotableValue(value);
        line_.append(" -").append(name).append("=\"").append(value).append("\"");
        return *this;
    }
    LineBuilder& number(std::string_view name, int64_t value) {
        line_.append(" -").append(name).append("=").append(std::to_string(value));
        return *this;
    }
    LineBuilder& quotedNumber(std::string_view name, int64_t value) { return quoted(name, std::to_string(value)); }
    LineBuilder& flag(std::string_view name, bool on) { return quoted(name, on ? "true" : "false"); }
    LineBuilder& account(const AccountProfile& profile) {
        ok_ = ok_ && accountValuesQuotable(profile);
        appendAccountOptions(line_, profile);
        return *this;
    }
    LineBuilder& output(std::string_view name) {
        appendOutputOption(line_, name);
        return *this;
    }
    CommandLine done() const { return ok_ ? CommandLine(line_) : std::nullopt; }

private:
    static bool accountValuesQuotable(const AccountProfile& p) {
        bool ok = isQuotableValue(p.email) && isQuotableValue(p.password) && isQuotableValue(p.token) &&
                  isQuotableValue(p.clientEmail);
        if (p.useProxy)
            ok = ok && isQuotableValue(p.proxyAddress) && isQuotableValue(p.proxyUser) &&
                 isQuotableValue(p.proxyPassword);
        return ok;
    }

    std::string line_;
    bool ok_ = true;
};

LineBuilder& campaignOptions(LineBuilder& b, const AccountCampaign& c) {
    return b.quoted("name", c.name)
        .quoted("status", campaignStatusName(c.status))
        .quoted("startDate", formatDate(c.startDate, '/'))
        .quoted("endDate", formatDate(c.endDate, '/'))
        .quotedNumber("dailyBudget", centsToMicros(c.dailyBudget))
        .quoted("countries", countryCodeList(c.countries))
        .quoted("languages", languageCodeList(c.languages))
        .flag("ShowInGoogleSearch", c.showInGoogleSearch)
        .flag("ShowInNetworkSearch", c.showInNetworkSearch)
        .flag("ShowInContentSearch", c.showInContentNetwork)
        .flag("SeparateContentBids", c.separateContentBids);
}

LineBuilder& adGroupOptions(LineBuilder& b, const AccountAdGroup& g) {
    return b.quoted("name", g.name)
        .quotedNumber("maxCpc", centsToMicros(g.maxCpc))
        .quotedNumber("maxCpm", centsToMicros(g.maxCpm))
        .quotedNumber("maxContentCpc", centsToMicros(g.maxContentCpc))
        .quoted("status", adGroupStatusName(g.status));
}

LineBuilder& adOptions(LineBuilder& b, const AccountAd& ad) {
    return b.quotedNumber("adGroupID", ad.adGroupId)
        .quoted("headline", ad.headline)
        .quoted("descr1", ad.description1)
        .quoted("descr2", ad.description2)
        .quoted("displayURL", ad.displayUrl)
        .quoted("destURL", outgoingDestinationUrl(ad.destinationUrl))
        .quoted("approved", "true");
}

CommandLine change(LineBuilder& b, const AccountProfile& profile) {
    return b.account(profile).output(kChangeOutput).done();
}

}  // namespace

std::string_view proxyTypeName(int32_t type) {
    switch (type) {
    case 1: return "https";
    case 2: return "socks";
    default: return "http";
    }
}

std::string outgoingDestinationUrl(std::string_view url) {
    if (url.starts_with("http://")) return std::string(url);
    return "http://" + std::string(url);
}

bool appendAccountOptions(std::string& line, const AccountProfile& p) {
    auto quoted = [&](std::string_view name, std::string_view value) {
        line.append(" -").append(name).append("=\"").append(value).append("\"");
    };
    quoted("email", p.email);
    quoted("password", p.password);
    quoted("token", p.token);
    quoted("clientEmail", p.clientEmail);
    quoted("useragent", kProductName);
    if (p.useProxy) {
        quoted("proxyType", proxyTypeName(p.proxyType));
        quoted("proxyHost", p.proxyAddress);
        line.append(" -proxyPort=").append(std::to_string(p.proxyPort));
        quoted("proxyUser", p.proxyUser);
        quoted("proxyPassword", p.proxyPassword);
    }
    return true;
}

bool appendOutputOption(std::string& line, std::string_view outputName) {
    line.append(" -outfile=\"").append(outputName).append("\"");
    return true;
}

std::string_view readOutputName(AccountRead kind) {
    return kind == AccountRead::Campaigns ? kCampaignListOutput : kAccountListOutput;
}

CommandLine readCommand(const AccountProfile& profile, const ReadRequest& r, std::optional<std::string_view> outputName) {
    LineBuilder b(" -action=");
    switch (r.kind) {
    case AccountRead::Campaigns: b.raw("listCampaigns"); break;
    case AccountRead::AdGroups: b.raw("listAdGroups").number("campaignID", r.campaignId); break;
    case AccountRead::Keywords:
        b.raw("listKeywords").number("campaignID", r.campaignId).number("adGroupID", r.adGroupId);
        break;
    case AccountRead::Ads: b.raw("listCreatives").number("adGroupID", r.adGroupId); break;
    }
    return b.account(profile).output(outputName.value_or(readOutputName(r.kind))).done();
}

CommandLine createCampaignCommand(const AccountProfile& profile, const AccountCampaign& campaign) {
    LineBuilder b(" -action=createCampaign");
    return change(campaignOptions(b, campaign), profile);
}

CommandLine modifyCampaignCommand(const AccountProfile& profile, const AccountCampaign& campaign) {
    LineBuilder b(" -action=modifyCampaign");
    b.number("id", campaign.id);
    return change(campaignOptions(b, campaign), profile);
}

CommandLine deleteCampaignCommand(const AccountProfile& profile, int32_t campaignId, std::string_view campaignName) {
    // The account and output options come before the campaign's here.
    LineBuilder b(" -action=modifyCampaign");
    return b.account(profile)
        .output(kChangeOutput)
        .number("id", campaignId)
        .quoted("name", campaignName)
        .quoted("status", "Deleted")
        .done();
}

CommandLine createAdGroupCommand(const AccountProfile& profile, const AccountAdGroup& adGroup) {
    LineBuilder b(" -action=createAdGroup");
    b.number("campaignID", adGroup.campaignId);
    return change(adGroupOptions(b, adGroup), profile);
}

CommandLine modifyAdGroupCommand(const AccountProfile& profile, const AccountAdGroup& adGroup) {
    LineBuilder b(" -action=modifyAdGroup");
    b.number("id", adGroup.id).number("campaignID", adGroup.campaignId);
    return change(adGroupOptions(b, adGroup), profile);
}

CommandLine setAdGroupKeywordsCommand(const AccountProfile& profile, int32_t campaignId, int32_t adGroupId,
                                      std::string_view adGroupName, std::string_view keywordFilePath) {
    LineBuilder b(" -action=modifyAdGroup");
    b.number("campaignID", campaignId).number("id", adGroupId).quoted("name", adGroupName).quoted("keywordFile",
                                                                                                  keywordFilePath);
    return change(b, profile);
}

CommandLine createAdCommand(const AccountProfile& profile, const AccountAd& ad) {
    LineBuilder b(" -action=createCreative");
    return change(adOptions(b, ad), profile);
}

CommandLine modifyAdCommand(const AccountProfile& profile, const AccountAd& ad) {
    LineBuilder b(" -action=modifyCreative");
    b.number("id", ad.id);
    return change(adOptions(b, ad), profile);
}

CommandLine deleteAdCommand(const AccountProfile& profile, int32_t adId, int32_t adGroupId, std::string_view headline) {
    LineBuilder b(" -action=deleteCreative");
    b.number("id", adId).number("adGroupID", adGroupId).quoted("name", headline);
    return change(b, profile);
}

CommandLine uploadGroupCommand(const AccountProfile& profile, const AccountAdGroup& adGroup,
                               std::string_view targetFilePath, std::string_view keywordFilePath) {
    LineBuilder b(" -action=createAdGroup");
    b.number("campaignID", adGroup.campaignId)
        .raw(" -parent")
        .quoted("inTargetFile", targetFilePath)
        .quoted("keywordFile", keywordFilePath);
    return change(adGroupOptions(b, adGroup), profile);
}

CommandLine uploadGroupsCommand(const AccountProfile& profile, std::string_view batchFilePath,
                                std::string_view campaignName) {
    LineBuilder b(" -batch=true");
    b.quoted("inFile", batchFilePath).raw(" -todo=UploadGroups -parent").quoted("name", campaignName);
    return change(b, profile);
}

CommandLine uploadAdsCommand(const AccountProfile& profile, std::string_view batchFilePath,
                             std::string_view adGroupName) {
    LineBuilder b(" -batch=true -todo=UploadAds");
    b.quoted("inFile", batchFilePath).quoted("name", adGroupName);
    return change(b, profile);
}

}  // namespace pw
