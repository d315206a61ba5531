#pragma once
// Phase 3 of the main window: the two side lists ("list 1" and "list 2")
// with their "Filter:" and "Name:" boxes and the pages they scroll through,
// and the groups made from them. They work on the main window's lists
// through its workspace; a phrase in a side list is set aside in the shown
// list until it goes into a group or comes back.

#include <string>
#include <vector>

#include "core/phase3pages.h"
#include "ui/common/listworkspace.h"
#include "ui/groups/groupdialogs.h"

namespace pw::ui {

// The most characters a phase-3 "Name:" box takes over from its "Filter:" box.
constexpr size_t kNameBoxSize = 255;

// The phase-3 "Filter:" and "Name:" boxes.
struct Phase3Boxes {
    std::string list1Filter, list1Name, list2Filter, list2Name;
};

class SideLists {
public:
    SideLists(ListWorkspace& lists, GroupDialogs& dialogs) : lists_(lists), dialogs_(dialogs) {}

    const Page* list1() const { return pages_.page(position_); }
    const Page* list2() const { return pages_.page(position_ + 1); }
    int pagePosition() const { return static_cast<int>(position_); }
    int pageCount() const { return static_cast<int>(pages_.count()); }
    // Whether any page holds a phrase, and how many they hold.
    bool holdPhrases() const { return !pages_.empty(); }
    size_t phraseCount() const { return pages_.totalTexts(); }
    const Phase3Boxes& boxes() const { return boxes_; }
    void setPhase3Box(std::string Phase3Boxes::*box, std::string text) { boxes_.*box = std::move(text); }
    bool list1CreateEnabled() const { return !boxes_.list1Name.empty() && list1AddEnabled(); }
    bool list2CreateEnabled() const { return !boxes_.list2Name.empty() && list2AddEnabled(); }
    bool list1AddEnabled() const { return list1() && !list1()->empty(); }
    bool list2AddEnabled() const { return list2() && !list2()->empty(); }

    // The selected rows of the list view go to list 1, or without a
    // selection the rows that list 1's "Filter:" finds.
    void moveToList1(const std::vector<int>& selectedRows);
    void searchList1IntoList2();
    // The move-to-list-2 button and Enter in list 2's "Filter:": the selected
    // rows of list 1 move, or without a selection list 2's filter runs.
    void moveIntoList2(const std::vector<int>& list1Rows);
    void moveList1ToList2(const std::vector<int>& list1Rows);
    void moveList2ToList1(const std::vector<int>& list2Rows);
    void moveList1ToMain(const std::vector<int>& list1Rows);
    void moveList2ToMain(const std::vector<int>& list2Rows);
    void setPagePosition(int position);
    void createGroupFromList1();
    void createGroupFromList2();
    void addList1ToGroup();
    void addList2ToGroup();

    // Every phrase held in the side lists goes back into the shown list, so
    // that none is ever stranded there; outside phase 3 the pages just go.
    void putBack();
    // The project closed: the pages and boxes start afresh.
    void clear();

private:
    void moveToList1Now(const std::vector<int>& selectedRows);
    void searchList1IntoList2Now();
    void movePageRows(size_t fromIndex, size_t toIndex, const std::vector<int>& rows);
    void removePageIfEmpty(size_t index);
    void moveSideListToList(size_t pageIndex, const std::vector<int>& rows);
    void afterPageRemoved();
    void createGroupFrom(bool list1);
    void addListToGroup(bool list1);
    void moveSideListInto(Group& target, bool list1, const std::string& statusText, std::function<void()> after);

    ListWorkspace& lists_;
    GroupDialogs& dialogs_;
    Phase3Pages pages_;
    size_t position_ = 0;
    Phase3Boxes boxes_;
};

}  // namespace pw::ui
