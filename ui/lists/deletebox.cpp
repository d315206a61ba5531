#include "ui/lists/deletebox.h"

#include <algorithm>
#include <memory>

#include "core/listmoves.h"
#include "core/phraselist.h"

namespace pw::ui {

std::string_view DeleteBox::text(size_t row) const {
    return lists_.busy() || row >= rows_.size() ? std::string_view() : lists_.currentList().phrases[rows_[row]].text();
}
int32_t DeleteBox::hits(size_t row) const {
    return lists_.busy() || row >= rows_.size() ? 0 : lists_.currentList().phrases[rows_[row]].hitCount;
}

void DeleteBox::refill(bool sideListsHoldPhrases) {
    rows_ = sideListsHoldPhrases ? std::vector<uint32_t>{} : setAsidePositions(lists_.currentList().phrases);
}

void DeleteBox::moveToDeleteBox(const std::vector<int>& listRows) {
    lists_.command(Needs::Lists, [&] {
        const std::vector<uint32_t>& shown = lists_.rows();
        std::vector<uint32_t> positions;
        const std::vector<int> moved = validRows(listRows, shown.size());
        for (int r : moved) positions.push_back(shown[r]);
        // The row that takes the first moved one's place is selected, so Delete goes on.
        moveBetweenListAndBox(positions, true, moved.empty() ? std::nullopt : std::optional<int>(moved.front()));
    });
}

void DeleteBox::moveBackFromDeleteBox(const std::vector<int>& boxRows) {
    lists_.command(Needs::Lists, [&] {
        std::vector<uint32_t> positions;
        for (int r : validRows(boxRows, rows_.size())) positions.push_back(rows_[r]);
        moveBetweenListAndBox(positions, false);
    });
}

// Phrases in the 'Delete' box are off "Edited list" until they come back.
void DeleteBox::moveBetweenListAndBox(const std::vector<uint32_t>& positions, bool intoBox,
                                      std::optional<int> rowToSelectAfter) {
    if (positions.empty()) return;
    Group* list = &lists_.currentList();
    auto lent = std::make_shared<Group>(lendList(*list));
    auto moved = std::make_shared<int>(0);
    lists_.project().modified = true;
    lists_.runJob(
        intoBox ? "Moving selected phrases to Phase 2 list..."
                : "Moving selected phrases from Phase 2 list to main list...",
        [lent, positions, moved, intoBox](const ProgressFn& progress) {
            *moved = intoBox ? setAsideAt(*lent, positions) : restoreAt(*lent, positions);
            progress(100);
        },
        [this, list, lent, moved, intoBox, rowToSelectAfter](bool ok) {
            returnList(*list, std::move(*lent));
            if (!ok) return;
            lists_.project().editedCount += intoBox ? -*moved : *moved;
            lists_.refill();
            const size_t shown = lists_.rows().size();
            if (rowToSelectAfter && shown > 0)
                lists_.selectRow(std::min(*rowToSelectAfter, static_cast<int>(shown) - 1));
        });
}

// The phrases in the 'Delete' box were taken off "Edited list" when they were
// moved there, so deleting them for good leaves the count as it is.
void DeleteBox::deletePermanently() {
    lists_.command(Needs::Lists, [&] {
        if (rows_.empty()) return;
        if (settings_.values().confirmDelete) {
            const DeleteConfirmation answer = dialogs_.confirmPermanentDelete();
            if (!answer.yes) return;
            settings_.setConfirmDelete(!answer.dontShowAgain);
        }
        deleteSetAside(lists_.currentList());
        lists_.project().modified = true;
        lists_.refill();
    });
}

}  // namespace pw::ui
