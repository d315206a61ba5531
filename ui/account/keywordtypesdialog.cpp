#include "ui/account/keywordtypesdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/account/accountwidgets.h"
#include "ui/common/qttext.h"

namespace pw::ui {

CDialogSelectKeywordTypes::CDialogSelectKeywordTypes(KeywordTypesController& controller, uint32_t background,
                                                     QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Set default properties");
    applyAccountSkin(this, background);
    KeywordTypesForm& f = controller_.form();
    auto* layout = new QVBoxLayout(this);

    auto* bids = new QGroupBox("Ad group properties");
    auto* grid = new QGridLayout(bids);
    auto amount = [&](const char* label, const std::string& text, const char* objectName, int row) {
        auto* edit = new QLineEdit(toQt(text));
        edit->setObjectName(objectName);
        edit->setEnabled(controller_.bidsEnabled());
        grid->addWidget(new QLabel(label), row, 0);
        grid->addWidget(new QLabel("$"), row, 1);
        grid->addWidget(edit, row, 2);
        return edit;
    };
    maxCpc_ = amount("Max CPC:", f.maxCpc, "maxCpc", 0);
    maxCpm_ = amount("Max CPM:", f.maxCpm, "maxCpm", 1);
    maxContentCpc_ = amount("Max content CPC:", f.maxContentCpc, "maxContentCpc", 2);
    layout->addWidget(bids);

    auto* types = new QGroupBox("Keyword types");
    auto* typeBox = new QVBoxLayout(types);
    all_ = new QCheckBox("All");
    broad_ = new QCheckBox("Broad (simple text)");
    phrase_ = new QCheckBox("Phrase (\"\")");
    exact_ = new QCheckBox("Exact ([])");
    all_->setObjectName("all");
    broad_->setObjectName("broad");
    phrase_->setObjectName("phrase");
    exact_->setObjectName("exact");
    for (QCheckBox* box : {all_, broad_, phrase_, exact_}) typeBox->addWidget(box);
    layout->addWidget(types);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = accountButton("OK", "Click here to accept these settings", "ok");
    ok_->setDefault(true);
    auto* cancel = accountButton("Cancel", kCloseTooltip, "cancel");
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(maxCpc_, &QLineEdit::textChanged, this, [this](const QString& t) { controller_.form().maxCpc = fromQt(t); });
    connect(maxCpm_, &QLineEdit::textChanged, this, [this](const QString& t) { controller_.form().maxCpm = fromQt(t); });
    connect(maxContentCpc_, &QLineEdit::textChanged, this,
            [this](const QString& t) { controller_.form().maxContentCpc = fromQt(t); });
    connect(all_, &QCheckBox::clicked, this, [this](bool on) {
        controller_.clickAll(on);
        showChecks();
    });
    const std::pair<QCheckBox*, KeywordType> typeBoxes[] = {
        {broad_, KeywordType::Broad}, {phrase_, KeywordType::Phrase}, {exact_, KeywordType::Exact}};
    for (const auto& [box, type] : typeBoxes)
        connect(box, &QCheckBox::clicked, this, [this, type = type](bool on) {
            controller_.clickType(type, on);
            showChecks();
        });
    connect(ok_, &QPushButton::clicked, this, &CDialogSelectKeywordTypes::tryAccept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showChecks();
}

void CDialogSelectKeywordTypes::showChecks() {
    const KeywordTypesForm& f = controller_.form();
    all_->setChecked(f.all);
    broad_->setChecked(f.broad);
    phrase_->setChecked(f.phrase);
    exact_->setChecked(f.exact);
    ok_->setEnabled(controller_.okEnabled());
}

void CDialogSelectKeywordTypes::tryAccept() {
    if (controller_.accept()) {
        accept();
        return;
    }
    QLineEdit* field = maxCpc_;
    if (controller_.focusField() == KeywordTypesField::MaxCpm) field = maxCpm_;
    if (controller_.focusField() == KeywordTypesField::MaxContentCpc) field = maxContentCpc_;
    field->setFocus();
    field->selectAll();
}

}  // namespace pw::ui
