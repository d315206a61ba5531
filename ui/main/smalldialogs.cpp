#include "ui/main/smalldialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/common/dialogbuttons.h"
#include "ui/common/qttext.h"

namespace pw::ui {

CDialogConfirmAction::CDialogConfirmAction(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Confirm action");
    auto* v = new QVBoxLayout(this);
    auto* warning = new QLabel("WARNING! This action will permanently remove the selected keywords from your list!");
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    warning->setWordWrap(true);
    v->addWidget(warning);
    v->addWidget(new QLabel("Are you sure you want to continue?"));
    dontShow_ = new QCheckBox("Don't show this message again");
    dontShow_->setObjectName("dontShowAgain");
    v->addWidget(dontShow_);
    v->addLayout(acceptCancelRow(this, "Yes", "&No"));
    findChild<QPushButton*>("cancel")->setDefault(true);
}

bool CDialogConfirmAction::dontShowAgain() const { return dontShow_->isChecked(); }

CDialogCSVColumns::CDialogCSVColumns(const QString& fileLabel, int columnCount, int phraseColumn, int hitColumn,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Select CSV columns");
    auto* form = new QFormLayout(this);
    form->addRow("File:", new QLabel(fileLabel));
    phrase_ = new QComboBox;
    phrase_->setObjectName("phraseColumn");
    hits_ = new QComboBox;
    hits_->setObjectName("hitColumn");
    hits_->addItem("None");
    for (int c = 1; c <= columnCount; ++c) {
        phrase_->addItem(QString("Column %1").arg(c));
        hits_->addItem(QString("Column %1").arg(c));
    }
    phrase_->setCurrentIndex(phraseColumn);
    hits_->setCurrentIndex(hitColumn + 1);
    form->addRow("Search phrase column:", phrase_);
    form->addRow("Hit count column:", hits_);
    // The hit counts can never come from the phrase column.
    auto keepApart = [this] {
        if (hits_->currentIndex() - 1 == phrase_->currentIndex()) hits_->setCurrentIndex(0);
    };
    connect(phrase_, &QComboBox::currentIndexChanged, this, keepApart);
    connect(hits_, &QComboBox::currentIndexChanged, this, keepApart);
    form->addRow(acceptCancelRow(this, "OK"));
}

CDialogXLSSheet::CDialogXLSSheet(const QString& fileName, const QStringList& sheets, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Select XLS sheet");
    setObjectName("CDialogXLSSheet");
    // Wide enough for its title beside the frame's buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
    auto* form = new QFormLayout(this);
    form->addRow("File:", new QLabel(fileName));
    sheets_ = new QComboBox;
    sheets_->setObjectName("sheets");
    sheets_->addItems(sheets);
    form->addRow("Select sheet:", sheets_);
    form->addRow(acceptCancelRow(this, "OK", "Cancel", "Click here to import this sheet", "Click here to cancel importing"));
}

int CDialogXLSSheet::chosen() const { return sheets_->currentIndex(); }

int CDialogCSVColumns::phraseColumn() const { return phrase_->currentIndex(); }
int CDialogCSVColumns::hitColumn() const { return hits_->currentIndex() - 1; }

CDialogIgnoredWords::CDialogIgnoredWords(const QString& word, const std::vector<ListRow>& rows, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Ignored words");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QString("Phrases that \"%1\" removes: %2").arg(word).arg(rows.size())));
    auto* list = new QTreeWidget;
    list->setObjectName("phrases");
    list->setHeaderLabels({"Search phrase", "Hit count"});
    list->setRootIsDecorated(false);
    list->header()->resizeSection(0, 300);
    for (const ListRow& row : rows)
        list->addTopLevelItem(new QTreeWidgetItem({toQt(row.text), QString::number(row.hits)}));
    list->setMinimumSize(420, 300);
    v->addWidget(list);
    auto* close = new QPushButton("Close");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(close, 0, Qt::AlignRight);
}

}  // namespace pw::ui
