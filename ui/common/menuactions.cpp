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

void MenuActions::provide(MenuId id, Action run) {
    if (!run || !actions_.emplace(id, std::move(run)).second) {
        report_("menu action " + std::string(menuIdName(id)) + (run ? " provided twice" : " provided empty"));
        return;
    }
    if (listener_) listener_(id);
}

void MenuActions::run(MenuId id) const {
    const auto found = actions_.find(id);
    if (found != actions_.end()) found->second();
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
