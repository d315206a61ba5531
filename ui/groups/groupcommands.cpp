// The main window's group commands: groups made from the phase-3 lists, and
// the tab commands rename, delete, merge, find, copy name, sort and colour.

#include <algorithm>

#include "core/listmoves.h"
#include "core/phraselist.h"
#include "core/text.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::ui {

namespace {
constexpr size_t kNameBoxLimit = 126;
constexpr std::string_view kMainListChoice = "Main list";
}  // namespace

// The names of the groups in tab order, but for the group at `except`.
std::vector<std::string> MainWindowController::groupNames(int except) const {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(project_.groups.size()); ++i)
        if (i != except) names.push_back(project_.groups[i]->name);
    return names;
}

void MainWindowController::createGroupFromList1() { createGroupFrom(true); }
void MainWindowController::createGroupFromList2() { createGroupFrom(false); }
void MainWindowController::addList1ToGroup() { addListToGroup(true); }
void MainWindowController::addList2ToGroup() { addListToGroup(false); }

// List 1's group goes in name order, list 2's at the end. The side list's
// phrases leave the current list for the new group with their hit counts.
void MainWindowController::createGroupFrom(bool list1) {
    const std::string& nameBox = list1 ? boxes.list1Name : boxes.list2Name;
    const Page* page = list1 ? this->list1() : this->list2();
    if (nameBox.empty() || !page || page->empty()) return;
    if (refuseWhenBusy()) return;
    const std::string name = nameBox.substr(0, kNameBoxLimit);
    if (findGroup(project_, name)) {
        ui_.message({"A group with this name already exists!", "Cannot create group", Icon::Warning, Buttons::Ok});
        focus_ = list1 ? Focus::List1Name : Focus::List2Name;
        notify(kSelection);
        return;
    }
    (list1 ? boxes.list1Filter : boxes.list2Filter).clear();
    int position = static_cast<int>(project_.groups.size());
    Group* group = list1 ? insertGroupSorted(project_, name, &position) : &appendGroup(project_, name);
    // The selected tab keeps showing its list when a tab is inserted before it.
    if (tab_ > 0 && position + 1 <= tab_) ++tab_;
    moveSideListInto(group, list1, list1 ? "Creating group from phase 3 list 1..." : "Creating group from phase 3 list 2...",
                     [this, list1] { focus_ = list1 ? Focus::List1Filter : Focus::List2Filter; });
}

// On the worker: the side list's phrases leave the current list for the end
// of `target`; then the side list's page goes.
void MainWindowController::moveSideListInto(Group* target, bool list1, const std::string& statusText,
                                            std::function<void()> after) {
    const size_t pageIndex = pagePosition_ + (list1 ? 0 : 1);
    const std::vector<std::string> texts = *pages_.page(pageIndex, false);
    Group* source = &currentList();
    project_.modified = true;
    runJob(
        statusText,
        [source, target, texts](const ProgressFn& progress) {
            for (Phrase& p : takeAt(*source, restoreByTexts(*source, texts))) target->phrases.push_back(std::move(p));
            touch(*target);
            progress(100);
        },
        [this, pageIndex, after = std::move(after)] {
            hideStatus();
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
        ui_.message({"No items to add to an existing group!", "Cannot move", Icon::Warning, Buttons::Ok});
        return;
    }
    const std::vector<std::string> names = groupNames(tab_ - 1);
    if (names.empty()) {
        ui_.message({"No available groups!", "Cannot move", Icon::Warning, Buttons::Ok});
        return;
    }
    if (refuseWhenBusy()) return;
    const std::optional<std::string> chosen = ui_.chooseGroup(names);
    if (!chosen) return;
    (list1 ? boxes.list1Name : boxes.list2Name).clear();
    Group* target = findGroup(project_, *chosen);
    if (!target) return;
    moveSideListInto(target, list1,
                     list1 ? "Adding to existing group from phase 3 list 1..."
                           : "Adding to existing group from phase 3 list 2...",
                     {});
}

void MainWindowController::renameGroup(int group) {
    if (group < 0) {
        ui_.message({"Cannot rename the main list!", "Cannot rename", Icon::Information, Buttons::Ok});
        return;
    }
    Group* g = groupAt(project_, group);
    if (!g) return;
    const std::optional<std::string> name =
        ui_.renameGroup(g->name, [this, g](const std::string& typed) {
            const Group* other = findGroup(project_, typed.substr(0, kGroupNameSize - 1));
            return other && other != g;
        });
    if (!name || *name == g->name || name->empty()) return;
    g->name = name->substr(0, kGroupNameSize - 1);
    project_.modified = true;
    notify(kTabs);
}

// Removes the group's tab; the tab to its left is shown when it was selected.
void MainWindowController::removeGroupTab(int group) {
    const int removedTab = group + 1;
    deleteGroup(project_, project_.groups[group].get());
    project_.modified = true;
    if (removedTab == tab_) showTab(removedTab - 1);
    else if (removedTab < tab_) --tab_;
    notify(kTabs | kLabels);
}

void MainWindowController::promptDeleteGroup(int group) {
    if (group < 0) {
        ui_.message({"Cannot delete the main list!", "Cannot delete", Icon::Information, Buttons::Ok});
        return;
    }
    if (refuseWhenBusy() || !groupAt(project_, group)) return;
    if (ui_.message({"Are you sure you want to delete this group?", "Confirm delete", Icon::Question, Buttons::YesNo}) !=
        Answer::Yes)
        return;
    leavePhase3();
    project_.editedCount -= visibleCount(project_.groups[group]->phrases);
    removeGroupTab(group);
}

void MainWindowController::mergeGroup(int group) {
    if (group < 0) {
        ui_.message({"Cannot merge the main list!", "Cannot merge", Icon::Information, Buttons::Ok});
        return;
    }
    if (refuseWhenBusy() || !groupAt(project_, group)) return;
    std::vector<std::string> names{std::string(kMainListChoice)};
    for (std::string& name : groupNames(group)) names.push_back(std::move(name));
    const std::optional<std::string> chosen = ui_.chooseGroup(names);
    if (!chosen) return;
    Group* target = equalsIgnoreCase(*chosen, kMainListChoice) ? &project_.mainList : findGroup(project_, *chosen);
    if (!target || target == project_.groups[group].get()) return;
    leavePhase3();
    moveAllPhrases(*project_.groups[group], *target);
    removeGroupTab(group);
    refill();
}

void MainWindowController::promptFindGroup() {
    const std::optional<std::string> chosen = ui_.findGroup(groupNames());
    if (!chosen) return;
    const int index = groupIndex(project_, *chosen);
    if (index < 0) {
        ui_.message({"Cannot find selected group!", "Search error", Icon::Warning, Buttons::Ok});
        return;
    }
    selectTab(index + 1);
}

void MainWindowController::copyGroupName(int group) {
    if (const Group* g = groupAt(project_, group)) ui_.setClipboardText(g->name);
}

// Does not wait for the worker: only the order of the groups changes.
void MainWindowController::sortGroups(GroupOrder order) {
    const Group* selected = tab_ > 0 ? project_.groups[tab_ - 1].get() : nullptr;
    pw::sortGroups(project_, order);
    if (selected) {
        for (size_t i = 0; i < project_.groups.size(); ++i)
            if (project_.groups[i].get() == selected) tab_ = static_cast<int>(i + 1);
    }
    notify(kTabs);
}

void MainWindowController::setGroupColor(int group, int colorIndex) {
    Group* g = groupAt(project_, group);
    if (!g || colorIndex < 0 || colorIndex >= kGroupColorCount) return;
    g->colorIndex = colorIndex;
    lastColor_ = colorIndex;
    project_.modified = true;
    notify(kTabs);
}

}  // namespace pw::ui
