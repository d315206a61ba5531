#pragma once
// The campaign editor's checks before a campaign is saved (and queued).

#include <string>
#include <string_view>

#include "account/accountentities.h"
#include "account/profilerules.h"

namespace pw {

// What the editor's fields hold.
struct CampaignForm {
    std::string name;
    CampaignStatus status = CampaignStatus::Active;
    std::string dailyBudget;  // money text
    AccountDate startDate;
    AccountDate endDate;
};

enum class CampaignField { Name, Status, DailyBudget, EndDate };
enum class CampaignProblem { None, EmptyName, QuoteInName, BadStatus, BadBudget, ZeroBudget, EndNotAfterStart };

struct CampaignCheck {
    CampaignProblem problem = CampaignProblem::None;
    CampaignField field = CampaignField::Name;  // where the focus goes
    int32_t budgetCents = 0;
    bool ok() const { return problem == CampaignProblem::None; }
};

// The checks in the editor's order; the name is taken up to 126 characters
// and without blanks at either end (a name of blanks only is empty).
CampaignCheck checkCampaignForm(const CampaignForm& form);
// The warning a window shows (caption "Invalid input").
MessageText campaignProblemMessage(CampaignProblem problem);
// On success: name, status, budget and dates into the record.
void applyCampaignForm(const CampaignForm& form, const CampaignCheck& check, AccountCampaign& campaign);

}  // namespace pw
