#pragma once
// The selected rows of a list or table widget, ascending.

#include <QListWidget>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace pw::ui {

inline std::vector<int> selectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (QListWidgetItem* item : list->selectedItems()) rows.push_back(list->row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

inline std::vector<int> selectedRows(const QTableView* view) {
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace pw::ui
