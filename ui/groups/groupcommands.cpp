#include "ui/groups/groupcommands.h"
#include "core/textencoding.h"

#include <algorithm>

#include "core/group.h"
#include "ui/groups/messages.h"

namespace pw::ui {

namespace {
constexpr std::string_view kMainListChoice = "Main list";
}  // namespace

std::vector<std::string> groupNames(const Project& project, int except) {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(project.groups.size()); ++i)
        if (i != except) names.push_back(project.groups[i]->name);
    return names;
}

void GroupCommands::renameGroup(int group) {
    if (group < 0) {
        lists_.desktop().message(kCannotRenameMainList);
        return;
    }
    lists_.command(Needs::Lists, [&] { renameGroupNow(group); });
}

void GroupCommands::renameGroupNow(int group) {
    Project& project = lists_.project();
    Group* g = groupAt(project, group);
    if (!g) return;
    const std::optional<std::string> name = dialogs_.renameGroup(g->name, [&project, g](const std::string& typed) {
        const Group* other = findGroup(project, clipToBytes(typed, kGroupNameSize - 1));
        return other && other != g;
    });
    if (!name || *name == g->name || name->empty()) return;
    // The name field on disk holds 127 bytes; the cut never splits a character.
    g->name = std::string(clipToBytes(*name, kGroupNameSize - 1));
    lists_.markModified();
    lists_.notify(kTabs);
}

void GroupCommands::promptDeleteGroup(int group) {
    if (group < 0) {
        lists_.desktop().message(kCannotDeleteMainList);
        return;
    }
    lists_.command(Needs::Lists, [&] { deleteGroupNow(group); });
}

void GroupCommands::deleteGroupNow(int group) {
    Project& project = lists_.project();
    if (!groupAt(project, group)) return;
    if (lists_.desktop().message(kConfirmDeleteGroup) != Answer::Yes) return;
    removeGroupTab(group, [&] { deleteGroupCounted(project, *project.groups[group]); });
    lists_.notify(kTabs | kLabels);
}

// The tab moves off the group before it goes, so nothing shows a removed list.
void GroupCommands::removeGroupTab(int group, const std::function<void()>& remove) {
    lists_.leavePhase3();
    const int tab = lists_.currentTab();
    const bool wasShown = group + 1 == tab;
    if (wasShown) lists_.renumberTab(group);
    remove();
    if (wasShown) lists_.showTab(group);
    else if (group + 1 < tab) lists_.renumberTab(tab - 1);
}

void GroupCommands::mergeGroup(int group) {
    if (group < 0) {
        lists_.desktop().message(kCannotMergeMainList);
        return;
    }
    lists_.command(Needs::Lists, [&] { mergeGroupNow(group); });
}

void GroupCommands::mergeGroupNow(int group) {
    Project& project = lists_.project();
    if (!groupAt(project, group)) return;
    std::vector<std::string> names{std::string(kMainListChoice)};
    for (std::string& name : groupNames(project, group)) names.push_back(std::move(name));
    const std::optional<size_t> chosen = dialogs_.chooseGroup(names);
    if (!chosen || *chosen >= names.size()) return;
    // The main list is the first entry, whatever a group is called; the rest
    // are the groups in tab order without the merged one.
    const int position = static_cast<int>(*chosen) - 1;
    Group* target = *chosen == 0 ? &project.mainList : groupAt(project, position + (position >= group ? 1 : 0));
    if (!target || target == project.groups[group].get()) return;
    removeGroupTab(group, [&] { mergeGroupInto(project, *project.groups[group], *target); });
    lists_.refill();
    lists_.notify(kTabs | kLabels);
}

void GroupCommands::promptFindGroup() {
    lists_.command(Needs::Lists, [&] {
        Project& project = lists_.project();
        const std::optional<std::string> chosen = dialogs_.findGroup(groupNames(project));
        if (!chosen) return;
        const int index = groupIndex(project, *chosen);
        if (index < 0) {
            lists_.desktop().message(kCannotFindGroup);
            return;
        }
        if (index + 1 != lists_.currentTab()) {
            lists_.leavePhase3();
            lists_.showTab(index + 1);
        }
    });
}

void GroupCommands::copyGroupName(int group) {
    lists_.command(Needs::Nothing, [&] {
        if (const Group* g = groupAt(lists_.project(), group)) lists_.desktop().setClipboardText(g->name);
    });
}

void GroupCommands::sortGroups(GroupOrder order) {
    lists_.command(Needs::Lists, [&] { sortGroupsNow(order); });
}

// Only the order of the groups changes; the selected group stays selected.
void GroupCommands::sortGroupsNow(GroupOrder order) {
    Project& project = lists_.project();
    const int tab = lists_.currentTab();
    const Group* selected = tab > 0 ? project.groups[tab - 1].get() : nullptr;
    pw::sortGroups(project, order);
    if (selected) {
        for (size_t i = 0; i < project.groups.size(); ++i)
            if (project.groups[i].get() == selected) lists_.renumberTab(static_cast<int>(i + 1));
    }
    lists_.notify(kTabs);
}

void GroupCommands::setGroupColor(int group, int colorIndex) {
    lists_.command(Needs::Nothing, [&] {
        Group* g = groupAt(lists_.project(), group);
        if (!g || colorIndex < 0 || colorIndex >= kGroupColorCount) return;
        g->colorIndex = colorIndex;
        lastColor_ = colorIndex;
        lists_.markModified();
        lists_.notify(kTabs);
    });
}

std::vector<MenuItem> GroupCommands::tabMenu(int group) {
    const auto item = [](std::string text, std::function<void()> run) { return menuItem(std::move(text), std::move(run)); };
    std::vector<MenuItem> sortItems;
    const std::pair<const char*, GroupOrder> orders[] = {{"Alphabetically", GroupOrder::Alphabetical},
                                                         {"By phrase count", GroupOrder::PhraseCount},
                                                         {"By modified date", GroupOrder::LastModified},
                                                         {"By color", GroupOrder::Color}};
    for (const auto& [text, order] : orders) sortItems.push_back(item(text, [this, order = order] { sortGroups(order); }));
    std::vector<MenuItem> colorItems;
    for (int i = 0; i < kGroupColorCount; ++i)
        colorItems.push_back(item(std::string(kGroupColors[i].name), [this, group, i] { setGroupColor(group, i); }));
    std::vector<MenuItem> menu{
        item("&Rename group", [this, group] { renameGroup(group); }),
        item("&Delete group", [this, group] { promptDeleteGroup(group); }),
        item("&Merge into another group", [this, group] { mergeGroup(group); }),
        item("Copy group name to clipboard", [this, group] { copyGroupName(group); }),
        item("Find group...", [this] { promptFindGroup(); }),
        subMenu("Sort groups", std::move(sortItems)),
        subMenu("Change group color", std::move(colorItems)),
    };
    if (lastColor_ >= 0)
        menu.push_back(item("Set color to " + std::string(kGroupColors[lastColor_].name),
                            [this, group, last = lastColor_] { setGroupColor(group, last); }));
    return menu;
}

}  // namespace pw::ui
