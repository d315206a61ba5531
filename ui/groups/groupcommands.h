#pragma once
// The group commands of the main window's tabs and View menu: rename,
// delete, merge, find, copy name, sort and colour, and the tab menu that
// offers them. They work on the main window's lists through its workspace.

#include <string>
#include <vector>

#include "core/groupoperations.h"
#include "core/listordering.h"
#include "ui/common/listworkspace.h"
#include "ui/common/menus.h"
#include "ui/groups/groupdialogs.h"

namespace pw::ui {

// The names of the groups in tab order, but for the group at `except`.
std::vector<std::string> groupNames(const Project& project, int except = -1);

class GroupCommands {
public:
    GroupCommands(ListWorkspace& lists, GroupDialogs& dialogs) : lists_(lists), dialogs_(dialogs) {}

    // Groups by position in the group sequence (tab - 1).
    void renameGroup(int group);
    void promptDeleteGroup(int group);
    void mergeGroup(int group);
    void promptFindGroup();
    void copyGroupName(int group);
    void sortGroups(GroupOrder order);
    void setGroupColor(int group, int colorIndex);
    // The colour last chosen, offered again by the tab menu; -1 before any.
    int lastColor() const { return lastColor_; }
    // The tab menu of group `group`.
    std::vector<MenuItem> tabMenu(int group);

private:
    void renameGroupNow(int group);
    void deleteGroupNow(int group);
    void mergeGroupNow(int group);
    void sortGroupsNow(GroupOrder order);
    // The group at `group` goes; the tab shown before moves with what stays.
    void removeGroupTab(int group, const std::function<void()>& remove);

    ListWorkspace& lists_;
    GroupDialogs& dialogs_;
    int lastColor_ = -1;
};

}  // namespace pw::ui
