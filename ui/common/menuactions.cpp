#include "ui/common/menuactions.h"

#include <algorithm>
#include <iostream>

namespace pw::ui {

std::string_view menuIdName(MenuId id) {
    switch (id) {
    case MenuId::SearchTopAds: return "SearchTopAds";
    case MenuId::ManageAccount: return "ManageAccount";
    case MenuId::ManageProfile: return "ManageProfile";
    case MenuId::ResearchTool: return "ResearchTool";
    case MenuId::QuillmarkTokenize: return "QuillmarkTokenize";
    case MenuId::QuillmarkDefaultValues: return "QuillmarkDefaultValues";
    case MenuId::Folioforge: return "Folioforge";
    case MenuId::UserManual: return "UserManual";
    case MenuId::ViewTutorials: return "ViewTutorials";
    case MenuId::PhrasewrightOnline: return "PhrasewrightOnline";
    case MenuId::CheckForUpdates: return "CheckForUpdates";
    case MenuId::About: return "About";
    case MenuId::ImportResearch: return "ImportResearch";
    case MenuId::AdCopyFromGoogle: return "AdCopyFromGoogle";
    case MenuId::AdCopyIntoConsole: return "AdCopyIntoConsole";
    case MenuId::AdSetTokens: return "AdSetTokens";
    }
    return "unknown";
}

// An empty action, or a second one for an id, is a wiring fault.
bool MenuActions::accepted(MenuId id, bool empty) {
    if (!empty && !provided(id)) return true;
    report_("menu action " + std::string(menuIdName(id)) + (empty ? " provided empty" : " provided twice"));
    return false;
}

void MenuActions::provide(MenuId id, Action run, Needs needs) {
    if (!accepted(id, !run)) return;
    actions_.emplace(id, Provided{std::move(run), needs});
    if (listener_) listener_(id);
}

void MenuActions::provideAdAction(MenuId id, AdAction run, Needs needs) {
    if (!accepted(id, !run)) return;
    adActions_.emplace(id, ProvidedAdAction{std::move(run), needs});
    if (listener_) listener_(id);
}

bool MenuActions::runOnAd(MenuId id, Ad& ad, SearchEngine network) const {
    const auto found = adActions_.find(id);
    return found != adActions_.end() && found->second.run(ad, network);
}

void MenuActions::run(MenuId id) const {
    const auto found = actions_.find(id);
    if (found != actions_.end()) found->second.run();
}

Needs MenuActions::needs(MenuId id) const {
    if (const auto found = actions_.find(id); found != actions_.end()) return found->second.needs;
    if (const auto found = adActions_.find(id); found != adActions_.end()) return found->second.needs;
    return Needs::Nothing;
}

std::vector<MenuId> MenuActions::providedIds() const {
    std::vector<MenuId> ids;
    for (const auto& [id, action] : actions_) ids.push_back(id);
    for (const auto& [id, action] : adActions_) ids.push_back(id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

void MenuActions::reportUnknown(MenuId id) const {
    report_("menu action " + std::string(menuIdName(id)) + " has no menu item or button to show it");
}

void MenuActions::logFault(const std::string& fault) { std::cerr << "phrasewright: " << fault << '\n'; }

}  // namespace pw::ui
