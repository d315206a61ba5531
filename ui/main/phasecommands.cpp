// The main window's phase commands: changing phase, the 'Delete' box of
// phase 2 and the two side lists of phase 3.

#include <algorithm>

#include "core/listmoves.h"
#include "core/phraselist.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::ui {

void MainWindowController::goToPhase(int phase) {
    if (phase < 1 || phase > 4 || phase == phase_) return;
    if (refuseWhenBusy()) return;
    if (phase == 4 && tab_ == 0) {
        ui_.message({"Cannot enter phase 4 while in the main list!", "Phase 4 error", Icon::Warning, Buttons::Ok});
        return;
    }
    leavePhase3();
    phase_ = phase;
    if (phase == 4) startPhase4OnList();
    notify(kPhase | kLabels | kPhase4);
}

void MainWindowController::rowDoubleClicked(int row, const std::vector<int>& selectedRows) {
    switch (phase_) {
    case 1: feedIgnoreBox(row); break;
    case 2: moveToDeleteBox({row}); break;
    case 3: moveToList1(selectedRows); break;
    default: break;
    }
}

void MainWindowController::deleteKeyPressed(const std::vector<int>& selectedRows) {
    if (phase_ == 2) moveToDeleteBox(selectedRows);
}

// --- phase 2 ---

void MainWindowController::moveToDeleteBox(const std::vector<int>& rows) {
    std::vector<uint32_t> positions;
    for (int r : validRows(rows, rows_.size())) positions.push_back(rows_[r]);
    moveBetweenListAndDeleteBox(positions, true);
}

void MainWindowController::moveBackFromDeleteBox(const std::vector<int>& deleteBoxRows) {
    std::vector<uint32_t> positions;
    for (int r : validRows(deleteBoxRows, deleteRows_.size())) positions.push_back(deleteRows_[r]);
    moveBetweenListAndDeleteBox(positions, false);
}

// Phrases in the 'Delete' box are off "Edited list" until they come back.
void MainWindowController::moveBetweenListAndDeleteBox(const std::vector<uint32_t>& positions, bool intoBox) {
    if (refuseWhenBusy() || positions.empty()) return;
    Group* list = &currentList();
    auto moved = std::make_shared<int>(0);
    project_.modified = true;
    runJob(
        intoBox ? "Moving selected phrases to Phase 2 list..."
                : "Moving selected phrases from Phase 2 list to main list...",
        [list, positions, moved, intoBox](const ProgressFn& progress) {
            *moved = intoBox ? setAsideAt(*list, positions) : restoreAt(*list, positions);
            progress(100);
        },
        [this, moved, intoBox] {
            project_.editedCount += intoBox ? -*moved : *moved;
            hideStatus();
            refill();
        });
}

// The phrases in the 'Delete' box were taken off "Edited list" when they were
// moved there, so deleting them for good leaves the count as it is.
void MainWindowController::deletePermanently() {
    if (refuseWhenBusy() || deleteRows_.empty()) return;
    if (settings_.values().confirmDelete) {
        const DeleteConfirmation answer = ui_.confirmPermanentDelete();
        if (!answer.yes) return;
        settings_.setConfirmDelete(!answer.dontShowAgain);
    }
    deleteSetAside(currentList());
    project_.modified = true;
    refill();
}

// --- phase 3 ---

void MainWindowController::moveToList1(const std::vector<int>& selectedRows) {
    if (refuseWhenBusy()) return;
    Page* page = pages_.page(pagePosition_, true);
    const std::vector<int> rows = validRows(selectedRows, rows_.size());
    std::vector<uint32_t> positions;
    const Phase3Filter filter = rows.empty() ? parsePhase3Filter(boxes.list1Filter) : Phase3Filter{};
    if (rows.empty()) {
        if (filter.empty()) return;
        for (uint32_t position : rows_)
            if (filter.matches(currentList().phrases[position].text())) positions.push_back(position);
    } else {
        for (int r : rows) positions.push_back(rows_[r]);
    }
    const std::string filterText = boxes.list1Filter;
    Group* list = &currentList();
    runJob(
        "Moving phrases to phase 3 list 1...",
        [list, positions, page](const ProgressFn& progress) {
            for (uint32_t position : positions) page->emplace_back(list->phrases[position].text());
            setAsideAt(*list, positions);
            progress(100);
        },
        [this, filterText, byFilter = rows.empty()] {
            hideStatus();
            if (byFilter && boxes.list1Name.empty()) boxes.list1Name = filterText.substr(0, 255);
            if (byFilter) focus_ = Focus::List1Name;
            refill();
            notify(kPages | kSelection);
        });
}

void MainWindowController::searchList1IntoList2() {
    if (refuseWhenBusy()) return;
    const Phase3Filter filter = parsePhase3Filter(boxes.list2Filter);
    if (filter.empty()) return;
    std::vector<int> matching;
    if (const Page* from = list1())
        for (size_t i = 0; i < from->size(); ++i)
            if (filter.matches(Phrase((*from)[i]).text())) matching.push_back(static_cast<int>(i));
    movePageRows(pagePosition_, pagePosition_ + 1, matching);
    if (boxes.list2Name.empty()) boxes.list2Name = boxes.list2Filter.substr(0, 255);
    notify(kPages | kLabels);
}

void MainWindowController::moveIntoList2(const std::vector<int>& list1Rows) {
    if (list1Rows.empty()) searchList1IntoList2();
    else moveList1ToList2(list1Rows);
}

void MainWindowController::moveList1ToList2(const std::vector<int>& list1Rows) {
    if (refuseWhenBusy() || !list1()) return;
    movePageRows(pagePosition_, pagePosition_ + 1, list1Rows);
    notify(kPages | kLabels);
}

void MainWindowController::moveList2ToList1(const std::vector<int>& list2Rows) {
    if (refuseWhenBusy() || !list2()) return;
    movePageRows(pagePosition_ + 1, pagePosition_, list2Rows);
    removePageIfEmpty(pagePosition_ + 1);
    notify(kPages | kLabels);
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

void MainWindowController::moveList1ToMain(const std::vector<int>& list1Rows) { moveSideListToList(pagePosition_, list1Rows); }
void MainWindowController::moveList2ToMain(const std::vector<int>& list2Rows) {
    moveSideListToList(pagePosition_ + 1, list2Rows);
}

// The rows' texts leave the page and their phrases come back into the list view.
void MainWindowController::moveSideListToList(size_t pageIndex, const std::vector<int>& rows) {
    if (refuseWhenBusy() || !pages_.page(pageIndex)) return;
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
    boxes = {};
    notify(kPages | kLabels);
}

void MainWindowController::setPagePosition(int position) {
    const int last = std::max(0, pageCount() - 1);
    pagePosition_ = static_cast<size_t>(std::clamp(position, 0, last));
    boxes = {};
    notify(kPages | kLabels);
}

// Puts every phrase held in the side lists back into the list, so that none
// is ever stranded there.
void MainWindowController::leavePhase3() {
    if (phase_ != 3 || pages_.empty()) {
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
    boxes = {};
    refill();
    notify(kPages | kLabels);
}

}  // namespace pw::ui
