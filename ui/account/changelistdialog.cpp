#include "ui/account/changelistdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "account/changequeue.h"
#include "ui/account/accountwidgets.h"
#include "ui/common/qttext.h"

namespace pw::ui {

CDialogListChanges::CDialogListChanges(const std::string& caption, const std::string& okText,
                                       std::vector<std::string> lines, uint32_t background, QWidget* parent)
    : QDialog(parent), lines_(std::move(lines)) {
    setWindowTitle(caption.empty() ? QString("Commit changes") : toQt(caption));
    applyAccountSkin(this, background);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Uncommitted changes:"));
    list_ = new QTreeWidget;
    list_->setObjectName("changes");
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A click toggles one change, so that a few can be left out of a long list.
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setHeaderLabels({"Action", "Target", "Failed"});
    const int widths[] = {120, 170, 70};
    for (int c = 0; c < 3; ++c) list_->setColumnWidth(c, widths[c]);
    for (const ChangeRow& row : changeRows(lines_))
        list_->addTopLevelItem(new QTreeWidgetItem({toQt(row.action), toQt(row.target), row.failed ? "YES" : ""}));
    list_->setMinimumSize(400, 220);
    layout->addWidget(list_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = accountButton("OK", kChangeListOkTooltip, "ok");
    if (!okText.empty()) ok_->setText(toQt(okText));
    ok_->setDefault(true);
    auto* cancel = accountButton("Cancel", kCloseTooltip, "cancel");
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    list_->selectAll();
    ok_->setEnabled(anyChangeSelected(selection()));
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &CDialogListChanges::followSelection);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<bool> CDialogListChanges::selection() const {
    std::vector<bool> selected(lines_.size(), false);
    for (int r = 0; r < list_->topLevelItemCount() && r < static_cast<int>(selected.size()); ++r)
        selected[r] = list_->selectionModel()->isRowSelected(r, {});
    return selected;
}

// The children of a parent change go with it; OK needs a change to act on.
void CDialogListChanges::followSelection() {
    std::vector<bool> selected = selection();
    followParentSelection(lines_, selected);
    {
        // Through the selection model: an item's own flag is set only after
        // the change that called us has been announced.
        QSignalBlocker quiet(list_);
        QItemSelectionModel* model = list_->selectionModel();
        for (int r = 0; r < list_->topLevelItemCount(); ++r)
            if (model->isRowSelected(r, {}) != selected[r])
                model->select(list_->model()->index(r, 0), (selected[r] ? QItemSelectionModel::Select
                                                                       : QItemSelectionModel::Deselect) |
                                                               QItemSelectionModel::Rows);
    }
    ok_->setEnabled(anyChangeSelected(selected));
}

std::vector<std::string> CDialogListChanges::chosen() const { return selectedChanges(lines_, selection()); }

}  // namespace pw::ui
