#pragma once
// The campaign editor (CDialogManageCampaign): one campaign's fields, the
// chosen countries and languages, the check boxes that depend on each other,
// the checks "Save" makes before the record is written, and the upload of
// the whole open project into the campaign.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "account/accountentities.h"
#include "account/campaignrules.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"

namespace pw::ui {

// The checked fields (name, status, budget, dates) and what the editor adds.
struct CampaignEditorForm : CampaignForm {
    bool showInSearch = false;
    bool showInNetwork = false;
    bool showInContent = false;
    bool separateContentBids = false;
    std::vector<std::string> countries;  // chosen names, in the order added
    std::vector<std::string> languages;
};

// The position of a status in the editor's status list; -1 for a status
// without a name, which the list then shows unselected.
int campaignStatusRow(CampaignStatus status);
CampaignStatus campaignStatusAtRow(int row);

// What the editor's account buttons reach, supplied by whoever opens it.
struct CampaignEditorLinks {
    // "Import PWR project": the whole open project into the campaign as it
    // was handed in, whatever the fields hold now (see importProjectIntoCampaign).
    std::function<void(const AccountCampaign&)> importProject;
    // "Ad groups...": the ad group manager on the stored campaign.
    std::function<void(const AccountCampaign&)> openAdGroups;
};

class CampaignEditorController {
public:
    // Edits a copy of `campaign`; the caller takes campaign() after save().
    CampaignEditorController(Desktop& desktop, const AccountCampaign& campaign, bool newCampaign,
                             CampaignEditorLinks links = {});

    CampaignEditorForm& form() { return form_; }
    const CampaignEditorForm& form() const { return form_; }
    // "Ad groups..." and "Import PWR project" act on a stored campaign only.
    bool accountButtonsEnabled() const { return !newCampaign_; }
    bool networkEnabled() const { return form_.showInSearch; }
    bool separateBidsEnabled() const { return form_.showInContent; }
    void setShowInSearch(bool on);
    void setShowInContent(bool on);

    // Appends the names at these rows of the full list unless already chosen.
    void addCountries(const std::vector<int>& tableRows);
    void addLanguages(const std::vector<int>& tableRows);
    // Deletes these rows of the chosen list.
    void removeCountries(const std::vector<int>& rows);
    void removeLanguages(const std::vector<int>& rows);

    // Checks the fields and writes them into campaign(); false after a refusal (shown).
    bool save();
    const AccountCampaign& campaign() const { return campaign_; }
    CampaignField focusField() const { return focus_; }

    void importProject();
    void openAdGroups();

private:
    Desktop& desktop_;
    AccountCampaign campaign_;
    const AccountCampaign handedIn_;
    bool newCampaign_;
    CampaignEditorLinks links_;
    CampaignEditorForm form_;
    CampaignField focus_ = CampaignField::Name;
    CommandGate gate_{desktop_, [] { return false; }};
};

}  // namespace pw::ui
