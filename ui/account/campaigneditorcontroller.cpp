#include "ui/account/campaigneditorcontroller.h"
#include "ui/account/messages.h"

#include <algorithm>
#include <set>

#include "account/geotargets.h"
#include "account/moneytext.h"
#include "core/text.h"

namespace pw::ui {

namespace {

template <size_t N>
void addNames(std::vector<std::string>& chosen, const std::array<GeoTarget, N>& table, const std::vector<int>& rows) {
    for (int row : rows) {
        if (row < 0 || row >= static_cast<int>(N)) continue;
        const std::string_view name = table[row].name;
        const bool present = std::any_of(chosen.begin(), chosen.end(),
                                         [&](const std::string& c) { return equalsIgnoreCase(c, name); });
        if (!present) chosen.emplace_back(name);
    }
}

void removeRows(std::vector<std::string>& chosen, const std::vector<int>& rows) {
    const std::set<int> gone(rows.begin(), rows.end());
    std::vector<std::string> kept;
    for (int i = 0; i < static_cast<int>(chosen.size()); ++i)
        if (!gone.count(i)) kept.push_back(std::move(chosen[i]));
    chosen = std::move(kept);
}

template <size_t N, size_t M>
std::vector<std::string> chosenNames(const std::array<bool, N>& flags, const std::array<GeoTarget, M>& table) {
    std::vector<std::string> names;
    for (size_t i = 0; i < N && i < M; ++i)
        if (flags[i]) names.emplace_back(table[i].name);
    return names;
}

}  // namespace

int campaignStatusRow(CampaignStatus status) {
    return campaignStatusName(status).empty() ? -1 : static_cast<int>(status);
}

CampaignStatus campaignStatusAtRow(int row) {
    return row >= 0 && row < static_cast<int>(kCampaignStatusNames.size()) ? static_cast<CampaignStatus>(row)
                                                                          : CampaignStatus::Unknown;
}

CampaignEditorController::CampaignEditorController(Desktop& desktop, const AccountCampaign& campaign, bool newCampaign,
                                                   CampaignEditorLinks links)
    : desktop_(desktop), campaign_(campaign), handedIn_(campaign), newCampaign_(newCampaign), links_(std::move(links)) {
    form_.name = campaign.name;
    form_.status = campaign.status;
    form_.dailyBudget = formatMoney(campaign.dailyBudget);
    form_.startDate = campaign.startDate;
    form_.endDate = campaign.endDate;
    form_.showInSearch = campaign.showInGoogleSearch;
    form_.showInNetwork = campaign.showInNetworkSearch && campaign.showInGoogleSearch;
    form_.showInContent = campaign.showInContentNetwork;
    form_.separateContentBids = campaign.separateContentBids && campaign.showInContentNetwork;
    form_.countries = chosenNames(campaign.countries, kCountryTable);
    form_.languages = chosenNames(campaign.languages, kLanguageTable);
}

void CampaignEditorController::setShowInSearch(bool on) {
    form_.showInSearch = on;
    if (!on) form_.showInNetwork = false;
}

void CampaignEditorController::setShowInContent(bool on) {
    form_.showInContent = on;
    if (!on) form_.separateContentBids = false;
}

void CampaignEditorController::addCountries(const std::vector<int>& rows) { addNames(form_.countries, kCountryTable, rows); }
void CampaignEditorController::addLanguages(const std::vector<int>& rows) {
    addNames(form_.languages, kLanguageTable, rows);
}
void CampaignEditorController::removeCountries(const std::vector<int>& rows) { removeRows(form_.countries, rows); }
void CampaignEditorController::removeLanguages(const std::vector<int>& rows) { removeRows(form_.languages, rows); }

bool CampaignEditorController::save() {
    const CampaignCheck check = checkCampaignForm(form_);
    if (!check.ok()) {
        focus_ = check.field;
        desktop_.message(boxOf(campaignProblemMessage(check.problem), Icon::Warning));
        return false;
    }
    applyCampaignForm(form_, check, campaign_);
    campaign_.showInGoogleSearch = form_.showInSearch;
    campaign_.showInNetworkSearch = form_.showInNetwork;
    campaign_.showInContentNetwork = form_.showInContent;
    campaign_.separateContentBids = form_.separateContentBids;
    campaign_.countries.fill(false);
    for (const std::string& country : form_.countries)
        if (const int row = countryIndexByName(country); row >= 0) campaign_.countries[row] = true;
    campaign_.languages.fill(false);
    for (const std::string& language : form_.languages)
        if (const int row = languageIndexByName(language); row >= 0) campaign_.languages[row] = true;
    return true;
}

void CampaignEditorController::importProject() {
    gate_.run(Needs::Nothing, [this] {
        if (newCampaign_ || !links_.importProject) return;
        links_.importProject(handedIn_);
    });
}

void CampaignEditorController::openAdGroups() {
    gate_.run(Needs::Nothing, [this] {
        if (newCampaign_ || !links_.openAdGroups) return;
        links_.openAdGroups(handedIn_);
    });
}

}  // namespace pw::ui
