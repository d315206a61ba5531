#pragma once
// Phase 2 of the main window: the 'Delete' box beside the list, which holds
// the phrases set aside from the shown list until they come back or are
// deleted for good.

#include <cstdint>
#include <string_view>
#include <vector>

#include "io/appsettings.h"
#include "ui/common/listworkspace.h"
#include "ui/lists/listdialogs.h"

namespace pw::ui {

class DeleteBox {
public:
    DeleteBox(ListWorkspace& lists, ListDialogs& dialogs, SettingsStore& settings)
        : lists_(lists), dialogs_(dialogs), settings_(settings) {}

    // The rows the box shows; while a job has the lists they show nothing.
    size_t count() const { return rows_.size(); }
    std::string_view text(size_t row) const;
    int32_t hits(size_t row) const;
    bool deleteButtonEnabled() const { return !rows_.empty(); }

    void moveToDeleteBox(const std::vector<int>& listRows);
    void moveBackFromDeleteBox(const std::vector<int>& boxRows);
    void deletePermanently();

    // The box shows the set-aside phrases of the current list again; it stays
    // empty while the phase-3 side lists hold phrases of that list.
    void refill(bool sideListsHoldPhrases);
    void clear() { rows_.clear(); }

private:
    void moveBetweenListAndBox(const std::vector<uint32_t>& positions, bool intoBox,
                               std::optional<int> rowToSelectAfter = {});

    ListWorkspace& lists_;
    ListDialogs& dialogs_;
    SettingsStore& settings_;
    std::vector<uint32_t> rows_;  // list positions shown by the box
};

}  // namespace pw::ui
