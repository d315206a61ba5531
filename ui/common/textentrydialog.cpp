#include "ui/common/textentrydialog.h"

#include "ui/common/dialogbuttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw::ui {

TextEntryDialog::TextEntryDialog(const QString& title, const QString& label, const QString& acceptText,
                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(label));
    edit_ = new QLineEdit;
    edit_->setObjectName("text");
    edit_->setMinimumWidth(320);
    v->addWidget(edit_);
    v->addLayout(acceptCancelRow(this, acceptText, "Cancel", {}, "Click here to close this window"));
    ok_ = findChild<QPushButton*>("ok");
    ok_->setEnabled(false);
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& t) { ok_->setEnabled(!t.isEmpty()); });
}

QString TextEntryDialog::text() const { return edit_->text(); }
void TextEntryDialog::setText(const QString& text) {
    edit_->setText(text);
    edit_->selectAll();
}
void TextEntryDialog::setMaxLength(int length) { edit_->setMaxLength(length); }

void TextEntryDialog::accept() {
    if (acceptable && !acceptable(edit_->text())) {
        edit_->setFocus();
        edit_->selectAll();
        return;
    }
    QDialog::accept();
}

CDialogNewProject::CDialogNewProject(QWidget* parent)
    : TextEntryDialog("New project...", "Please enter project name:", "OK", parent) {
    setMaxLength(254);
    findChild<QPushButton*>("ok")->setToolTip("Click here to create this project");
}

CDialogAddPhrases::CDialogAddPhrases(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Add search phrase");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("Enter phrases:"));
    edit_ = new QPlainTextEdit;
    edit_->setObjectName("text");
    edit_->setMinimumSize(360, 180);
    v->addWidget(edit_);
    v->addLayout(acceptCancelRow(this, "&Add", "&Cancel", "Click here to add this search phrase",
                                 "Click here to close this window"));
}

QString CDialogAddPhrases::text() const { return edit_->toPlainText(); }

}  // namespace pw::ui
