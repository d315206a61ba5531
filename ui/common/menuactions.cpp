#include "ui/common/menuactions.h"

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
    }
    return "unknown";
}

void MenuActions::provide(MenuId id, Action run, Needs needs) {
    const bool empty = !run;
    if (empty || !actions_.emplace(id, Provided{std::move(run), needs}).second) {
        report_("menu action " + std::string(menuIdName(id)) + (empty ? " provided empty" : " provided twice"));
        return;
    }
    if (listener_) listener_(id);
}

void MenuActions::run(MenuId id) const {
    const auto found = actions_.find(id);
    if (found != actions_.end()) found->second.run();
}

Needs MenuActions::needs(MenuId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? Needs::Nothing : found->second.needs;
}

std::vector<MenuId> MenuActions::providedIds() const {
    std::vector<MenuId> ids;
    for (const auto& [id, action] : actions_) ids.push_back(id);
    return ids;
}

void MenuActions::reportUnknown(MenuId id) const {
    report_("menu action " + std::string(menuIdName(id)) + " has no menu item or button to show it");
}

void MenuActions::logFault(const std::string& fault) { std::cerr << "phrasewright: " << fault << '\n'; }

}  // namespace pw::ui
