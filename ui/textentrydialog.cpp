#include "ui/textentrydialog.h"

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
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = new QPushButton(acceptText);
    ok_->setObjectName("ok");
    ok_->setDefault(true);
    ok_->setEnabled(false);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cancel");
    cancel->setToolTip("Click here to close this window");
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& t) { ok_->setEnabled(!t.isEmpty()); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
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
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* add = new QPushButton("&Add");
    add->setToolTip("Click here to add this search phrase");
    auto* cancel = new QPushButton("&Cancel");
    cancel->setToolTip("Click here to close this window");
    buttons->addWidget(add);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CDialogAddPhrases::text() const { return edit_->toPlainText(); }

}  // namespace pw::ui
