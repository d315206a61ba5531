// Reading the tool's output files, and the text forms the records carry.

#include <gtest/gtest.h>

#include "account/geotargets.h"
#include "account/toolrecords.h"

namespace pw {
namespace {

std::string campaignText(const std::string& start, const std::string& budget, const std::string& geo,
                         const std::string& languages = R"("en")") {
    return "DEFINE CAMPAIGN\r\nID = 5\r\nName = Spring sale \r\nStatus = paused\r\nStartDay = " + start +
           "\r\nEndDay = 2026-12-31\r\nDailyBudget = " + budget + "\r\nGeoTargeting = " + geo +
           "\r\nLanguageTargeting = " + languages +
           "\r\nShowInGoogleSearch = TRUE\r\nShowInNetworkSearch = false\r\nShowInContentSearch = yes\r\n"
           "SeparateContentBids = true\r\nEND CAMPAIGN\r\n";
}

int setCount(const auto& flags) { return static_cast<int>(std::count(flags.begin(), flags.end(), true)); }

TEST(ToolRecords, CampaignValues) {
    const auto campaigns = readCampaignRecords("junk before\r\n" + campaignText("2006-02-31", "1239999", R"("us")"));
    ASSERT_EQ(campaigns.size(), 1u);
    const AccountCampaign& c = campaigns[0];
    EXPECT_EQ(c.id, 5);
    EXPECT_EQ(c.name, "Spring sale");
    EXPECT_EQ(c.status, CampaignStatus::Paused);
    EXPECT_EQ(c.startDate, (AccountDate{31, 2, 2006}));  // the month's length is not checked
    EXPECT_EQ(c.dailyBudget, 123);                       // micro-units truncated toward zero
    EXPECT_EQ(setCount(c.countries), 1);
    EXPECT_TRUE(c.countries[countryIndexByName("united states")]);
    EXPECT_EQ(setCount(c.languages), 1);
    EXPECT_TRUE(c.showInGoogleSearch);
    EXPECT_FALSE(c.showInNetworkSearch);
    EXPECT_FALSE(c.showInContentNetwork);
    EXPECT_TRUE(c.separateContentBids);
}

TEST(ToolRecords, CountryListsThatTargetEverything) {
    for (const char* geo : {"", R"("USA")", R"("XX" "")"}) {
        const auto campaigns = readCampaignRecords(campaignText("2006-01-01", "0", geo));
        ASSERT_EQ(campaigns.size(), 1u) << geo;
        EXPECT_EQ(setCount(campaigns[0].countries), kCountryCount) << geo;
    }
}

TEST(ToolRecords, UnreadableCampaignEndsTheList) {
    const std::string good = campaignText("2006-01-01", "0", R"("DE")");
    for (const std::string& bad : {campaignText("2006-13-01", "0", ""), campaignText("2006-01-01", "0", R"("GERMA")"),
                                   campaignText("2006-01-01", "0", R"("DE)"), campaignText("06-1-1", "0", ""),
                                   campaignText("2006-01-01", "lots", ""),
                                   campaignText("2006-01-01", "99999999999999999", ""),
                                   campaignText("2006-01-01", "0", "", R"("abcdefghijklmn")")}) {
        EXPECT_EQ(readCampaignRecords(good + bad + good).size(), 1u) << bad;
    }
    std::string unknownStatus = good;
    unknownStatus.replace(unknownStatus.find("paused"), 6, "Sleeping");
    EXPECT_TRUE(readCampaignRecords(unknownStatus).empty());
    EXPECT_TRUE(readCampaignRecords(good.substr(0, good.find("END CAMPAIGN"))).empty());
}

// Names are read whatever their length in bytes: none hides the campaigns after it.
TEST(ToolRecords, LongNamesAreReadAndHideNothing) {
    const std::string good = campaignText("2006-01-01", "0", R"("DE")");
    std::string japanese;
    for (int i = 0; i < 43; ++i) japanese += "\xE6\x97\xA5";
    const std::string longName = "DEFINE CAMPAIGN\r\nID = 1\r\nName = " + japanese + "\r\n" +
                                 good.substr(good.find("Status"));
    const auto campaigns = readCampaignRecords(longName + good);
    ASSERT_EQ(campaigns.size(), 2u);
    EXPECT_EQ(campaigns[0].name, japanese);
}

TEST(ToolRecords, AdGroupsAndKeywords) {
    const std::string groups =
        "DEFINE ADGROUP\r\nID = 7\r\nCampaign ID = 5\r\nName = Shoes\r\nStatus = enabled\r\nMaxCpc = 250000\r\n"
        "MaxCpm = 0\r\nMaxContentCpc = 9999\r\nEND ADGROUP\r\n"
        "DEFINE ADGROUP\r\nID = 8\r\nCampaign ID = 5\r\nName = Bad\r\nStatus = Gone\r\nMaxCpc = 0\r\n"
        "MaxCpm = 0\r\nMaxContentCpc = 0\r\nEND ADGROUP\r\n";
    const auto read = readAdGroupRecords(groups);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], (AccountAdGroup{5, 7, "Shoes", 25, 0, 0, AdGroupStatus::Enabled}));

    std::string keywords;
    for (const char* type : {"Broad", "PHRASE", "exact", "fuzzy"})
        keywords += std::string("DEFINE KEYWORD\r\nText = red shoes\r\nType = ") + type +
                    "\r\nMaxCpc = 500000\r\nEND KEYWORD\r\n";
    const auto k = readKeywordRecords(keywords);
    ASSERT_EQ(k.size(), 4u);
    EXPECT_EQ(k[0].matchType, MatchType::Broad);
    EXPECT_EQ(k[1].matchType, MatchType::Phrase);
    EXPECT_EQ(k[2].matchType, MatchType::Exact);
    EXPECT_EQ(k[3].matchType, MatchType::Exact);
    EXPECT_EQ(k[0].bid, 50);
}

std::string adText(const std::string& headline) {
    return "DEFINE CREATIVE\r\nID = 3\r\nHeadline = " + headline +
           "\r\nAdGroupID = 7\r\nDecription1 = Soft\r\nDecription2 = Cheap\r\nDisplayURL = x.example\r\n"
           "DestinationURL = http://x.example\r\nDeleted = true\r\nApproved = false\r\nEND CREATIVE\r\n";
}

TEST(ToolRecords, AdHeadlineLimitCountsTheCarriageReturn) {
    const auto ads = readAdRecords(adText(std::string(125, 'h')) + adText(std::string(126, 'h')) + adText("after"));
    ASSERT_EQ(ads.size(), 1u);
    EXPECT_EQ(ads[0].headline.size(), 125u);
    EXPECT_EQ(ads[0].description1, "Soft");
    EXPECT_TRUE(ads[0].deleted);
    EXPECT_FALSE(ads[0].approved);
}

TEST(ToolRecords, CreatedAdGroups) {
    const std::string text = "DEFINE CREATE_ADGROUP\r\nid = 12\r\nname = Shoes \r\nEND CREATE_ADGROUP\r\n"
                             "DEFINE CREATE_ADGROUP\r\nid = 0\r\nname = Zero\r\nEND CREATE_ADGROUP\r\n"
                             "DEFINE CREATE_ADGROUP\r\nid = 13\r\nname = Later\r\nEND CREATE_ADGROUP\r\n";
    EXPECT_EQ(readCreatedAdGroups(text), (std::vector<CreatedAdGroup>{{12, "Shoes"}}));
}

TEST(ToolRecords, WhatTheToolWritesReadsBack) {
    AccountCampaign c;
    c.id = 1;
    c.name = "Autumn";
    c.startDate = {1, 9, 2026};
    c.endDate = {30, 11, 2026};
    c.dailyBudget = 999;
    c.countries[3] = c.countries[200] = true;
    c.languages[13] = true;
    c.separateContentBids = true;
    EXPECT_EQ(readCampaignRecords(campaignRecord(c) + campaignRecord(c)), (std::vector{c, c}));
    const AccountAdGroup g{1, 2, "Boots", 10, 0, 3, AdGroupStatus::Paused};
    EXPECT_EQ(readAdGroupRecords(adGroupRecord(g)), std::vector{g});
    AccountAd ad;
    ad.id = 4;
    ad.adGroupId = 2;
    ad.headline = "Warm boots";
    ad.destinationUrl = "http://b.example";
    ad.approved = true;
    EXPECT_EQ(readAdRecords(adRecord(ad)), std::vector{ad});
    const AccountKeyword k{"warm boots", MatchType::Phrase, 12};
    EXPECT_EQ(readKeywordRecords(keywordRecord(k)), std::vector{k});
    EXPECT_NE(adRecord(ad).find("\r\nDecription1 = \r\n"), std::string::npos);
}

TEST(KeywordForms, TextFormsAndFileEntries) {
    struct Form {
        const char* text;
        MatchType type;
        const char* plain;
    } forms[] = {{"red shoes", MatchType::Broad, "red shoes"},
                 {"\"red shoes\"", MatchType::Phrase, "red shoes"},
                 {"[red shoes]", MatchType::Exact, "red shoes"},
                 {"\"red shoes", MatchType::Broad, "\"red shoes"},
                 {"[red] shoes", MatchType::Broad, "[red] shoes"}};
    for (const Form& f : forms) {
        const AccountKeyword k = keywordFromTextForm(f.text);
        EXPECT_EQ(k.matchType, f.type) << f.text;
        EXPECT_EQ(k.text, f.plain) << f.text;
        if (f.type != MatchType::Broad) {
            EXPECT_EQ(keywordTextForm(k), f.text);
        }
    }
    // Cut to 253 first: the closing bracket is lost, so the text stays broad.
    EXPECT_EQ(keywordFromTextForm("[" + std::string(300, 'a') + "]").matchType, MatchType::Broad);

    const std::vector<AccountKeyword> keywords{{"a/b", MatchType::Phrase, 25}, {"c", MatchType::Exact, 0}};
    const std::string file = keywordFileText(keywords);
    EXPECT_EQ(file, "a/b/Phrase/250000;c/Exact/0");
    EXPECT_EQ(parseKeywordFileText(file), keywords);
    EXPECT_EQ(parseKeywordFileText(""), std::vector<AccountKeyword>{});
    for (const char* truncated : {"a/b/Phrase/250000;c/Exa", "a/Broad/", "a/Broad/12x", "a/Broad/1;"})
        EXPECT_FALSE(parseKeywordFileText(truncated)) << truncated;
}

TEST(GeoTargets, TablesAndLookups) {
    EXPECT_EQ(kCountryTable.front().code, "AF");
    EXPECT_EQ(kCountryTable[kCountryCount - 2].name, "SERBIA AND MONTENEGRO");
    EXPECT_EQ(kLanguageTable[14].name, "Twi");
    EXPECT_EQ(countryIndexByName("cÔte d'ivoire"), countryIndexByName("CÔTE D'IVOIRE"));
    EXPECT_EQ(countryIndexByName("Atlantis"), -1);
    EXPECT_EQ(languageIndexByName("THAI"), 40);
    EXPECT_FALSE(parseCountryCodeList("DE XX"));
    EXPECT_EQ(setCount(*parseCountryCodeList("")), kCountryCount);
}

TEST(AccountDates, FormatsAndOrder) {
    EXPECT_EQ(formatDate({5, 3, 2026}, '/'), "2026/03/05");
    EXPECT_EQ(formatDate({5, 3, 2026}, '.'), "2026.03.05");
    EXPECT_EQ(parseDate("2026x03y05 rest"), (AccountDate{5, 3, 2026}));
    EXPECT_FALSE(parseDate("0000-01-01"));
    EXPECT_FALSE(parseDate("2026-00-10"));
    EXPECT_FALSE(parseDate("2026-01-32"));
    EXPECT_LT(compareDates({31, 12, 2025}, {1, 1, 2026}), 0);
}

}  // namespace
}  // namespace pw
