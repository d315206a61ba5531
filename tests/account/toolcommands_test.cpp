// Every command line the program hands the account tool, byte for byte.

#include <gtest/gtest.h>

#include "account/geotargets.h"
#include "account/toolcommands.h"

namespace pw {
namespace {

AccountProfile plainProfile() {
    AccountProfile p;
    p.name = "main";
    p.email = "m@x.com";
    p.password = "pw";
    p.token = "tk";
    p.clientEmail = "c@x.com";
    // Filled in but switched off: never sent.
    p.proxyAddress = "10.0.0.1";
    p.proxyPort = 8080;
    return p;
}

AccountProfile proxyProfile() {
    AccountProfile p = plainProfile();
    p.useProxy = true;
    p.proxyType = 7;
    p.proxyUser = "pu";
    p.proxyPassword = "pp";
    return p;
}

const std::string kAccount =
    R"( -email="m@x.com" -password="pw" -token="tk" -clientEmail="c@x.com" -useragent="Phrasewright")";
const std::string kProxy = R"( -proxyType="http" -proxyHost="10.0.0.1" -proxyPort=8080 -proxyUser="pu" -proxyPassword="pp")";
const std::string kChangeOut = R"( -outfile="pwr_ga.out")";

AccountCampaign campaign() {
    AccountCampaign c;
    c.id = 42;
    c.name = "Spring";
    c.status = CampaignStatus::Paused;
    c.startDate = {1, 3, 2026};
    c.endDate = {31, 12, 2026};
    c.dailyBudget = 1234;
    c.showInGoogleSearch = true;
    c.showInContentNetwork = true;
    c.countries[countryIndexByName("UNITED STATES")] = true;
    c.countries[countryIndexByName("Germany")] = true;
    c.languages[0] = c.languages[1] = true;
    return c;
}
const std::string kCampaignOptions =
    R"( -name="Spring" -status="Paused" -startDate="2026/03/01" -endDate="2026/12/31" -dailyBudget="12340000")"
    R"( -countries="DE US" -languages="en de" -ShowInGoogleSearch="true" -ShowInNetworkSearch="false")"
    R"( -ShowInContentSearch="true" -SeparateContentBids="false")";

AccountAdGroup adGroup() {
    AccountAdGroup g;
    g.campaignId = 42;
    g.id = 7;
    g.name = "Shoes";
    g.maxCpc = 25;
    g.status = AdGroupStatus::Paused;
    return g;
}
const std::string kAdGroupOptions =
    R"( -name="Shoes" -maxCpc="250000" -maxCpm="0" -maxContentCpc="0" -status="Paused")";

AccountAd ad(std::string destination) {
    AccountAd a;
    a.id = 9;
    a.adGroupId = 7;
    a.headline = "Red shoes";
    a.description1 = "Soft leather";
    a.description2 = "Free delivery";
    a.displayUrl = "shoes.example";
    a.destinationUrl = std::move(destination);
    return a;
}
std::string adOptions(const std::string& destination) {
    return R"( -adGroupID="7" -headline="Red shoes" -descr1="Soft leather" -descr2="Free delivery")"
           R"( -displayURL="shoes.example" -destURL=")" +
           destination + R"(" -approved="true")";
}

struct Case {
    const char* action;
    CommandLine (*build)(const AccountProfile&);
    std::string before;  // up to the account options
    std::string after;   // after the account options
};

const Case kCases[] = {
    {"list campaigns", [](const AccountProfile& p) { return readCommand(p, {AccountRead::Campaigns}); },
     "Google/pwram  -action=listCampaigns", R"( -outfile="lc.out")"},
    {"list ad groups", [](const AccountProfile& p) { return readCommand(p, {AccountRead::AdGroups, 42}); },
     "Google/pwram  -action=listAdGroups -campaignID=42", R"( -outfile="lad.out")"},
    {"list keywords", [](const AccountProfile& p) { return readCommand(p, {AccountRead::Keywords, 42, 7}); },
     "Google/pwram  -action=listKeywords -campaignID=42 -adGroupID=7", R"( -outfile="lad.out")"},
    {"list ads", [](const AccountProfile& p) { return readCommand(p, {AccountRead::Ads, 0, 7}); },
     "Google/pwram  -action=listCreatives -adGroupID=7", R"( -outfile="lad.out")"},
    {"create campaign", [](const AccountProfile& p) { return createCampaignCommand(p, campaign()); },
     "Google/pwram  -action=createCampaign" + kCampaignOptions, kChangeOut},
    {"modify campaign", [](const AccountProfile& p) { return modifyCampaignCommand(p, campaign()); },
     "Google/pwram  -action=modifyCampaign -id=42" + kCampaignOptions, kChangeOut},
    {"delete campaign", [](const AccountProfile& p) { return deleteCampaignCommand(p, 42, "Spring"); },
     "Google/pwram  -action=modifyCampaign", kChangeOut + R"( -id=42 -name="Spring" -status="Deleted")"},
    {"create ad group", [](const AccountProfile& p) { return createAdGroupCommand(p, adGroup()); },
     "Google/pwram  -action=createAdGroup -campaignID=42" + kAdGroupOptions, kChangeOut},
    {"modify ad group", [](const AccountProfile& p) { return modifyAdGroupCommand(p, adGroup()); },
     "Google/pwram  -action=modifyAdGroup -id=7 -campaignID=42" + kAdGroupOptions, kChangeOut},
    {"set keywords",
     [](const AccountProfile& p) { return setAdGroupKeywordsCommand(p, 42, 7, "Shoes", "/d/Google/kw0.key"); },
     R"(Google/pwram  -action=modifyAdGroup -campaignID=42 -id=7 -name="Shoes" -keywordFile="/d/Google/kw0.key")",
     kChangeOut},
    {"create ad, no prefix", [](const AccountProfile& p) { return createAdCommand(p, ad("shoes.example/red")); },
     "Google/pwram  -action=createCreative" + adOptions("http://shoes.example/red"), kChangeOut},
    {"modify ad, prefixed",
     [](const AccountProfile& p) { return modifyAdCommand(p, ad("http://shoes.example/red")); },
     "Google/pwram  -action=modifyCreative -id=9" + adOptions("http://shoes.example/red"), kChangeOut},
    {"create ad, capital prefix",
     [](const AccountProfile& p) { return createAdCommand(p, ad("HTTP://shoes.example")); },
     "Google/pwram  -action=createCreative" + adOptions("http://HTTP://shoes.example"), kChangeOut},
    {"delete ad", [](const AccountProfile& p) { return deleteAdCommand(p, 9, 7, "Red shoes"); },
     R"(Google/pwram  -action=deleteCreative -id=9 -adGroupID=7 -name="Red shoes")", kChangeOut},
    {"upload one group",
     [](const AccountProfile& p) { return uploadGroupCommand(p, adGroup(), "/d/Google/42Shoes0.in", "/d/Google/kw1.key"); },
     R"(Google/pwram  -action=createAdGroup -campaignID=42 -parent -inTargetFile="/d/Google/42Shoes0.in")"
     R"( -keywordFile="/d/Google/kw1.key")" + kAdGroupOptions,
     kChangeOut},
    {"upload groups", [](const AccountProfile& p) { return uploadGroupsCommand(p, "/d/Google/420.in", "Spring"); },
     R"(Google/pwram  -batch=true -inFile="/d/Google/420.in" -todo=UploadGroups -parent -name="Spring")", kChangeOut},
    {"upload ads", [](const AccountProfile& p) { return uploadAdsCommand(p, "/d/Google/7Shoes0.in", "Shoes"); },
     R"(Google/pwram  -batch=true -todo=UploadAds -inFile="/d/Google/7Shoes0.in" -name="Shoes")", kChangeOut},
};

TEST(ToolCommands, EveryActionWithAndWithoutProxies) {
    for (const Case& c : kCases) {
        EXPECT_EQ(c.build(plainProfile()), c.before + kAccount + c.after) << c.action;
        EXPECT_EQ(c.build(proxyProfile()), c.before + kAccount + kProxy + c.after) << c.action << " (proxies)";
    }
}

TEST(ToolCommands, ProxyTypesAndMoney) {
    EXPECT_EQ(proxyTypeName(0), "http");
    EXPECT_EQ(proxyTypeName(1), "https");
    EXPECT_EQ(proxyTypeName(2), "socks");
    EXPECT_EQ(proxyTypeName(-1), "http");
    AccountAdGroup g = adGroup();
    g.maxCpc = 0;
    g.maxCpm = 2147483;  // cents × 10000 no longer fits 32 bits
    EXPECT_NE(createAdGroupCommand(plainProfile(), g)->find(R"( -maxCpc="0" -maxCpm="21474830000")"),
              std::string::npos);
}

TEST(ToolCommands, AllCountriesAndLanguagesInTableOrder) {
    AccountCampaign c = campaign();
    c.countries.fill(true);
    c.languages.fill(true);
    const std::string line = *createCampaignCommand(plainProfile(), c);
    EXPECT_NE(line.find(R"( -countries="AF AL AQ DZ AS )"), std::string::npos);
    EXPECT_NE(line.find(R"( YE CS ZM" )"), std::string::npos);
    EXPECT_NE(line.find(R"( -languages="en de fr es it ja da nl fi ko no pt sv zh-CN zh-TW ar )"), std::string::npos);
    EXPECT_NE(line.find(R"( tl et th" )"), std::string::npos);
}

TEST(ToolCommands, QuotesInValuesAreRefusedInsteadOfBreakingTheLine) {
    AccountCampaign c = campaign();
    c.name = R"(Say "hi")";
    EXPECT_FALSE(createCampaignCommand(plainProfile(), c));
    EXPECT_FALSE(deleteAdCommand(plainProfile(), 9, 7, "a\nb"));
    AccountProfile p = plainProfile();
    p.password = R"(pa"ss)";
    EXPECT_FALSE(readCommand(p, {AccountRead::Campaigns}));
    p = proxyProfile();
    p.proxyPassword = R"(x" -password="y)";
    EXPECT_FALSE(readCommand(p, {AccountRead::Campaigns}));
}

}  // namespace
}  // namespace pw
