#include "ui/account/campaigneditorcontroller.h"

#include <algorithm>
#include <set>

#include "account/geotargets.h"
#include "account/moneytext.h"
#include "core/text.h"
#include "core/textencoding.h"

namespace pw::ui {

namespace {

// The campaign name keeps at most this many characters.
constexpr size_t kNameCharacters = 126;

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

std::string_view campaignProblemText(CampaignProblem problem) {
    switch (problem) {
    case CampaignProblem::EmptyName: return "Please fill in campaign name!";
    case CampaignProblem::QuoteInName: return "Please don't use quotes in the campaign name!";
    case CampaignProblem::Status: return "You can only set a campaign's status to \"Active\", \"Paused\" or \"Deleted\"!";
    case CampaignProblem::BadBudget:
        return "Please enter the daily budget correctly! Don't use more than 2 decimals, enter only digits and the "
               "decimal dot!";
    case CampaignProblem::ZeroBudget:
        return "Please enter the daily budget correctly! Enter a value greater or equal to 0.01!";
    case CampaignProblem::EndDate: return "Please set the campaign to end at least a day after it's start date!";
    }
    return {};
}

CampaignField campaignProblemField(CampaignProblem problem) {
    switch (problem) {
    case CampaignProblem::EmptyName:
    case CampaignProblem::QuoteInName: return CampaignField::Name;
    case CampaignProblem::Status: return CampaignField::Status;
    case CampaignProblem::BadBudget:
    case CampaignProblem::ZeroBudget: return CampaignField::Budget;
    case CampaignProblem::EndDate: return CampaignField::EndDate;
    }
    return CampaignField::Name;
}

CampaignEditorController::CampaignEditorController(Desktop& desktop, AccountCampaign& campaign, bool newCampaign,
                                                   AccountWindows* windows)
    : desktop_(desktop), campaign_(campaign), newCampaign_(newCampaign), windows_(windows) {
    form_.name = campaign.name;
    const std::string_view status = campaignStatusName(campaign.status);
    form_.status = status.empty() ? -1 : static_cast<int>(campaign.status);
    form_.budget = formatMoney(campaign.dailyBudget);
    form_.start = campaign.startDate;
    form_.end = campaign.endDate;
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

void CampaignEditorController::openAdGroups() {
    if (windows_ && accountButtonsEnabled()) windows_->manageAdGroups(campaign_.id, campaign_.name);
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

bool CampaignEditorController::refuse(CampaignProblem problem) {
    focus_ = campaignProblemField(problem);
    desktop_.message({std::string(campaignProblemText(problem)), "Invalid input", Icon::Warning, Buttons::Ok});
    return false;
}

bool CampaignEditorController::save() {
    if (form_.name.empty()) return refuse(CampaignProblem::EmptyName);
    const std::string name(clipToCharacters(form_.name, kNameCharacters));
    if (name.find('"') != std::string::npos) return refuse(CampaignProblem::QuoteInName);
    const auto status = static_cast<CampaignStatus>(form_.status);
    if (status != CampaignStatus::Active && status != CampaignStatus::Paused && status != CampaignStatus::Deleted)
        return refuse(CampaignProblem::Status);
    const std::optional<int32_t> budget = parseMoneyText(form_.budget);
    if (!budget) return refuse(CampaignProblem::BadBudget);
    if (*budget == 0) return refuse(CampaignProblem::ZeroBudget);
    if (compareDates(form_.end, form_.start) <= 0) return refuse(CampaignProblem::EndDate);

    campaign_.name = name;
    campaign_.status = status;
    campaign_.dailyBudget = *budget;
    campaign_.startDate = form_.start;
    campaign_.endDate = form_.end;
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

}  // namespace pw::ui
