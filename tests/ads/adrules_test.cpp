#include "ads/adrules.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

Ad googleAd(std::string title, std::string line1 = "Fine text", std::string line2 = "More text",
            std::string url = "www.example.com") {
    Ad ad;
    ad.title = std::move(title);
    ad.line1 = std::move(line1);
    ad.line2 = std::move(line2);
    ad.displayUrl = std::move(url);
    return ad;
}

TEST(AdRules, GoogleRulesInTheirOrder) {
    struct Case {
        Ad ad;
        std::string message;
        AdField field;
    };
    const std::string kRepeated = "No repeated punctuation symbols allowed!";
    const std::string kCapitals = "No entire capitalized words allowed!";
    const std::string kSpacing = "You must use spaces between sentences!";
    const Case cases[] = {
        {googleAd("Buy now!"), "No exclamation point allowed in the title!", AdField::Title},
        {googleAd("Buy now!!", "FREE"), "No exclamation point allowed in the title!", AdField::Title},
        {googleAd("Shoes", "Great prices..."), kRepeated, AdField::Text1},
        {googleAd("Shoes", "Great", "Really?."), kRepeated, AdField::Text2},
        {googleAd("FREE offers"), kCapitals, AdField::Title},
        {googleAd("Shoes", "Ok", "Get it FAST"), kCapitals, AdField::Text2},
        {googleAd("Shoes", "Fine", "Fine", ""), "Entire capitalized URL not allowed!", AdField::DisplayUrl},
        {googleAd("Shoes", "Fine", "Fine", "WWW.SHOP-2.COM"), "Entire capitalized URL not allowed!",
         AdField::DisplayUrl},
        {googleAd("Shoes", "Best deals.Order today"), kSpacing, AdField::Text1},
        {googleAd("Shoes?Yes"), kSpacing, AdField::Title},
        {googleAd("Shoes", "Fine", "Click Here for deals"), "'click here' not allowed!", AdField::Text2},
        {googleAd("Shoes", "visit this link", "Click here"), "'click here' not allowed!", AdField::Text2},
        {googleAd("This site is great"), "'this site is' not allowed!", AdField::Title},
    };
    for (const Case& c : cases) {
        const auto failure = validate(c.ad, SearchEngine::Google);
        ASSERT_TRUE(failure) << c.ad.title << " | " << c.ad.line1;
        EXPECT_EQ(*failure, (RuleFailure{c.message, c.field})) << c.ad.title << " | " << c.ad.line1;
    }
}

// One ad that breaks two neighbouring rules: the earlier rule speaks.
TEST(AdRules, OfTwoNeighbouringRulesTheEarlierOneSpeaks) {
    struct Case {
        Ad ad;
        std::string message;
    };
    const Case cases[] = {
        {googleAd("Buy now!", "Great prices..."), "No exclamation point allowed in the title!"},
        {googleAd("FREE offers", "Great prices..."), "No repeated punctuation symbols allowed!"},
        {googleAd("FREE offers", "Fine", "Fine", "WWW.SHOP.COM"), "No entire capitalized words allowed!"},
        {googleAd("Shoes", "Best deals.Order today", "Fine", "WWW.SHOP.COM"), "Entire capitalized URL not allowed!"},
        {googleAd("Shoes", "Best deals.Order today", "Click here for deals"), "You must use spaces between sentences!"},
        {googleAd("This site is great", "Fine", "Click here for deals"), "'click here' not allowed!"},
    };
    for (const Case& c : cases) {
        const auto failure = validate(c.ad, SearchEngine::Google);
        ASSERT_TRUE(failure) << c.message;
        EXPECT_EQ(failure->message, c.message);
    }
}

TEST(AdRules, WhatGooglePasses) {
    const Ad passing[] = {
        googleAd("NEW offers"), googleAd("MP3S here"), googleAd("Shoes", "Only $.99 each", "Save 2.5% now."),
        googleAd("Shoes", "Hi. Bye! Why? Ok", "A"), googleAd("Shoes", "Fine", "Fine", "WWW.Example.com")};
    for (const Ad& ad : passing)
        EXPECT_FALSE(validate(ad, SearchEngine::Google)) << ad.title << " | " << ad.line1 << " | " << ad.line2;
}

TEST(AdRules, EnhanceMsnAndTheNetworksWithoutRules) {
    EXPECT_FALSE(validate(googleAd("Fish & chips"), SearchEngine::Enhance));
    const auto at = validate(googleAd("Mail@home"), SearchEngine::Enhance);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->message, "The title cannot contain any of the following characters: +`!~$_=^*(){}<>|@#?/\\");
    EXPECT_TRUE(validate(googleAd("back\\slash"), SearchEngine::Enhance));
    EXPECT_EQ(validate(googleAd("Wow!"), SearchEngine::Msn)->field, AdField::Title);
    EXPECT_EQ(validate(googleAd("Shoes", "CLICK HERE"), SearchEngine::Msn),
              (RuleFailure{"'click here' not allowed!", AdField::Text1}));
    EXPECT_FALSE(validate(googleAd("FREE!!", "click here...", "", ""), SearchEngine::Msn).has_value() &&
                 validate(googleAd("FREE", "x", "", ""), SearchEngine::Msn).has_value());
    for (SearchEngine network : {SearchEngine::Miva, SearchEngine::Yahoo})
        EXPECT_FALSE(validate(googleAd("FREE!!! click here", "", "", ""), network));
}

}  // namespace
}  // namespace pw
