// Money texts and the campaign editor's checks.

#include "account/campaignrules.h"

#include <gtest/gtest.h>

#include "account/moneytext.h"

namespace pw {
namespace {

TEST(MoneyText, DollarsWithAtMostTwoDecimalsAsCents) {
    const struct {
        const char* text;
        std::optional<int32_t> cents;
    } cases[] = {{"12", 1200},     {"1.5", 150},    {"0.01", 1},         {".", 0},           {"", 0},
                 {"12.", 1200},    {"12.345", {}},  {"1.2.3", {}},       {"-1", {}},         {"1,5", {}},
                 {" 1", {}},       {"21474836.47", 2147483647}, {"21474836.48", {}}, {"99999999999", {}}};
    for (const auto& c : cases) EXPECT_EQ(parseMoneyText(c.text), c.cents) << c.text;
    EXPECT_EQ(formatMoney(1200), "12.00");
    EXPECT_EQ(formatMoney(5), "0.05");
}

TEST(CampaignForm, ChecksInTheEditorsOrder) {
    CampaignForm good{"Spring", CampaignStatus::Active, "12", {1, 3, 2030}, {2, 3, 2030}};
    CampaignCheck check = checkCampaignForm(good);
    ASSERT_TRUE(check.ok());
    AccountCampaign campaign;
    applyCampaignForm(good, check, campaign);
    EXPECT_EQ(campaign.dailyBudget, 1200);
    EXPECT_EQ(campaign.endDate, (AccountDate{2, 3, 2030}));

    const struct {
        void (*edit)(CampaignForm&);
        CampaignProblem problem;
        CampaignField field;
    } cases[] = {
        {[](CampaignForm& f) { f.name.clear(); }, CampaignProblem::EmptyName, CampaignField::Name},
        {[](CampaignForm& f) { f.name = "a\"b"; }, CampaignProblem::QuoteInName, CampaignField::Name},
        {[](CampaignForm& f) { f.status = CampaignStatus::Ended; }, CampaignProblem::BadStatus, CampaignField::Status},
        {[](CampaignForm& f) { f.dailyBudget = "12.345"; }, CampaignProblem::BadBudget, CampaignField::DailyBudget},
        {[](CampaignForm& f) { f.dailyBudget = ""; }, CampaignProblem::ZeroBudget, CampaignField::DailyBudget},
        {[](CampaignForm& f) { f.endDate = f.startDate; }, CampaignProblem::EndNotAfterStart, CampaignField::EndDate},
    };
    for (const auto& c : cases) {
        CampaignForm form = good;
        c.edit(form);
        check = checkCampaignForm(form);
        EXPECT_EQ(check.problem, c.problem);
        EXPECT_EQ(check.field, c.field);
        EXPECT_EQ(campaignProblemMessage(check.problem).caption, "Invalid input");
    }
    // The name is taken as the account keeps it: 126 characters (however
    // many bytes), without edge blanks; a quote beyond them does not count.
    std::string japanese;
    for (int i = 0; i < 43; ++i) japanese += "\xE6\x97\xA5";  // 43 characters, 129 bytes
    const struct {
        std::string typed;
        std::string taken;
    } names[] = {{std::string(126, 'n') + "\"", std::string(126, 'n')},
                 {japanese, japanese},
                 {"  Spring  ", "Spring"}};
    for (const auto& n : names) {
        CampaignForm form = good;
        form.name = n.typed;
        check = checkCampaignForm(form);
        ASSERT_TRUE(check.ok()) << n.typed;
        applyCampaignForm(form, check, campaign);
        EXPECT_EQ(campaign.name, n.taken);
    }
    CampaignForm blank = good;
    blank.name = "   ";
    EXPECT_EQ(checkCampaignForm(blank).problem, CampaignProblem::EmptyName);
}

}  // namespace
}  // namespace pw
