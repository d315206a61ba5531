// The main window's phase commands: changing phase, the 'Delete' box of
// phase 2 and the two side lists of phase 3.

#include <algorithm>
#include <memory>

#include "core/groupoperations.h"
#include "core/listmoves.h"
#include "core/phraselist.h"
#include "core/text.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::ui {

void MainWindowController::goToPhase(int phase) {
    if (phase < 1 || phase > kPhaseCount || phase == this->phase()) return;
    command(MainCommand::GoToPhase, [&] {
        if (phase == static_cast<int>(Phase::Ads) && tab_ == 0) {
            desktop_.message(
                {"Cannot enter phase 4 while in the main list!", "Phase 4 error", Icon::Warning, Buttons::Ok});
            return;
        }
        leavePhase3();
        phase_ = static_cast<Phase>(phase);
        if (phase_ == Phase::Ads) startPhase4OnList();
        notify(kPhase | kLabels | kPhase4);
    });
}

void MainWindowController::rowDoubleClicked(int row, const std::vector<int>& selectedRows) {
    switch (phase_) {
    case Phase::Filter: feedIgnoreBox(row); break;
    case Phase::Delete: moveToDeleteBox({row}); break;
    case Phase::Group: moveToList1(selectedRows); break;
    case Phase::Ads: break;
    }
}

void MainWindowController::deleteKeyPressed(const std::vector<int>& selectedRows) {
    if (phase_ == Phase::Delete) moveToDeleteBox(selectedRows);
}

// --- phase 2 ---

void MainWindowController::moveToDeleteBox(const std::vector<int>& rows) {
    command(MainCommand::MoveToDeleteBox, [&] {
        std::vector<uint32_t> positions;
        const std::vector<int> moved = validRows(rows, rows_.size());
        for (int r : moved) positions.push_back(rows_[r]);
        // The row that takes the first moved one's place is selected, so Delete goes on.
        moveBetweenListAndDeleteBox(positions, true, moved.empty() ? std::nullopt : std::optional<int>(moved.front()));
    });
}

void MainWindowController::moveBackFromDeleteBox(const std::vector<int>& deleteBoxRows) {
    command(MainCommand::MoveBackFromDeleteBox, [&] {
        std::vector<uint32_t> positions;
        for (int r : validRows(deleteBoxRows, deleteRows_.size())) positions.push_back(deleteRows_[r]);
        moveBetweenListAndDeleteBox(positions, false);
    });
}

// Phrases in the 'Delete' box are off "Edited list" until they come back.
void MainWindowController::moveBetweenListAndDeleteBox(const std::vector<uint32_t>& positions, bool intoBox,
                                                       std::optional<int> rowToSelectAfter) {
    if (positions.empty()) return;
    Group* list = &currentList();
    auto lent = std::make_shared<Group>(lendList(*list));
    auto moved = std::make_shared<int>(0);
    project_.modified = true;
    runJob(
        intoBox ? "Moving selected phrases to Phase 2 list..."
                : "Moving selected phrases from Phase 2 list to main list...",
        [lent, positions, moved, intoBox](const ProgressFn& progress) {
            *moved = intoBox ? setAsideAt(*lent, positions) : restoreAt(*lent, positions);
            progress(100);
        },
        [this, list, lent, moved, intoBox, rowToSelectAfter](bool ok) {
            returnList(*list, std::move(*lent));
            if (!ok) return;
            project_.editedCount += intoBox ? -*moved : *moved;
            refill();
            if (rowToSelectAfter && !rows_.empty()) {
                rowToSelect_ = std::min(*rowToSelectAfter, static_cast<int>(rows_.size()) - 1);
                notify(kSelection);
            }
        });
}

// The phrases in the 'Delete' box were taken off "Edited list" when they were
// moved there, so deleting them for good leaves the count as it is.
void MainWindowController::deletePermanently() {
    command(MainCommand::DeletePermanently, [&] {
        if (deleteRows_.empty()) return;
        if (settings_.values().confirmDelete) {
            const DeleteConfirmation answer = dialogs_.confirmPermanentDelete();
            if (!answer.yes) return;
            settings_.setConfirmDelete(!answer.dontShowAgain);
        }
        deleteSetAside(currentList());
        project_.modified = true;
        refill();
    });
}

// --- phase 3 ---

void MainWindowController::moveToList1(const std::vector<int>& selectedRows) {
    command(MainCommand::MoveToList1, [&] { moveToList1Now(selectedRows); });
}

namespace {
// A move into list 1 on the worker: the lent list and the texts it gives.
struct ToList1Job {
    Group list;
    std::vector<uint32_t> positions;
    std::vector<std::string> texts;
};
}  // namespace

void MainWindowController::moveToList1Now(const std::vector<int>& selectedRows) {
    const std::vector<int> rows = validRows(selectedRows, rows_.size());
    const bool byFilter = rows.empty();
    auto job = std::make_shared<ToList1Job>();
    if (byFilter) {
        const Phase3Filter filter = parsePhase3Filter(boxes_.list1Filter);
        if (filter.empty()) return;
        job->positions = visibleMatching(currentList().phrases, filter);
    } else {
        for (int r : rows) job->positions.push_back(rows_[r]);
    }
    pages_.page(pagePosition_, true);
    Group* list = &currentList();
    job->list = lendList(*list);
    runJob(
        "Moving phrases to phase 3 list 1...",
        [job](const ProgressFn& progress) {
            job->texts.reserve(job->positions.size());
            for (uint32_t position : job->positions) job->texts.emplace_back(job->list.phrases[position].text());
            setAsideAt(job->list, job->positions);
            progress(100);
        },
        [this, list, job, pageIndex = pagePosition_, filterText = boxes_.list1Filter, byFilter](bool ok) {
            returnList(*list, std::move(job->list));
            if (!ok) return;
            Page& page = *pages_.page(pageIndex, true);
            for (std::string& text : job->texts) page.push_back(std::move(text));
            if (byFilter && boxes_.list1Name.empty()) boxes_.list1Name = filterText.substr(0, kNameBoxSize);
            if (byFilter) focus_ = Focus::List1Name;
            refill();
            notify(kPages | kSelection);
        });
}

void MainWindowController::searchList1IntoList2() {
    command(MainCommand::MoveIntoList2, [&] { searchList1IntoList2Now(); });
}

void MainWindowController::searchList1IntoList2Now() {
    const Phase3Filter filter = parsePhase3Filter(boxes_.list2Filter);
    if (filter.empty()) return;
    std::vector<int> matching;
    if (const Page* from = list1())
        for (size_t i = 0; i < from->size(); ++i)
            if (filter.matches(Phrase((*from)[i]).text())) matching.push_back(static_cast<int>(i));
    movePageRows(pagePosition_, pagePosition_ + 1, matching);
    if (boxes_.list2Name.empty()) boxes_.list2Name = boxes_.list2Filter.substr(0, kNameBoxSize);
    notify(kPages | kLabels);
}

void MainWindowController::moveIntoList2(const std::vector<int>& list1Rows) {
    command(MainCommand::MoveIntoList2, [&] {
        if (list1Rows.empty()) searchList1IntoList2Now();
        else if (list1()) {
            movePageRows(pagePosition_, pagePosition_ + 1, list1Rows);
            notify(kPages | kLabels);
        }
    });
}

void MainWindowController::moveList1ToList2(const std::vector<int>& list1Rows) {
    command(MainCommand::MoveList1ToList2, [&] {
        if (!list1()) return;
        movePageRows(pagePosition_, pagePosition_ + 1, list1Rows);
        notify(kPages | kLabels);
    });
}

void MainWindowController::moveList2ToList1(const std::vector<int>& list2Rows) {
    command(MainCommand::MoveList2ToList1, [&] {
        if (!list2()) return;
        movePageRows(pagePosition_ + 1, pagePosition_, list2Rows);
        removePageIfEmpty(pagePosition_ + 1);
        notify(kPages | kLabels);
    });
}

// Both pages are made when missing, the later one first, so that neither
// reference is left behind by a page added after it.
void MainWindowController::movePageRows(size_t fromIndex, size_t toIndex, const std::vector<int>& rows) {
    pages_.page(std::min(fromIndex, toIndex), true);
    pages_.page(std::max(fromIndex, toIndex), true);
    Page& from = *pages_.page(fromIndex, false);
    Page& to = *pages_.page(toIndex, false);
    for (std::string& text : takePositions(from, validRows(rows, from.size()))) to.push_back(std::move(text));
}

void MainWindowController::removePageIfEmpty(size_t index) {
    const Page* page = pages_.page(index);
    if (!page || !page->empty()) return;
    pages_.remove(index);
    afterPageRemoved();
}

void MainWindowController::moveList1ToMain(const std::vector<int>& list1Rows) {
    command(MainCommand::MoveList1ToMain, [&] { moveSideListToList(pagePosition_, list1Rows); });
}
void MainWindowController::moveList2ToMain(const std::vector<int>& list2Rows) {
    command(MainCommand::MoveList2ToMain, [&] { moveSideListToList(pagePosition_ + 1, list2Rows); });
}

// The rows' texts leave the page and their phrases come back into the list view.
void MainWindowController::moveSideListToList(size_t pageIndex, const std::vector<int>& rows) {
    if (!pages_.page(pageIndex)) return;
    Page& page = *pages_.page(pageIndex, false);
    restoreByTexts(currentList(), takePositions(page, validRows(rows, page.size())));
    project_.modified = true;
    removePageIfEmpty(pageIndex);
    refill();
    notify(kPages);
}

// The scroll position moves back by one and both lists start afresh.
void MainWindowController::afterPageRemoved() {
    if (pagePosition_ > 0) --pagePosition_;
    boxes_ = {};
    notify(kPages | kLabels);
}

void MainWindowController::setPagePosition(int position) {
    if (!command(MainCommand::SetPagePosition, [&] {
            const int last = std::max(0, pageCount() - 1);
            pagePosition_ = static_cast<size_t>(std::clamp(position, 0, last));
            boxes_ = {};
        }))
        return notify(kPages);  // the scroll bar goes back to where the lists are
    notify(kPages | kLabels);
}

// Puts every phrase held in the side lists back into the list, so that none
// is ever stranded there.
void MainWindowController::leavePhase3() {
    if (phase_ != Phase::Group || pages_.empty()) {
        pages_.clear();
        pagePosition_ = 0;
        return;
    }
    std::vector<std::string> texts;
    for (size_t i = 0; i < pages_.count(); ++i)
        for (const std::string& t : *pages_.page(i)) texts.push_back(t);
    restoreByTexts(currentList(), texts);
    pages_.clear();
    pagePosition_ = 0;
    boxes_ = {};
    refill();
    notify(kPages | kLabels);
}

// --- groups made from the phase-3 lists ---

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
    const std::vector<std::string> names = groupNames(project_, tab_ - 1);
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

}  // namespace pw::ui
