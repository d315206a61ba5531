#include "ui/groups/groupdialogwindows.h"

#include "ui/common/dialogbuttons.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw::ui {

namespace {
QHBoxLayout* okCancel(QDialog* dialog, const QString& okText) {
    return acceptCancelRow(dialog, okText, "Cancel", "Click here to select this group", "Click here to close this window");
}
}  // namespace

CDialogExistingGroup::CDialogExistingGroup(const QStringList& names, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Select group");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("Select group:"));
    groups_ = new QComboBox;
    groups_->setObjectName("groups");
    groups_->setMinimumWidth(260);
    groups_->addItems(names);
    v->addWidget(groups_);
    v->addLayout(okCancel(this, "OK"));
}

int CDialogExistingGroup::chosenIndex() const { return groups_->currentIndex(); }

CDialogFindGroup::CDialogFindGroup(const QStringList& names, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Find group...");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("Type a part of the group name:"));
    part_ = new QLineEdit;
    part_->setObjectName("part");
    part_->installEventFilter(this);
    v->addWidget(part_);
    list_ = new QListWidget;
    list_->setObjectName("names");
    list_->addItems(names);
    list_->setMinimumSize(300, 220);
    v->addWidget(new QLabel("Group name"));
    v->addWidget(list_);
    v->addLayout(okCancel(this, "Select group"));
    // The typed part narrows the list as it is typed.
    connect(part_, &QLineEdit::textChanged, this, [this](const QString& part) {
        for (int i = 0; i < list_->count(); ++i)
            list_->item(i)->setHidden(!list_->item(i)->text().contains(part, Qt::CaseInsensitive));
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

bool CDialogFindGroup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == part_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (int i = 0; i < list_->count(); ++i)
                if (!list_->item(i)->isHidden()) {
                    list_->setFocus();
                    list_->setCurrentRow(i);
                    break;
                }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString CDialogFindGroup::chosen() const {
    const QListWidgetItem* item = list_->currentItem();
    return item && !item->isHidden() ? item->text() : QString();
}

}  // namespace pw::ui
