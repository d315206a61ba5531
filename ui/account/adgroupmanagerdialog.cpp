#include "ui/account/adgroupmanagerdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/account/accountwidgets.h"
#include "ui/ads/adpreview.h"
#include "ui/common/qttext.h"

namespace pw::ui {

namespace {

QLineEdit* amountField(const char* objectName) {
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setMaximumWidth(90);
    return field;
}

// "Label:" [field] "$" on one row of the grid.
void addAmountRow(QGridLayout* grid, int row, const char* label, QLineEdit* field) {
    grid->addWidget(new QLabel(label), row, 0);
    auto* line = new QHBoxLayout;
    line->addWidget(field);
    line->addWidget(new QLabel("$"));
    line->addStretch();
    grid->addLayout(line, row, 1);
}

PreviewTexts previewOf(const AccountAd& ad) {
    return {ad.headline, ad.description1, ad.description2, ad.displayUrl, false};
}

void applyScroll(QScrollBar* bar, const PreviewScroll& s, int value) {
    QSignalBlocker quiet(bar);
    bar->setRange(0, s.enabled ? s.maximum - 1 : 0);
    bar->setPageStep(s.page);
    bar->setEnabled(s.enabled);
    bar->setValue(value);
}

}  // namespace

CDialogManageAdGroups::CDialogManageAdGroups(AdGroupManagerController& controller, uint32_t background,
                                             QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Manage Ad Groups");
    setObjectName("CDialogManageAdGroups");
    applyAccountSkin(this, background);
    auto* layout = new QVBoxLayout(this);
    campaign_ = new QLabel;
    campaign_->setObjectName("campaign");
    layout->addWidget(campaign_);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    // The ad groups and the selected one's fields.
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Current ad groups:"));
    groups_ = new QTreeWidget;
    groups_->setObjectName("adGroups");
    groups_->setRootIsDecorated(false);
    groups_->setSelectionBehavior(QAbstractItemView::SelectRows);
    groups_->setHeaderLabels({kAdGroupColumns[0], kAdGroupColumns[1]});
    for (int c = 0; c < 2; ++c) groups_->setColumnWidth(c, kAdGroupColumnWidths[c]);
    groups_->setMinimumWidth(kAdGroupColumnWidths[0] + kAdGroupColumnWidths[1] + 8);
    left->addWidget(groups_, 1);
    auto* groupButtons = new QHBoxLayout;
    newGroup_ = accountButton("New...", kNewGroupTooltip, "newGroup");
    deleteGroup_ = accountButton("Delete", "Click here to delete the selected ad group", "deleteGroup");
    groupButtons->addWidget(newGroup_);
    groupButtons->addWidget(deleteGroup_);
    left->addLayout(groupButtons);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Name:"), 0, 0);
    name_ = new QLineEdit;
    name_->setObjectName("name");
    fields->addWidget(name_, 0, 1);
    maxCpc_ = amountField("maxCpc");
    maxCpm_ = amountField("maxCpm");
    maxContentCpc_ = amountField("maxContentCpc");
    addAmountRow(fields, 1, "Max CPC:", maxCpc_);
    addAmountRow(fields, 2, "Max CPM:", maxCpm_);
    addAmountRow(fields, 3, "Max content CPC:", maxContentCpc_);
    fields->addWidget(new QLabel("Status:"), 4, 0);
    status_ = new QComboBox;
    status_->setObjectName("status");
    for (std::string_view name : kAdGroupStatusNames) status_->addItem(toQt(name));
    fields->addWidget(status_, 4, 1);
    left->addLayout(fields);
    auto* groupActions = new QHBoxLayout;
    saveGroup_ = accountButton("Save", "Click here to save the modifications for the current ad", "saveGroup");
    importGroup_ = accountButton("Import...", "Click here to import an ad group from the current project",
                                 "importGroup");
    groupActions->addWidget(saveGroup_);
    groupActions->addWidget(importGroup_);
    left->addLayout(groupActions);
    columns->addLayout(left);

    // The keywords.
    auto* middle = new QVBoxLayout;
    middle->addWidget(new QLabel("Keywords:"));
    keywords_ = new QPlainTextEdit;
    // One keyword a line: Tab goes on to the next control.
    keywords_->setTabChangesFocus(true);
    keywords_->setObjectName("keywords");
    keywords_->setLineWrapMode(QPlainTextEdit::NoWrap);
    keywords_->setMinimumWidth(220);
    keywords_->installEventFilter(this);
    keywords_->viewport()->installEventFilter(this);
    middle->addWidget(keywords_, 1);
    auto* bidRow = new QHBoxLayout;
    bidRow->addWidget(new QLabel("Max CPC:"));
    bid_ = amountField("keywordBid");
    bidRow->addWidget(bid_);
    bidRow->addWidget(new QLabel("$"));
    bidRow->addStretch();
    middle->addLayout(bidRow);
    auto* keywordButtons = new QHBoxLayout;
    loadKeywords_ = accountButton("Load", "Click here to reload this ad group's keywords from Google", "loadKeywords");
    importKeywords_ =
        accountButton("Import...", "Click here to import keywords from the current project", "importKeywords");
    saveKeywords_ = accountButton("Save", "Click here to save this ad group's keywords", "saveKeywords");
    for (QPushButton* b : {loadKeywords_, importKeywords_, saveKeywords_}) keywordButtons->addWidget(b);
    middle->addLayout(keywordButtons);
    columns->addLayout(middle, 1);

    // The ads.
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Ads:"));
    auto* adRow = new QHBoxLayout;
    auto* previews = new QVBoxLayout;
    for (int i = 0; i < kAdGroupPreviews; ++i) {
        previews_[i] = new AdPreview;
        previews_[i]->setObjectName(QString("adPreview%1").arg(i));
        previews_[i]->setMinimumWidth(300);
        previews_[i]->onLeftClick = [this, i] {
            controller_.selectPreview(i);
            showAds();
        };
        previews_[i]->onRightClick = [this, i](const QPoint& at) { showAdMenu(i, at); };
        previews->addWidget(previews_[i]);
    }
    adRow->addLayout(previews, 1);
    adScroll_ = new QScrollBar(Qt::Vertical);
    adScroll_->setObjectName("adScroll");
    adRow->addWidget(adScroll_);
    right->addLayout(adRow);
    showDeleted_ = new QCheckBox("Show deleted ads");
    showDeleted_->setObjectName("showDeleted");
    right->addWidget(showDeleted_);
    auto* adButtons = new QGridLayout;
    newAd_ = accountButton("New...", "Click here to create a new ad", "newAd");
    deleteAd_ = accountButton("Delete", "Click here to delete the selected ad", "deleteAd");
    editAd_ = accountButton("Edit...", "Click here to edit the selected ad", "editAd");
    loadAds_ = accountButton("Load", "Click here to reload this ad group's ads from Google", "loadAds");
    importAd_ = accountButton("Import...", "Click here to import an ad from the current project", "importAd");
    adButtons->addWidget(newAd_, 0, 0);
    adButtons->addWidget(deleteAd_, 0, 1);
    adButtons->addWidget(editAd_, 0, 2);
    adButtons->addWidget(loadAds_, 1, 0);
    adButtons->addWidget(importAd_, 1, 1);
    right->addLayout(adButtons);
    right->addStretch();
    columns->addLayout(right);

    note_ = new QLabel(kAdGroupCacheNote);
    note_->setObjectName("cacheNote");
    layout->addWidget(note_);
    auto* bottom = new QHBoxLayout;
    statusLine_ = new QLabel;
    statusLine_->setObjectName("statusLine");
    progress_ = new QProgressBar;
    progress_->setRange(0, 0);
    progress_->setMaximumWidth(200);
    refresh_ = accountButton("Refresh", "Click here to reload the ad groups", "refresh");
    stop_ = accountButton("Stop", "Click here to cancel downloading", "stop");
    close_ = accountButton("Close", kCloseTooltip, "close");
    bottom->addWidget(statusLine_, 1);
    bottom->addWidget(progress_);
    for (QPushButton* b : {refresh_, stop_, close_}) bottom->addWidget(b);
    layout->addLayout(bottom);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    connect(groups_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QModelIndexList rows = groups_->selectionModel()->selectedRows();
        controller_.selectRow(rows.isEmpty() ? -1 : rows.first().row());
        showState();
    });
    connect(groups_, &QTreeWidget::itemDoubleClicked, this, [this] {
        controller_.loadAds();
        showState();
    });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& t) { controller_.form().name = fromQt(t); });
    connect(maxCpc_, &QLineEdit::textEdited, this, [this](const QString& t) { controller_.form().maxCpc = fromQt(t); });
    connect(maxCpm_, &QLineEdit::textEdited, this, [this](const QString& t) { controller_.form().maxCpm = fromQt(t); });
    connect(maxContentCpc_, &QLineEdit::textEdited, this,
            [this](const QString& t) { controller_.form().maxContentCpc = fromQt(t); });
    connect(status_, &QComboBox::activated, this, [this](int i) { controller_.form().status = i; });
    connect(bid_, &QLineEdit::textEdited, this,
            [this](const QString& t) { controller_.editKeywordBid(caretLine(), fromQt(t)); });
    connect(adScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        controller_.setAdScrollPosition(value);
        showAds();
    });
    connect(showDeleted_, &QCheckBox::toggled, this, [this](bool on) {
        controller_.setShowDeletedAds(on);
        showAds();
    });
    auto act = [this](auto action) {
        return [this, action] {
            action();
            showState();
        };
    };
    connect(refresh_, &QPushButton::clicked, this, act([this] { controller_.refresh(); }));
    connect(stop_, &QPushButton::clicked, this, act([this] { controller_.stop(); }));
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(newGroup_, &QPushButton::clicked, this, act([this] {
                controller_.toggleNewGroup();
                if (controller_.newGroupMode()) name_->setFocus();
            }));
    connect(saveGroup_, &QPushButton::clicked, this, [this] { trySaveGroup(false); });
    connect(deleteGroup_, &QPushButton::clicked, this, [this] { trySaveGroup(true); });
    connect(importGroup_, &QPushButton::clicked, this, act([this] { controller_.importAdGroup(); }));
    connect(loadKeywords_, &QPushButton::clicked, this, act([this] { controller_.loadKeywords(); }));
    connect(importKeywords_, &QPushButton::clicked, this, act([this] { controller_.importKeywords(boxText()); }));
    connect(saveKeywords_, &QPushButton::clicked, this, act([this] { controller_.saveKeywords(boxText()); }));
    connect(newAd_, &QPushButton::clicked, this, act([this] { controller_.newAd(); }));
    connect(deleteAd_, &QPushButton::clicked, this, act([this] { controller_.deleteAd(); }));
    connect(editAd_, &QPushButton::clicked, this, act([this] { controller_.editAd(); }));
    connect(loadAds_, &QPushButton::clicked, this, act([this] { controller_.loadAds(); }));
    connect(importAd_, &QPushButton::clicked, this, act([this] { controller_.importAd(); }));
    controller_.onChanged = [this] { showState(); };
    resize(1000, 600);
    showState();
}

CDialogManageAdGroups::~CDialogManageAdGroups() { controller_.onChanged = nullptr; }

void CDialogManageAdGroups::done(int result) {
    controller_.onChanged = nullptr;
    controller_.close();
    QDialog::done(result);
}

bool CDialogManageAdGroups::eventFilter(QObject* watched, QEvent* event) {
    // The bid field follows the caret: after every key and click in the box
    // the line under the caret is looked up.
    const bool key = watched == keywords_ && event->type() == QEvent::KeyRelease;
    const bool click = watched == keywords_->viewport() && event->type() == QEvent::MouseButtonRelease;
    if (key || click) {
        controller_.keywordCaretEvent(boxText(), caretLine());
        const auto& field = controller_.bidField();
        bid_->setText(toQt(field.text));
        bid_->setEnabled(field.enabled && controller_.keywordBoxEnabled());
    }
    return QDialog::eventFilter(watched, event);
}

std::string CDialogManageAdGroups::caretLine() const { return fromQt(keywords_->textCursor().block().text()); }

std::string CDialogManageAdGroups::boxText() const { return fromQt(keywords_->toPlainText()); }

void CDialogManageAdGroups::trySaveGroup(bool asDelete) {
    if (asDelete) controller_.deleteGroup();
    else controller_.saveGroup();
    showState();
    focusRefusedField();
}

void CDialogManageAdGroups::focusRefusedField() {
    if (!controller_.saveRefused()) return;
    QLineEdit* field = name_;
    switch (controller_.focusField()) {
    case AdGroupField::Name: field = name_; break;
    case AdGroupField::MaxCpc: field = maxCpc_; break;
    case AdGroupField::MaxCpm: field = maxCpm_; break;
    case AdGroupField::MaxContentCpc: field = maxContentCpc_; break;
    }
    field->setFocus();
    field->selectAll();
}

void CDialogManageAdGroups::showAdMenu(int preview, const QPoint& at) {
    const std::vector<MenuItem> items = controller_.adMenu(preview);
    showAds();
    if (items.empty()) return;
    QMenu menu(this);
    for (const MenuItem& item : items) {
        if (item.separator()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(toQt(item.text));
        action->setEnabled(item.enabled());
        if (item.run) connect(action, &QAction::triggered, this, item.run);
    }
    menu.exec(at);
    showState();
}

void CDialogManageAdGroups::showState() {
    const bool on = controller_.controlsEnabled();
    campaign_->setText(toQt(controller_.campaignLabel()));
    campaign_->setVisible(!controller_.campaignLabel().empty());
    note_->setVisible(controller_.cacheNoteShown());
    statusLine_->setText(toQt(controller_.statusText()));
    progress_->setVisible(controller_.reading());
    showGroups();
    showFields();
    showKeywords();
    showAds();
    groups_->setEnabled(on);
    refresh_->setEnabled(on);
    stop_->setEnabled(controller_.reading());
    newGroup_->setText(toQt(controller_.newButtonText()));
    newGroup_->setToolTip(toQt(controller_.newButtonTooltip()));
    newGroup_->setEnabled(on);
    deleteGroup_->setEnabled(on && controller_.groupDeleteEnabled());
    saveGroup_->setEnabled(on && controller_.groupSaveEnabled());
    importGroup_->setEnabled(on);
}

void CDialogManageAdGroups::showGroups() {
    QSignalBlocker quiet(groups_);
    if (groups_->topLevelItemCount() != static_cast<int>(controller_.rowCount())) {
        groups_->clear();
        for (size_t r = 0; r < controller_.rowCount(); ++r) {
            const auto cells = controller_.rowCells(r);
            groups_->addTopLevelItem(new QTreeWidgetItem({toQt(cells[0]), toQt(cells[1])}));
        }
    } else {
        for (size_t r = 0; r < controller_.rowCount(); ++r) {
            const auto cells = controller_.rowCells(r);
            QTreeWidgetItem* item = groups_->topLevelItem(static_cast<int>(r));
            item->setText(0, toQt(cells[0]));
            item->setText(1, toQt(cells[1]));
        }
    }
    groups_->clearSelection();
    if (controller_.selectedRow() >= 0) {
        QTreeWidgetItem* item = groups_->topLevelItem(controller_.selectedRow());
        groups_->setCurrentItem(item);
        item->setSelected(true);
    }
}

void CDialogManageAdGroups::showFields() {
    const bool on = controller_.controlsEnabled() && controller_.groupFieldsEnabled();
    const AdGroupForm& f = controller_.form();
    const std::pair<QLineEdit*, const std::string*> texts[] = {
        {name_, &f.name}, {maxCpc_, &f.maxCpc}, {maxCpm_, &f.maxCpm}, {maxContentCpc_, &f.maxContentCpc}};
    for (const auto& [field, text] : texts) {
        if (field->text() != toQt(*text)) field->setText(toQt(*text));
        field->setEnabled(on);
    }
    QSignalBlocker quiet(status_);
    status_->setCurrentIndex(f.status);
    status_->setEnabled(on);
}

void CDialogManageAdGroups::showKeywords() {
    const bool on = controller_.controlsEnabled();
    if (shownKeywordRevision_ != controller_.keywordTextRevision()) {
        shownKeywordRevision_ = controller_.keywordTextRevision();
        QString text = toQt(controller_.keywordText());
        text.replace("\r\n", "\n");
        keywords_->setPlainText(text);
    }
    const bool box = on && controller_.keywordBoxEnabled();
    keywords_->setEnabled(box);
    bid_->setText(toQt(controller_.bidField().text));
    bid_->setEnabled(box && controller_.bidField().enabled);
    loadKeywords_->setEnabled(on && controller_.keywordLoadEnabled());
    importKeywords_->setEnabled(box);
    saveKeywords_->setEnabled(box);
}

void CDialogManageAdGroups::showAds() {
    const bool on = controller_.controlsEnabled();
    applyScroll(adScroll_, controller_.adScroll(), controller_.adScrollPosition());
    for (int i = 0; i < kAdGroupPreviews; ++i) {
        if (const AccountAd* ad = controller_.previewAd(i)) {
            previews_[i]->showTexts(previewOf(*ad));
            previews_[i]->setMarked(ad->deleted);
            previews_[i]->setSelected(controller_.selectedPreview() == i);
        } else {
            previews_[i]->setBlank();
            previews_[i]->setMarked(false);
            previews_[i]->setSelected(false);
        }
    }
    {
        QSignalBlocker quiet(showDeleted_);
        showDeleted_->setChecked(controller_.showDeletedAds());
    }
    const bool ads = on && controller_.adButtonsEnabled();
    newAd_->setEnabled(ads);
    loadAds_->setEnabled(on && controller_.keywordLoadEnabled());
    importAd_->setEnabled(ads);
    deleteAd_->setEnabled(on && controller_.adEditEnabled());
    editAd_->setEnabled(on && controller_.adEditEnabled());
}

}  // namespace pw::ui
