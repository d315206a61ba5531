#include "ui/account/accountmanagerdialogs.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "account/geotargets.h"
#include "ui/account/accountwidgets.h"
#include "ui/common/qttext.h"

namespace pw::ui {

namespace {

constexpr const char* kNotYet = "Not available yet";


QDate qdate(const AccountDate& d) { return QDate(d.year, d.month, d.day); }
AccountDate accountDate(const QDate& d) { return {d.day(), d.month(), d.year()}; }

std::vector<int> selectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QListWidget* nameList(const char* objectName) {
    auto* list = new QListWidget;
    list->setObjectName(objectName);
    // Ctrl+A selects every row, as in any extended-selection list.
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumHeight(120);
    list->setMinimumWidth(190);
    return list;
}

template <size_t N>
void fillTable(QListWidget* list, const std::array<GeoTarget, N>& table) {
    for (const GeoTarget& target : table) list->addItem(toQt(target.name));
}

// A long name wraps onto a second line instead of needing a horizontal
// scroll bar or widening the editor past a small screen.
void wrapLongNames(QListWidget* list) {
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setResizeMode(QListView::Adjust);
}

}  // namespace

CDialogGoogleManager::CDialogGoogleManager(AccountManagerController& controller, uint32_t background, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Google Manager");
    applyAccountSkin(this, background);
    resize(760, 480);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Managing account:"));
    managing_ = new QLineEdit;
    managing_->setReadOnly(true);
    top->addWidget(managing_);
    layout->addLayout(top);
    list_ = new QTreeWidget;
    list_->setObjectName("campaigns");
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    QStringList headers;
    for (const char* column : kCampaignColumns) headers << column;
    list_->setHeaderLabels(headers);
    for (int c = 0; c < kCampaignColumnCount; ++c) list_->setColumnWidth(c, kCampaignColumnWidths[c]);
    list_->header()->setSectionsClickable(true);
    layout->addWidget(list_);
    note_ = new QLabel(kCampaignCacheNote);
    layout->addWidget(note_);
    auto* statusRow = new QHBoxLayout;
    status_ = new QLabel(kInitialQueueText);
    status_->setObjectName("status");
    progress_ = new QProgressBar;
    progress_->setObjectName("progress");
    progress_->setTextVisible(false);
    activeOnly_ = new QCheckBox("Show Active Campaigns Only");
    statusRow->addWidget(activeOnly_);
    statusRow->addWidget(status_);
    statusRow->addWidget(progress_);
    layout->addLayout(statusRow);

    auto* buttons = new QHBoxLayout;
    refresh_ = accountButton("Refresh", "Click here to reload your Google campaigns", "refresh");
    create_ = accountButton("Create New...", "Click here to create a new Google campaign", "create");
    edit_ = accountButton("Edit...", "Click here to edit the selected campaign", "edit");
    delete_ = accountButton("Delete", "Click here to delete the selected campaign", "delete");
    commit_ = accountButton("Commit changes...", "Click here to commit some of your uncommited changes", "commit");
    clear_ = accountButton("Clear Changes...",
                           "Click here to delete some of the uncommited changes you made to your Google account", "clear");
    stop_ = accountButton("STOP", "Click here to stop uploading", "stop");
    auto* close = accountButton("Close", kCloseTooltip, "close");
    for (QPushButton* b : {refresh_, create_, edit_, delete_, commit_, clear_, stop_, close}) buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        controller_.sortBy(column);
        showState();
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QModelIndexList rows = list_->selectionModel()->selectedRows();
        controller_.selectRow(rows.isEmpty() ? -1 : rows.first().row());
        edit_->setEnabled(controller_.editEnabled());
        delete_->setEnabled(controller_.editEnabled());
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] {
        controller_.editCampaign();
        showState();
    });
    connect(activeOnly_, &QCheckBox::toggled, this, [this](bool on) {
        controller_.setActiveOnly(on);
        showState();
    });
    auto act = [this](std::function<void(AccountManagerController&)> action) {
        return [this, action = std::move(action)] {
            action(controller_);
            showState();
        };
    };
    connect(refresh_, &QPushButton::clicked, this, act(&AccountManagerController::refresh));
    connect(create_, &QPushButton::clicked, this, act(&AccountManagerController::createCampaign));
    connect(edit_, &QPushButton::clicked, this, act(&AccountManagerController::editCampaign));
    connect(delete_, &QPushButton::clicked, this, act(&AccountManagerController::deleteCampaign));
    connect(stop_, &QPushButton::clicked, this, act(&AccountManagerController::stop));
    connect(commit_, &QPushButton::clicked, this, act(&AccountManagerController::commitChanges));
    connect(clear_, &QPushButton::clicked, this, act(&AccountManagerController::clearChanges));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(35);
    connect(progressTimer_, &QTimer::timeout, this,
            [this] { progress_->setValue((progress_->value() + 2) % (progress_->maximum() + 1)); });
    statusTimer_ = new QTimer(this);
    statusTimer_->setInterval(500);
    connect(statusTimer_, &QTimer::timeout, this, [this] {
        controller_.poll();
        showState();
    });
    controller_.onChanged = [this] { showState(); };
    showState();
}

void CDialogGoogleManager::done(int result) {
    progressTimer_->stop();
    statusTimer_->stop();
    controller_.onChanged = nullptr;
    controller_.close();
    QDialog::done(result);
}

void CDialogGoogleManager::showRows() {
    // The status timer asks twice a second during a commit: the rows are
    // rebuilt only when they changed, so the list keeps its scroll position.
    std::vector<std::array<std::string, kCampaignColumnCount>> rows;
    for (size_t r = 0; r < controller_.rowCount(); ++r) rows.push_back(controller_.rowCells(r));
    if (rows == shownRows_ && controller_.selectedRow() == shownSelection_) return;
    shownRows_ = std::move(rows);
    shownSelection_ = controller_.selectedRow();
    QSignalBlocker quiet(list_);
    list_->clear();
    for (const auto& row : shownRows_) {
        QStringList cells;
        for (const std::string& cell : row) cells << toQt(cell);
        auto* item = new QTreeWidgetItem(cells);
        item->setTextAlignment(0, Qt::AlignRight);
        item->setTextAlignment(5, Qt::AlignRight);
        list_->addTopLevelItem(item);
    }
    if (controller_.selectedRow() >= 0) list_->setCurrentItem(list_->topLevelItem(controller_.selectedRow()));
    // The dates keep their whole text whatever the font.
    for (int c : {3, 4})
        list_->setColumnWidth(c, std::max(kCampaignColumnWidths[c], list_->fontMetrics().horizontalAdvance("0000.00.00") + 16));
}

void CDialogGoogleManager::showState() {
    showRows();
    managing_->setText(toQt(controller_.managingAccount()));
    note_->setVisible(controller_.cacheNoteShown());
    status_->setText(toQt(controller_.statusText()));
    list_->setEnabled(controller_.listEnabled());
    activeOnly_->setEnabled(controller_.listEnabled());
    refresh_->setEnabled(controller_.refreshEnabled());
    create_->setEnabled(controller_.createEnabled());
    edit_->setEnabled(controller_.editEnabled());
    delete_->setEnabled(controller_.editEnabled());
    commit_->setEnabled(controller_.commitEnabled());
    clear_->setEnabled(controller_.clearEnabled());
    stop_->setEnabled(controller_.stopEnabled());
    followCommit();
}

// A read shows a busy bar; a commit a bar the progress timer moves.
void CDialogGoogleManager::followCommit() {
    const bool committing = controller_.committing();
    progress_->setVisible(committing || controller_.reading());
    if (committing) {
        if (progress_->maximum() == 0) progress_->setRange(0, 100);
        if (!statusTimer_->isActive()) {
            progressTimer_->start();
            statusTimer_->start();
        }
        return;
    }
    progressTimer_->stop();
    statusTimer_->stop();
    progress_->setRange(0, 0);
}

CDialogManageCampaign::CDialogManageCampaign(CampaignEditorController& controller, uint32_t background,
                                             QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Manage Google Campaign");
    applyAccountSkin(this, background);
    CampaignEditorForm& f = controller_.form();
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel("Campaign Name:"), row, 0);
    name_ = new QLineEdit(toQt(f.name));
    name_->setObjectName("name");
    name_->setMaxLength(static_cast<int>(kNameCharacters));
    grid->addWidget(name_, row, 1, 1, 3);
    ++row;
    grid->addWidget(new QLabel("Status:"), row, 0);
    status_ = new QComboBox;
    status_->setObjectName("status");
    for (std::string_view status : kCampaignStatusNames) status_->addItem(toQt(status));
    status_->setCurrentIndex(campaignStatusRow(f.status));
    grid->addWidget(status_, row, 1);
    grid->addWidget(new QLabel("Daily Budget:"), row, 2);
    auto* budgetRow = new QHBoxLayout;
    budgetRow->addWidget(new QLabel("$"));
    budget_ = new QLineEdit(toQt(f.dailyBudget));
    budget_->setObjectName("budget");
    budgetRow->addWidget(budget_);
    grid->addLayout(budgetRow, row, 3);
    ++row;
    grid->addWidget(new QLabel("Start date:"), row, 0, 1, 2);
    grid->addWidget(new QLabel("End date:"), row, 2, 1, 2);
    ++row;
    start_ = new QCalendarWidget;
    end_ = new QCalendarWidget;
    // A zero date leaves the calendar on its own day, which is then the one saved.
    if (isValidDate(f.startDate)) start_->setSelectedDate(qdate(f.startDate));
    if (isValidDate(f.endDate)) end_->setSelectedDate(qdate(f.endDate));
    f.startDate = accountDate(start_->selectedDate());
    f.endDate = accountDate(end_->selectedDate());
    grid->addWidget(start_, row, 0, 1, 2);
    grid->addWidget(end_, row, 2, 1, 2);
    ++row;

    countries_ = nameList("countries");
    chosenCountries_ = nameList("chosenCountries");
    languages_ = nameList("languages");
    chosenLanguages_ = nameList("chosenLanguages");
    fillTable(countries_, kCountryTable);
    fillTable(languages_, kLanguageTable);
    auto pickers = [&](const char* label, QListWidget* all, QListWidget* chosen, const char* column, const char* addTip,
                       const char* removeTip, int at) {
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel(label));
        auto* lists = new QHBoxLayout;
        auto* allBox = new QVBoxLayout;
        allBox->addWidget(new QLabel(column));
        allBox->addWidget(all);
        auto* moves = new QVBoxLayout;
        auto* add = accountButton(">", addTip, "add");
        auto* remove = accountButton("<", removeTip, "remove");
        moves->addStretch();
        moves->addWidget(add);
        moves->addWidget(remove);
        moves->addStretch();
        auto* chosenBox = new QVBoxLayout;
        chosenBox->addWidget(new QLabel(column));
        chosenBox->addWidget(chosen);
        lists->addLayout(allBox);
        lists->addLayout(moves);
        lists->addLayout(chosenBox);
        box->addLayout(lists);
        grid->addLayout(box, row, at, 1, 2);
        return std::pair{add, remove};
    };
    auto [addCountry, removeCountry] =
        pickers("Countries:", countries_, chosenCountries_, "Country", "Click here to use the selected countries",
                "Click here to remove the selected countries", 0);
    auto [addLanguage, removeLanguage] =
        pickers("Languages:", languages_, chosenLanguages_, "Language", "Click here to use the selected languages",
                "Click here to remove the selected languages", 2);
    ++row;

    search_ = new QCheckBox("Show in Google Search");
    network_ = new QCheckBox("Show in Network Search");
    content_ = new QCheckBox("Show in Content Network");
    separateBids_ = new QCheckBox("Use separate content bids");
    grid->addWidget(search_, row, 0);
    grid->addWidget(network_, row, 1);
    grid->addWidget(content_, row, 2);
    grid->addWidget(separateBids_, row, 3);
    ++row;

    auto* buttons = new QHBoxLayout;
    auto* adGroups = accountButton("Ad groups...", "Click here to edit this campaign's adgroups", "adGroups");
    auto* import = accountButton("Import PWR project", "Click here to import all the ad groups in your current project",
                          "importProject");
    auto* save = accountButton("Save", "Click here to save this campaign", "save");
    auto* close = accountButton("Close", kCloseTooltip, "close");
    import->setEnabled(controller_.accountButtonsEnabled());
    buttons->addWidget(adGroups);
    buttons->addWidget(import);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    grid->addLayout(buttons, row, 0, 1, 4);
    // Measured in the dialog's own font, now that the lists are in it.
    wrapLongNames(countries_);
    wrapLongNames(languages_);

    connect(name_, &QLineEdit::textChanged, this, [this](const QString& t) { controller_.form().name = fromQt(t); });
    connect(budget_, &QLineEdit::textChanged, this,
            [this](const QString& t) { controller_.form().dailyBudget = fromQt(t); });
    connect(status_, &QComboBox::currentIndexChanged, this,
            [this](int i) { controller_.form().status = campaignStatusAtRow(i); });
    connect(start_, &QCalendarWidget::selectionChanged, this,
            [this] { controller_.form().startDate = accountDate(start_->selectedDate()); });
    connect(end_, &QCalendarWidget::selectionChanged, this,
            [this] { controller_.form().endDate = accountDate(end_->selectedDate()); });
    connect(search_, &QCheckBox::toggled, this, [this](bool on) {
        controller_.setShowInSearch(on);
        showChecks();
    });
    connect(content_, &QCheckBox::toggled, this, [this](bool on) {
        controller_.setShowInContent(on);
        showChecks();
    });
    connect(network_, &QCheckBox::toggled, this, [this](bool on) { controller_.form().showInNetwork = on; });
    connect(separateBids_, &QCheckBox::toggled, this, [this](bool on) { controller_.form().separateContentBids = on; });
    connect(addCountry, &QPushButton::clicked, this, [this] {
        controller_.addCountries(selectedRows(countries_));
        showChosen();
    });
    connect(removeCountry, &QPushButton::clicked, this, [this] {
        controller_.removeCountries(selectedRows(chosenCountries_));
        showChosen();
    });
    connect(addLanguage, &QPushButton::clicked, this, [this] {
        controller_.addLanguages(selectedRows(languages_));
        showChosen();
    });
    connect(removeLanguage, &QPushButton::clicked, this, [this] {
        controller_.removeLanguages(selectedRows(chosenLanguages_));
        showChosen();
    });
    adGroups->setEnabled(controller_.accountButtonsEnabled());
    connect(adGroups, &QPushButton::clicked, this, [this] { controller_.openAdGroups(); });
    connect(save, &QPushButton::clicked, this, &CDialogManageCampaign::trySave);
    connect(import, &QPushButton::clicked, this, [this] { controller_.importProject(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    showChecks();
    showChosen();
}

void CDialogManageCampaign::showChosen() {
    chosenCountries_->clear();
    for (const std::string& name : controller_.form().countries) chosenCountries_->addItem(toQt(name));
    chosenLanguages_->clear();
    for (const std::string& name : controller_.form().languages) chosenLanguages_->addItem(toQt(name));
}

void CDialogManageCampaign::showChecks() {
    const CampaignEditorForm& f = controller_.form();
    for (QCheckBox* box : {search_, network_, content_, separateBids_}) box->blockSignals(true);
    search_->setChecked(f.showInSearch);
    network_->setChecked(f.showInNetwork);
    content_->setChecked(f.showInContent);
    separateBids_->setChecked(f.separateContentBids);
    network_->setEnabled(controller_.networkEnabled());
    separateBids_->setEnabled(controller_.separateBidsEnabled());
    for (QCheckBox* box : {search_, network_, content_, separateBids_}) box->blockSignals(false);
}

void CDialogManageCampaign::trySave() {
    if (controller_.save()) {
        accept();
        return;
    }
    switch (controller_.focusField()) {
    case CampaignField::Name:
        name_->setFocus();
        name_->selectAll();
        break;
    case CampaignField::Status: status_->setFocus(); break;
    case CampaignField::DailyBudget:
        budget_->setFocus();
        budget_->selectAll();
        break;
    case CampaignField::EndDate: end_->setFocus(); break;
    }
}

}  // namespace pw::ui
