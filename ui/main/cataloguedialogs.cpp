#include "ui/main/cataloguedialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/qttext.h"
#include "ui/common/selectedrows.h"
#include "ui/common/textentrydialog.h"

namespace pw::ui {

CatalogueDialog::CatalogueDialog(const QString& title, const QString& availableLabel, const QString& unwantedLabel,
                                 TwoLists& lists, QWidget* parent)
    : QDialog(parent), lists_(lists) {
    setWindowTitle(title);
    auto* grid = new QGridLayout(this);
    available_ = new QListWidget;
    available_->setObjectName("available");
    unwanted_ = new QListWidget;
    unwanted_->setObjectName("unwanted");
    for (QListWidget* l : {available_, unwanted_}) {
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
        l->setMinimumSize(200, 260);
        l->installEventFilter(this);
        connect(l, &QListWidget::itemSelectionChanged, this, &CatalogueDialog::updateButtons);
    }
    toUnwanted_ = new QPushButton(">>");
    toUnwanted_->setObjectName("toUnwanted");
    toAvailable_ = new QPushButton("<<");
    toAvailable_->setObjectName("toAvailable");
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(toUnwanted_);
    moves->addWidget(toAvailable_);
    moves->addStretch();
    grid->addWidget(new QLabel(availableLabel), 0, 0);
    grid->addWidget(new QLabel(unwantedLabel), 0, 2);
    grid->addWidget(available_, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(unwanted_, 1, 2);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton("Add...");
    add->setObjectName("add");
    auto* ok = new QPushButton("OK");
    ok->setObjectName("ok");
    auto* cancel = new QPushButton("Cancel");
    buttons->addWidget(add);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 2, 0, 1, 3);
    connect(toUnwanted_, &QPushButton::clicked, this, [this] {
        if (onMoveToUnwanted) onMoveToUnwanted(selectedRows(available_));
        else lists_.moveToUnwanted(selectedRows(available_));
        showLists();
    });
    connect(toAvailable_, &QPushButton::clicked, this, [this] {
        lists_.moveToAvailable(selectedRows(unwanted_));
        showLists();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        if (onAdd) onAdd();
        showLists();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CatalogueDialog::showLists() {
    auto fill = [](QListWidget* list, const std::vector<std::string>& items) {
        list->clear();
        for (const std::string& item : items) list->addItem(toQt(item));
    };
    fill(available_, lists_.available);
    fill(unwanted_, lists_.unwanted);
    updateButtons();
}

void CatalogueDialog::updateButtons() {
    toUnwanted_->setEnabled(!available_->selectedItems().isEmpty());
    toAvailable_->setEnabled(!unwanted_->selectedItems().isEmpty());
}

bool CatalogueDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::SelectAll)) {
        static_cast<QListWidget*>(watched)->selectAll();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

CDialogCountries::CDialogCountries(CountriesController& controller, QWidget* parent)
    : CatalogueDialog("Countries", "Available countries:", "Unwanted countries:", controller.lists, parent) {
    onAdd = [this, &controller] {
        TextEntryDialog ask("New country...", "Enter country name:", "Add", this);
        if (ask.exec() == QDialog::Accepted) controller.add(fromQt(ask.text()));
    };
    showLists();
}

CUnwantedDialog::CUnwantedDialog(UnwantedCharactersController& controller, QWidget* parent)
    : CatalogueDialog("Unwanted characters", "Available characters:", "Unwanted characters:", controller.lists,
                      parent) {
    onAdd = [this, &controller] {
        TextEntryDialog ask("Add unwanted...", "Enter unwanted character:", "Add", this);
        ask.setMaxLength(1);
        if (ask.exec() != QDialog::Accepted) return;
        const std::string typed = fromQt(ask.text());
        if (!typed.empty()) controller.add(typed);
    };
    onMoveToUnwanted = [&controller](const std::vector<int>& rows) { controller.moveToUnwanted(rows); };
    showLists();
}

}  // namespace pw::ui
