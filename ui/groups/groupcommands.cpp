// The main window's group commands: groups made from the phase-3 lists, and
// the tab commands rename, delete, merge, find, copy name, sort and colour.

#include <algorithm>
#include <memory>

#include "core/groupoperations.h"
#include "core/listmoves.h"
#include "core/phraselist.h"
#include "core/text.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::ui {

namespace {
constexpr std::string_view kMainListChoice = "Main list";
}  // namespace

// The names of the groups in tab order, but for the group at `except`.
std::vector<std::string> MainWindowController::groupNames(int except) const {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(project_.groups.size()); ++i)
        if (i != except) names.push_back(project_.groups[i]->name);
    return names;
}

void MainWindowController::createGroupFromList1() {
    command(MainCommand::CreateGroupFromList1, [&] { createGroupFrom(true); });
}
void MainWindowController::createGroupFromList2() {
    command(MainCommand::CreateGroupFromList2, [&] { createGroupFrom(false); });
}
void MainWindowController::addList1ToGroup() {
    command(MainCommand::AddList1ToGroup, [&] { addListToGroup(true); });
}
void MainWindowController::addList2ToGroup() {
    command(MainCommand::AddList2ToGroup, [&] { addListToGroup(false); });
}

// List 1's group goes in name order, list 2's at the end. The side list's
// phrases leave the current list for the new group with their hit counts.
void MainWindowController::createGroupFrom(bool list1) {
    const std::string& nameBox = list1 ? boxes_.list1Name : boxes_.list2Name;
    const Page* page = list1 ? this->list1() : this->list2();
    if (nameBox.empty() || !page || page->empty()) return;
    const std::string name = groupNameFromBox(nameBox);
    int position = 0;
    Group* group = addNewGroup(project_, name, list1 ? NewGroupPlace::NameOrder : NewGroupPlace::End, &position);
    if (!group) {
        desktop_.message({"A group with this name already exists!", "Cannot create group", Icon::Warning, Buttons::Ok});
        focus_ = list1 ? Focus::List1Name : Focus::List2Name;
        notify(kSelection);
        return;
    }
    (list1 ? boxes_.list1Filter : boxes_.list2Filter).clear();
    // The selected tab keeps showing its list when a tab is inserted before it.
    if (tab_ > 0 && position + 1 <= tab_) ++tab_;
    moveSideListInto(*group, list1, list1 ? "Creating group from phase 3 list 1..." : "Creating group from phase 3 list 2...",
                     [this, list1] { focus_ = list1 ? Focus::List1Filter : Focus::List2Filter; });
}

namespace {
// A side list going into a group on the worker: both lists are lent to it.
struct SideListJob {
    Group source;
    Group target;
    std::vector<std::string> texts;
};
}  // namespace

// On the worker: the side list's phrases leave the current list for the end
// of `target`; then the side list's page goes.
void MainWindowController::moveSideListInto(Group& target, bool list1, const std::string& statusText,
                                            std::function<void()> after) {
    const size_t pageIndex = pagePosition_ + (list1 ? 0 : 1);
    auto job = std::make_shared<SideListJob>();
    job->texts = *pages_.page(pageIndex, false);
    Group* source = &currentList();
    job->source = lendList(*source);
    job->target = lendList(target);
    project_.modified = true;
    runJob(
        statusText, [job](const ProgressFn& progress) {
            moveSideListPhrases(job->source, job->target, job->texts);
            progress(100);
        },
        [this, job, source, target = &target, pageIndex, after = std::move(after)](bool ok) {
            returnList(*source, std::move(job->source));
            returnList(*target, std::move(job->target));
            if (!ok) return;
            pages_.remove(pageIndex);
            afterPageRemoved();
            if (after) after();
            refill();
            notify(kTabs | kPages | kSelection);
        });
}

// Only the side list's phrases move; the other side list keeps its rows.
void MainWindowController::addListToGroup(bool list1) {
    const Page* page = list1 ? this->list1() : this->list2();
    if (!page || page->empty()) {
        desktop_.message({"No items to add to an existing group!", "Cannot move", Icon::Warning, Buttons::Ok});
        return;
    }
    const std::vector<std::string> names = groupNames(tab_ - 1);
    if (names.empty()) {
        desktop_.message({"No available groups!", "Cannot move", Icon::Warning, Buttons::Ok});
        return;
    }
    const std::optional<size_t> chosen = groupDialogs_.chooseGroup(names);
    if (!chosen || *chosen >= names.size()) return;
    (list1 ? boxes_.list1Name : boxes_.list2Name).clear();
    // The offered names are the groups in tab order without the current tab's.
    const int position = static_cast<int>(*chosen) + (tab_ > 0 && static_cast<int>(*chosen) >= tab_ - 1 ? 1 : 0);
    Group* target = groupAt(project_, position);
    if (!target) return;
    moveSideListInto(*target, list1,
                     list1 ? "Adding to existing group from phase 3 list 1..."
                           : "Adding to existing group from phase 3 list 2...",
                     {});
}

void MainWindowController::renameGroup(int group) {
    if (group < 0) {
        desktop_.message({"Cannot rename the main list!", "Cannot rename", Icon::Information, Buttons::Ok});
        return;
    }
    command(MainCommand::RenameGroup, [&] { renameGroupNow(group); });
}

void MainWindowController::renameGroupNow(int group) {
    Group* g = groupAt(project_, group);
    if (!g) return;
    const std::optional<std::string> name = groupDialogs_.renameGroup(g->name, [this, g](const std::string& typed) {
        const Group* other = findGroup(project_, typed.substr(0, kGroupNameSize - 1));
        return other && other != g;
    });
    if (!name || *name == g->name || name->empty()) return;
    g->name = name->substr(0, kGroupNameSize - 1);
    project_.modified = true;
    notify(kTabs);
}

void MainWindowController::promptDeleteGroup(int group) {
    if (group < 0) {
        desktop_.message({"Cannot delete the main list!", "Cannot delete", Icon::Information, Buttons::Ok});
        return;
    }
    command(MainCommand::DeleteGroup, [&] { deleteGroupNow(group); });
}

void MainWindowController::deleteGroupNow(int group) {
    if (!groupAt(project_, group)) return;
    if (desktop_.message({"Are you sure you want to delete this group?", "Confirm delete", Icon::Question,
                          Buttons::YesNo}) != Answer::Yes)
        return;
    leavePhase3();
    // The tab moves off the group before it goes, so nothing shows a deleted list.
    const bool wasShown = group + 1 == tab_;
    if (wasShown) tab_ = group;
    deleteGroupCounted(project_, *project_.groups[group]);
    if (wasShown) showTab(group);
    else if (group + 1 < tab_) --tab_;
    notify(kTabs | kLabels);
}

void MainWindowController::mergeGroup(int group) {
    if (group < 0) {
        desktop_.message({"Cannot merge the main list!", "Cannot merge", Icon::Information, Buttons::Ok});
        return;
    }
    command(MainCommand::MergeGroup, [&] { mergeGroupNow(group); });
}

void MainWindowController::mergeGroupNow(int group) {
    if (!groupAt(project_, group)) return;
    std::vector<std::string> names{std::string(kMainListChoice)};
    for (std::string& name : groupNames(group)) names.push_back(std::move(name));
    const std::optional<size_t> chosen = groupDialogs_.chooseGroup(names);
    if (!chosen || *chosen >= names.size()) return;
    // The main list is the first entry, whatever a group is called; the rest
    // are the groups in tab order without the merged one.
    const int position = static_cast<int>(*chosen) - 1;
    Group* target = *chosen == 0 ? &project_.mainList : groupAt(project_, position + (position >= group ? 1 : 0));
    if (!target || target == project_.groups[group].get()) return;
    leavePhase3();
    const bool wasShown = group + 1 == tab_;
    if (wasShown) tab_ = group;
    mergeGroupInto(project_, *project_.groups[group], *target);
    if (wasShown) showTab(group);
    else if (group + 1 < tab_) --tab_;
    refill();
    notify(kTabs | kLabels);
}

void MainWindowController::promptFindGroup() {
    command(MainCommand::FindGroup, [&] {
        const std::optional<std::string> chosen = groupDialogs_.findGroup(groupNames());
        if (!chosen) return;
        const int index = groupIndex(project_, *chosen);
        if (index < 0) {
            desktop_.message({"Cannot find selected group!", "Search error", Icon::Warning, Buttons::Ok});
            return;
        }
        if (index + 1 != tab_) {
            leavePhase3();
            showTab(index + 1);
        }
    });
}

void MainWindowController::copyGroupName(int group) {
    command(MainCommand::CopyGroupName, [&] {
        if (const Group* g = groupAt(project_, group)) desktop_.setClipboardText(g->name);
    });
}

void MainWindowController::sortGroups(GroupOrder order) {
    command(MainCommand::SortGroups, [&] { sortGroupsNow(order); });
}

// Only the order of the groups changes; the selected group stays selected.
void MainWindowController::sortGroupsNow(GroupOrder order) {
    const Group* selected = tab_ > 0 ? project_.groups[tab_ - 1].get() : nullptr;
    pw::sortGroups(project_, order);
    if (selected) {
        for (size_t i = 0; i < project_.groups.size(); ++i)
            if (project_.groups[i].get() == selected) tab_ = static_cast<int>(i + 1);
    }
    notify(kTabs);
}

void MainWindowController::setGroupColor(int group, int colorIndex) {
    command(MainCommand::SetGroupColor, [&] {
        Group* g = groupAt(project_, group);
        if (!g || colorIndex < 0 || colorIndex >= kGroupColorCount) return;
        g->colorIndex = colorIndex;
        lastColor_ = colorIndex;
        project_.modified = true;
        notify(kTabs);
    });
}

std::vector<MenuItem> MainWindowController::tabMenu(int group) {
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
