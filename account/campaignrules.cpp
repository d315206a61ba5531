#include "account/campaignrules.h"

#include "account/moneytext.h"
#include "core/textencoding.h"

namespace pw {


CampaignCheck checkCampaignForm(const CampaignForm& form) {
    const std::string_view name = takenAccountName(form.name);
    if (name.empty()) return {CampaignProblem::EmptyName, CampaignField::Name};
    if (name.find('"') != std::string_view::npos) return {CampaignProblem::QuoteInName, CampaignField::Name};
    if (form.status != CampaignStatus::Active && form.status != CampaignStatus::Paused &&
        form.status != CampaignStatus::Deleted)
        return {CampaignProblem::BadStatus, CampaignField::Status};
    const auto budget = parseMoneyText(form.dailyBudget);
    if (!budget) return {CampaignProblem::BadBudget, CampaignField::DailyBudget};
    if (*budget == 0) return {CampaignProblem::ZeroBudget, CampaignField::DailyBudget};
    if (compareDates(form.endDate, form.startDate) <= 0) return {CampaignProblem::EndNotAfterStart, CampaignField::EndDate};
    return {CampaignProblem::None, CampaignField::Name, *budget};
}

MessageText campaignProblemMessage(CampaignProblem problem) {
    std::string text;
    switch (problem) {
    case CampaignProblem::None: return {};
    case CampaignProblem::EmptyName: text = "Please fill in campaign name!"; break;
    case CampaignProblem::QuoteInName: text = "Please don't use quotes in the campaign name!"; break;
    case CampaignProblem::BadStatus:
        text = "You can only set a campaign's status to \"Active\", \"Paused\" or \"Deleted\"!";
        break;
    case CampaignProblem::BadBudget:
        text = "Please enter the daily budget correctly! Don't use more than 2 decimals, enter only digits and the "
               "decimal dot!";
        break;
    case CampaignProblem::ZeroBudget:
        text = "Please enter the daily budget correctly! Enter a value greater or equal to 0.01!";
        break;
    case CampaignProblem::EndNotAfterStart:
        text = "Please set the campaign to end at least a day after it's start date!";
        break;
    }
    return {text, "Invalid input"};
}

void applyCampaignForm(const CampaignForm& form, const CampaignCheck& check, AccountCampaign& campaign) {
    campaign.name = std::string(takenAccountName(form.name));
    campaign.status = form.status;
    campaign.dailyBudget = check.budgetCents;
    campaign.startDate = form.startDate;
    campaign.endDate = form.endDate;
}

}  // namespace pw
