#pragma once
// The campaign editor (CDialogManageCampaign): one campaign's fields, the
// chosen countries and languages, the check boxes that depend on each other,
// and the checks "Save" makes before the record is written.

#include <optional>
#include <string>
#include <vector>

#include "account/accountentities.h"
#include "ui/account/accountwindows.h"
#include "ui/common/desktop.h"

namespace pw::ui {

// The fields "Save" checks, in order; a refusal moves the focus there.
enum class CampaignField { Name, Status, Budget, EndDate };

struct CampaignForm {
    std::string name;
    int status = 0;  // position in the status list; -1 when the record's status has no name
    std::string budget;
    AccountDate start;
    AccountDate end;
    bool showInSearch = false;
    bool showInNetwork = false;
    bool showInContent = false;
    bool separateContentBids = false;
    std::vector<std::string> countries;  // chosen names, in the order added
    std::vector<std::string> languages;
};

enum class CampaignProblem { EmptyName, QuoteInName, Status, BadBudget, ZeroBudget, EndDate };
// The text of a refusal (caption "Invalid input") and the field it is about.
std::string_view campaignProblemText(CampaignProblem problem);
CampaignField campaignProblemField(CampaignProblem problem);

class CampaignEditorController {
public:
    // `windows` opens the ad group manager from "Ad groups..." (none: the button does nothing).
    CampaignEditorController(Desktop& desktop, AccountCampaign& campaign, bool newCampaign,
                             AccountWindows* windows = nullptr);

    CampaignForm& form() { return form_; }
    const CampaignForm& form() const { return form_; }
    // "Ad groups..." and "Import PWR project" act on a stored campaign only.
    bool accountButtonsEnabled() const { return !newCampaign_; }
    bool networkEnabled() const { return form_.showInSearch; }
    bool separateBidsEnabled() const { return form_.showInContent; }
    void setShowInSearch(bool on);
    // "Ad groups...": the ad group manager on the stored campaign.
    void openAdGroups();
    void setShowInContent(bool on);

    // Appends the names at these rows of the full list unless already chosen.
    void addCountries(const std::vector<int>& tableRows);
    void addLanguages(const std::vector<int>& tableRows);
    // Deletes these rows of the chosen list.
    void removeCountries(const std::vector<int>& rows);
    void removeLanguages(const std::vector<int>& rows);

    // Checks the fields and writes the record; false after a refusal (shown).
    bool save();
    CampaignField focusField() const { return focus_; }

private:
    bool refuse(CampaignProblem problem);

    Desktop& desktop_;
    AccountCampaign& campaign_;
    bool newCampaign_;
    AccountWindows* windows_;
    CampaignForm form_;
    CampaignField focus_ = CampaignField::Name;
};

}  // namespace pw::ui
