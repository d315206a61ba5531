#include "ui/main/dialogmain.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTextBlock>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/ads/adpreview.h"
#include "ui/groups/grouptabbar.h"
#include "ui/main/phraselistmodel.h"
#include "ui/common/qttext.h"
#include "ui/common/selectedrows.h"
#include "ui/common/skinpalette.h"

namespace pw::ui {

namespace {
constexpr int kFlashTicks = 14;

QPushButton* button(const QString& text, const QString& objectName, const QString& tip = {}) {
    auto* b = new QPushButton(text);
    b->setObjectName(objectName);
    if (!tip.isEmpty()) b->setToolTip(tip);
    return b;
}

QLabel* valueLabel(const QString& objectName) {
    auto* l = new QLabel;
    l->setObjectName(objectName);
    l->setMinimumWidth(70);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// A two-column view of phrases and hit counts with whole-row selection.
QTableView* phraseTable(const QString& objectName, PhraseListModel* model) {
    auto* view = new QTableView;
    view->setObjectName(objectName);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    view->horizontalHeader()->resizeSection(1, 70);
    view->setWordWrap(false);
    // Tab leaves the list instead of walking its rows.
    view->setTabKeyNavigation(false);
    return view;
}

void setTextKeepingCursor(QLineEdit* edit, const std::string& text) {
    const QString q = toQt(text);
    if (edit->text() != q) edit->setText(q);
}
}  // namespace

CDialogMain::CDialogMain(MainWindowController& controller, QWidget* parent)
    : QMainWindow(parent), controller_(controller) {
    setWindowTitle(toQt(mainWindowTitle()));
    setObjectName("CDialogMain");

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 6, 8, 4);

    tabs_ = new GroupTabBar;
    tabs_->setObjectName("tabs");
    tabs_->setExpanding(false);
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
    // A long group name is cut short on its tab; the tooltip shows it whole.
    tabs_->setElideMode(Qt::ElideRight);
    auto* tabRow = new QHBoxLayout;
    tabRow->addWidget(tabs_, 1);
    // The group operations on the selected tab, beside the tab menu's.
    struct GroupButton {
        const char *text, *name, *tip;
        std::function<void(int group)> command;
    };
    const GroupButton groupButtons[] = {
        {"Rename group", "renameGroup", "Click here to rename the selected group",
         [this](int group) { controller_.groups().renameGroup(group); }},
        {"Delete group", "deleteGroup", "Click here to delete the selected group",
         [this](int group) { controller_.groups().promptDeleteGroup(group); }},
        {"Merge group", "mergeGroup", "Click here to merge the selected group into another",
         [this](int group) { controller_.groups().mergeGroup(group); }}};
    for (const GroupButton& g : groupButtons) {
        QPushButton* b = button(g.text, g.name, g.tip);
        connect(b, &QPushButton::clicked, this, [this, command = g.command] { command(controller_.currentTab() - 1); });
        tabRow->addWidget(b);
    }
    // The skin sits at the end of the tab row, so that the labels below fit a small screen.
    tabRow->addSpacing(12);
    tabRow->addWidget(new QLabel("Skin:"));
    skin_ = new QComboBox;
    skin_->setObjectName("skin");
    for (const SkinPreset& preset : kSkinPresets) skin_->addItem(QString::fromUtf8(preset.name.data(), preset.name.size()));
    skin_->addItem(QString::fromUtf8(kCustomSkin.data(), kCustomSkin.size()));
    tabRow->addWidget(skin_);
    connect(skin_, &QComboBox::activated, this, [this](int index) { controller_.chooseSkin(index); });
    layout->addLayout(tabRow);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildListSide(), 5);

    auto* right = new QVBoxLayout;
    auto* phaseRow = new QHBoxLayout;
    phaseTitle_ = new QLabel;
    phaseTitle_->setObjectName("phaseTitle");
    QFont titleFont = phaseTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    titleFont.setBold(true);
    phaseTitle_->setFont(titleFont);
    // As wide as the longest title, whichever phase shows: the list beside it
    // keeps its width when the phase changes.
    int titleWidth = 0;
    for (const char* title : kPhaseTitles)
        titleWidth = std::max(titleWidth, QFontMetrics(titleFont).horizontalAdvance(QString::fromUtf8(title)));
    phaseTitle_->setMinimumWidth(titleWidth);
    phaseTitle_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    phaseRow->addWidget(phaseTitle_, 1);
    for (int p = 1; p <= 4; ++p) {
        QPushButton* b = button(QString("Phase %1").arg(p), QString("phase%1").arg(p));
        b->setCheckable(true);
        connect(b, &QPushButton::clicked, this, [this, p] {
            controller_.goToPhase(p);
            refreshPhase();
        });
        phaseButtons_.push_back(b);
        phaseRow->addWidget(b);
    }
    right->addLayout(phaseRow);
    phases_ = new QStackedWidget;
    phases_->addWidget(buildPhase1());
    phases_->addWidget(buildPhase2());
    phases_->addWidget(buildPhase3());
    phases_->addWidget(buildPhase4());
    right->addWidget(phases_, 1);
    right->addWidget(buildSortBox());
    middle->addLayout(right, 6);
    layout->addLayout(middle, 1);
    layout->addWidget(buildLabels());
    setCentralWidget(central);

    statusText_ = new QLabel;
    statusText_->setObjectName("statusText");
    progress_ = new QProgressBar;
    progress_->setObjectName("progress");
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(260);
    statusBar()->addWidget(statusText_, 1);
    statusBar()->addPermanentWidget(progress_);
    // The web features' buttons sit at the right of the status line, where
    // every phase shows them.
    statusBar()->addPermanentWidget(featureButton(MenuId::SearchTopAds, "Search Top Google Ads", "searchTopAds",
                                                  "Click here to search the top Google ads"));
    QPushButton* searchIcon = featureButton(MenuId::SearchTopAds, "", "searchTopAdsIcon", "Search top Google ads");
    searchIcon->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    statusBar()->addPermanentWidget(searchIcon);
    statusBar()->addPermanentWidget(featureButton(MenuId::ImportResearch, "Import research", "importResearch",
                                                  "Use this tool to import already researched data into Phrasewright"));
    backgroundPoll_ = new QTimer(this);
    backgroundPoll_->setInterval(500);
    connect(backgroundPoll_, &QTimer::timeout, this, &CDialogMain::pollBackgroundWork);
    backgroundPoll_->start();
    backgroundAnimation_ = new QTimer(this);
    backgroundAnimation_->setInterval(55);
    connect(backgroundAnimation_, &QTimer::timeout, this,
            [this] { progress_->setValue((progress_->value() + 2) % (progress_->maximum() + 1)); });

    buildMenus();
    connectFilterControls();

    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (refreshing_ || index < 0) return;
        controller_.selectTab(index);
        refreshTabs();
    });
    connect(tabs_, &QWidget::customContextMenuRequested, this, &CDialogMain::showTabMenu);

    controller_.setChangeListener([this](unsigned changes) { refresh(changes); });
    // A comfortable size, but never larger than a small screen (fitted again,
    // frame included, once the window shows).
    const QSize comfortable(1200, 840);
    resize(screen() ? comfortable.boundedTo(screen()->availableGeometry().size()) : comfortable);
    refresh(kEverything);
}

// --- building ---

QWidget* CDialogMain::buildListSide() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel("Search:"));
    search_ = new QLineEdit;
    search_->setObjectName("search");
    searchRow->addWidget(search_, 1);
    v->addLayout(searchRow);

    listModel_ = new PhraseListModel(controller_, PhraseListModel::Source::ListView, this);
    listView_ = phraseTable("listView", listModel_);
    listView_->horizontalHeader()->setSectionsClickable(true);
    listView_->installEventFilter(this);
    v->addWidget(listView_, 1);

    auto* bottom = new QHBoxLayout;
    listCount_ = new QLabel;
    listCount_->setObjectName("listCount");
    bottom->addWidget(listCount_, 1);
    QPushButton* add = button("Add...", "addPhrases", "Click here to add search phrases by hand");
    QPushButton* exportButton = button("Export...", "exportList", "Click here to export the list");
    bottom->addWidget(add);
    bottom->addWidget(exportButton);
    v->addLayout(bottom);

    connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) {
        controller_.typeAhead(fromQt(text));
        search_->setFocus();
        search_->end(false);
    });
    listView_->horizontalHeader()->setSortIndicatorShown(false);
    connect(listView_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        controller_.filtering().headerClicked(column);
        QHeaderView* header = listView_->horizontalHeader();
        header->setSortIndicatorShown(true);
        header->setSortIndicator(column, controller_.filtering().sortRows().reverse[0] ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    // The move buttons of phases 2 and 3 work on the selected rows.
    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CDialogMain::refreshMoveButtons);
    connect(listModel_, &QAbstractItemModel::modelReset, this, &CDialogMain::refreshMoveButtons);
    connect(listView_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        controller_.rowDoubleClicked(index.row(), selectedRows(listView_));
    });
    connect(add, &QPushButton::clicked, this, [this] { controller_.addPhrases(); });
    connect(exportButton, &QPushButton::clicked, this, &CDialogMain::showExportMenu);
    return box;
}

QWidget* CDialogMain::buildPhase1() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* ignore = new QGroupBox("Ignore words");
    auto* iv = new QVBoxLayout(ignore);
    ignoreOn_ = new QCheckBox("Delete phrases containing these words:");
    ignoreOn_->setObjectName("ignoreOn");
    ignoreBox_ = new QPlainTextEdit;
    ignoreBox_->setObjectName("ignoreBox");
    // A tab means nothing among ignore words: Tab goes on to the next control.
    ignoreBox_->setTabChangesFocus(true);
    ignoreBox_->viewport()->installEventFilter(this);
    wholeWords_ = new QCheckBox("Whole words only");
    wholeWords_->setObjectName("wholeWords");
    auto* ignoreButtons = new QHBoxLayout;
    QPushButton* importIgnore = button("Import...", "importIgnore", "Click here to import the ignore list");
    QPushButton* exportIgnore = button("Export...", "exportIgnore", "Click here to export the ignore list");
    ignoreButtons->addWidget(wholeWords_, 1);
    ignoreButtons->addWidget(importIgnore);
    ignoreButtons->addWidget(exportIgnore);
    iv->addWidget(ignoreOn_);
    iv->addWidget(ignoreBox_, 1);
    iv->addLayout(ignoreButtons);
    v->addWidget(ignore, 1);

    auto* grid = new QGridLayout;
    maxWordsOn_ = new QCheckBox("Delete phrases over");
    maxWordsOn_->setObjectName("maxWordsOn");
    maxWords_ = new QLineEdit;
    maxWords_->setObjectName("maxWords");
    maxWords_->setMaxLength(3);
    maxWords_->setValidator(new QIntValidator(0, 999, maxWords_));
    maxWords_->setFixedWidth(48);
    auto* overRow = new QHBoxLayout;
    overRow->addWidget(maxWordsOn_);
    overRow->addWidget(maxWords_);
    overRow->addWidget(new QLabel("words"));
    overRow->addStretch();
    grid->addLayout(overRow, 0, 0, 1, 2);
    unwantedCharacters_ = new QCheckBox("Delete phrases with unwanted characters");
    unwantedCharacters_->setObjectName("unwantedCharacters");
    QPushButton* characters = button("Characters...", "editCharacters", "Click here to choose the unwanted characters");
    grid->addWidget(unwantedCharacters_, 1, 0);
    grid->addWidget(characters, 1, 1);
    duplicates_ = new QCheckBox("Delete duplicates");
    duplicates_->setObjectName("duplicates");
    grid->addWidget(duplicates_, 2, 0);
    countries_ = new QCheckBox("Delete countries");
    countries_->setObjectName("countries");
    QPushButton* countriesButton = button("Countries...", "editCountries", "Click here to choose the unwanted countries");
    grid->addWidget(countries_, 3, 0);
    grid->addWidget(countriesButton, 3, 1);
    v->addLayout(grid);
    update_ = button("Update", "update", "Click here to apply the filters");
    update_->setMinimumHeight(32);
    v->addWidget(update_);
    updateFlash_ = new QTimer(this);
    updateFlash_->setInterval(150);
    connect(updateFlash_, &QTimer::timeout, this, [this] { flash(update_, updateFlash_, updateTicks_); });

    connect(update_, &QPushButton::clicked, this, [this] {
        const std::vector<int> rows = selectedRows(listView_);
        controller_.filtering().update(rows.empty() ? std::nullopt : std::optional<int>(rows.front()));
    });
    connect(importIgnore, &QPushButton::clicked, this, [this] { controller_.filtering().importIgnoreBox(); });
    connect(exportIgnore, &QPushButton::clicked, this, [this] { controller_.filtering().exportIgnoreBox(); });
    connect(characters, &QPushButton::clicked, this, [this] { controller_.filtering().editUnwantedCharacters(); });
    connect(countriesButton, &QPushButton::clicked, this, [this] { controller_.filtering().editCountries(); });
    return page;
}

QWidget* CDialogMain::buildPhase2() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* moves = new QHBoxLayout;
    QPushButton* toBox = moveToDeleteBox_ =
        button("Move to 'Delete' box >>", "moveToDeleteBox", "Click here to move the selected phrases");
    QPushButton* back = button("<< Move back", "moveBack", "Click here to put the selected phrases back");
    moves->addWidget(toBox);
    moves->addWidget(back);
    v->addLayout(moves);
    v->addWidget(new QLabel("'Delete' box:"));
    deleteModel_ = new PhraseListModel(controller_, PhraseListModel::Source::DeleteBox, this);
    deleteBox_ = phraseTable("deleteBox", deleteModel_);
    v->addWidget(deleteBox_, 1);
    auto* bottom = new QHBoxLayout;
    deleteCount_ = new QLabel;
    deleteCount_->setObjectName("deleteCount");
    deleteButton_ = button("Delete", "deletePermanently", "Click here to remove these phrases for good");
    bottom->addWidget(deleteCount_, 1);
    bottom->addWidget(deleteButton_);
    v->addLayout(bottom);

    connect(toBox, &QPushButton::clicked, this, [this] { controller_.deleteBox().moveToDeleteBox(selectedRows(listView_)); });
    connect(back, &QPushButton::clicked, this,
            [this] { controller_.deleteBox().moveBackFromDeleteBox(selectedRows(deleteBox_)); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { controller_.deleteBox().deletePermanently(); });
    return page;
}

QWidget* CDialogMain::buildPhase3() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    QPushButton* toList1 = moveToList1_ = button("Move to list 1 >>", "moveToList1", "Click here to filter into list 1");
    v->addWidget(toList1);

    auto makeSide = [this](int n, QLineEdit*& filter, QListWidget*& list, QLineEdit*& name, QLabel*& count,
                           QPushButton*& create, QPushButton*& add) {
        auto* box = new QGroupBox(QString("List %1").arg(n));
        auto* g = new QGridLayout(box);
        filter = new QLineEdit;
        filter->setObjectName(QString("list%1Filter").arg(n));
        filter->installEventFilter(this);
        list = new QListWidget;
        list->setObjectName(QString("list%1").arg(n));
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        name = new QLineEdit;
        name->setObjectName(QString("list%1Name").arg(n));
        name->installEventFilter(this);
        count = new QLabel;
        count->setObjectName(QString("list%1Count").arg(n));
        create = button("Create", QString("list%1Create").arg(n), "Click here to create a group from this list");
        add = button("Add to existing", QString("list%1Add").arg(n), "Click here to add this list to a group");
        g->addWidget(new QLabel("Filter:"), 0, 0);
        g->addWidget(filter, 0, 1, 1, 2);
        g->addWidget(list, 1, 0, 1, 3);
        g->addWidget(new QLabel("Name:"), 2, 0);
        g->addWidget(name, 2, 1, 1, 2);
        g->addWidget(count, 3, 0);
        g->addWidget(create, 3, 1);
        g->addWidget(add, 3, 2);
        return box;
    };
    auto* sides = new QHBoxLayout;
    sides->addWidget(makeSide(1, list1Filter_, list1_, list1Name_, list1Count_, list1Create_, list1Add_), 1);
    auto* middle = new QVBoxLayout;
    QPushButton* oneToTwo = button(">>", "list1ToList2", "Click here to move the selected rows to list 2");
    QPushButton* twoToOne = button("<<", "list2ToList1", "Click here to move the selected rows to list 1");
    middle->addStretch();
    middle->addWidget(oneToTwo);
    middle->addWidget(twoToOne);
    middle->addStretch();
    sides->addLayout(middle);
    sides->addWidget(makeSide(2, list2Filter_, list2_, list2Name_, list2Count_, list2Create_, list2Add_), 1);
    v->addLayout(sides, 1);
    auto* backRow = new QHBoxLayout;
    QPushButton* oneBack = button("<< List 1 back to list", "list1ToMain", "Click here to put the selected rows back");
    QPushButton* twoBack = button("<< List 2 back to list", "list2ToMain", "Click here to put the selected rows back");
    backRow->addWidget(oneBack);
    backRow->addWidget(twoBack);
    v->addLayout(backRow);
    pageBar_ = new QScrollBar(Qt::Horizontal);
    pageBar_->setObjectName("pageBar");
    v->addWidget(pageBar_);

    connect(toList1, &QPushButton::clicked, this, [this] { controller_.sideLists().moveToList1(selectedRows(listView_)); });
    connect(oneToTwo, &QPushButton::clicked, this, [this] { controller_.sideLists().moveIntoList2(selectedRows(list1_)); });
    connect(twoToOne, &QPushButton::clicked, this, [this] { controller_.sideLists().moveList2ToList1(selectedRows(list2_)); });
    connect(oneBack, &QPushButton::clicked, this, [this] { controller_.sideLists().moveList1ToMain(selectedRows(list1_)); });
    connect(twoBack, &QPushButton::clicked, this, [this] { controller_.sideLists().moveList2ToMain(selectedRows(list2_)); });
    connect(list1Create_, &QPushButton::clicked, this, [this] { controller_.sideLists().createGroupFromList1(); });
    connect(list2Create_, &QPushButton::clicked, this, [this] { controller_.sideLists().createGroupFromList2(); });
    connect(list1Add_, &QPushButton::clicked, this, [this] { controller_.sideLists().addList1ToGroup(); });
    connect(list2Add_, &QPushButton::clicked, this, [this] { controller_.sideLists().addList2ToGroup(); });
    connect(pageBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!refreshing_) controller_.sideLists().setPagePosition(value);
    });
    auto syncBox = [this](QLineEdit* edit, std::string Phase3Boxes::*field) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            controller_.sideLists().setPhase3Box(field, fromQt(text));
            refreshPages();
        });
    };
    syncBox(list1Filter_, &Phase3Boxes::list1Filter);
    syncBox(list1Name_, &Phase3Boxes::list1Name);
    syncBox(list2Filter_, &Phase3Boxes::list2Filter);
    syncBox(list2Name_, &Phase3Boxes::list2Name);
    return page;
}

QWidget* CDialogMain::buildPhase4() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* forms = new QHBoxLayout;
    formBroad_ = new QCheckBox("Free text");
    formBroad_->setObjectName("formBroad");
    formPhrase_ = new QCheckBox("Quotes");
    formPhrase_->setObjectName("formPhrase");
    formExact_ = new QCheckBox("Brackets");
    formExact_->setObjectName("formExact");
    symbols_ = new QRadioButton("Symbols");
    symbols_->setObjectName("symbols");
    types_ = new QRadioButton("Types ");
    types_->setObjectName("types");
    symbols_->setChecked(true);
    auto* notation = new QButtonGroup(page);
    notation->addButton(symbols_);
    notation->addButton(types_);
    for (QWidget* w : {static_cast<QWidget*>(formBroad_), static_cast<QWidget*>(formPhrase_),
                       static_cast<QWidget*>(formExact_)})
        forms->addWidget(w);
    forms->addSpacing(20);
    forms->addWidget(symbols_);
    forms->addWidget(types_);
    forms->addStretch();
    v->addLayout(forms);
    keywords_ = new QListWidget;
    keywords_->setObjectName("keywords");
    keywords_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    v->addWidget(keywords_, 1);
    auto* bottom = new QHBoxLayout;
    keywordCount_ = new QLabel;
    keywordCount_->setObjectName("keywordCount");
    QPushButton* copy = button("Copy to clipboard", "copyKeywords", "Click here to copy these keywords");
    bottom->addWidget(keywordCount_, 1);
    bottom->addWidget(copy);
    v->addLayout(bottom);
    auto* ads = new QGroupBox("Ads");
    auto* av = new QVBoxLayout(ads);
    auto* adTop = new QHBoxLayout;
    adTop->addWidget(new QLabel("Select ad list:"));
    adList_ = adListChooser();
    adList_->setObjectName("adList");
    adTop->addWidget(adList_, 1);
    QPushButton* newAd = button("New ad", "newAd", "Click here to write a new ad");
    QPushButton* manage = button("Manage ads lists", "manageAdLists", "Click here to move ads between the lists");
    adTop->addWidget(newAd);
    adTop->addWidget(manage);
    av->addLayout(adTop);
    auto* adRow = new QHBoxLayout;
    auto* previews = new QVBoxLayout;
    previews->setSpacing(2);
    for (int i = 0; i < 3; ++i) {
        adPreviews_[i] = new AdPreview;
        adPreviews_[i]->setObjectName(QString("adPreview%1").arg(i));
        adPreviews_[i]->onLeftClick = [this, i] {
            controller_.ads().editAd(i);
            refreshAds();
        };
        adPreviews_[i]->onRightClick = [this, i](const QPoint& at) { showAdMenu(i, at); };
        previews->addWidget(adPreviews_[i]);
    }
    adRow->addLayout(previews, 1);
    adScroll_ = new QScrollBar(Qt::Vertical);
    adScroll_->setObjectName("adScroll");
    adRow->addWidget(adScroll_);
    av->addLayout(adRow);
    v->addWidget(ads);
    connect(adList_, &QComboBox::activated, this, [this](int kind) {
        controller_.ads().setListKind(static_cast<AdListKind>(kind));
        refreshAds();
    });
    connect(adScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (refreshing_) return;
        controller_.ads().setScrollPosition(value);
        refreshAds();
    });
    connect(newAd, &QPushButton::clicked, this, [this] {
        controller_.ads().newAd();
        refreshAds();
    });
    connect(manage, &QPushButton::clicked, this, [this] {
        controller_.ads().manageLists();
        refreshAds();
    });

    auto formsChanged = [this] {
        if (refreshing_) return;
        controller_.setForms({formBroad_->isChecked(), formPhrase_->isChecked(), formExact_->isChecked()},
                             types_->isChecked() ? KeywordNotation::Types : KeywordNotation::Symbols);
    };
    for (QCheckBox* c : {formBroad_, formPhrase_, formExact_}) connect(c, &QCheckBox::toggled, this, formsChanged);
    connect(symbols_, &QRadioButton::toggled, this, formsChanged);
    connect(copy, &QPushButton::clicked, this, [this] { controller_.copyKeywordsToClipboard(); });
    return page;
}

QWidget* CDialogMain::buildSortBox() {
    auto* box = new QGroupBox("Sort by:");
    auto* g = new QGridLayout(box);
    for (int row = 0; row < 3; ++row) {
        g->addWidget(new QLabel(QString("%1.").arg(row + 1)), row, 0);
        sortKeys_[row] = new QComboBox;
        sortKeys_[row]->setObjectName(QString("sortKey%1").arg(row + 1));
        for (std::string_view name : kSortKeyNames) sortKeys_[row]->addItem(QString::fromUtf8(name.data(), name.size()));
        sortReverse_[row] = new QCheckBox("Reverse");
        sortReverse_[row]->setObjectName(QString("sortReverse%1").arg(row + 1));
        freeText_[row] = new QLineEdit;
        freeText_[row]->setObjectName(QString("freeText%1").arg(row + 1));
        freeText_[row]->setMaxLength(static_cast<int>(kFreeTextLimit));
        g->addWidget(sortKeys_[row], row, 1);
        g->addWidget(sortReverse_[row], row, 2);
        g->addWidget(freeText_[row], row, 3);
        connect(sortKeys_[row], &QComboBox::activated, this, [this, row](int index) {
            controller_.filtering().chooseSortKey(row, static_cast<SortKey>(index));
            // The free text is what the person types next.
            if (static_cast<SortKey>(index) == SortKey::FreeText) freeText_[row]->setFocus();
        });
        connect(sortReverse_[row], &QCheckBox::toggled, this, [this, row](bool on) {
            if (refreshing_) return;
            controller_.filtering().setSortReverse(row, on);
        });
        connect(freeText_[row], &QLineEdit::textEdited, this, [this](const QString& text) {
            controller_.filtering().setSortFreeText(fromQt(text));
        });
        connect(freeText_[row], &QLineEdit::returnPressed, this, [this] { controller_.filtering().sortList(); });
    }
    sortList_ = button("Sort list", "sortList", "Click here to sort the list");
    g->addWidget(sortList_, 0, 4, 3, 1);
    g->setColumnStretch(3, 1);
    sortFlash_ = new QTimer(this);
    sortFlash_->setInterval(150);
    connect(sortFlash_, &QTimer::timeout, this, [this] { flash(sortList_, sortFlash_, sortTicks_); });
    connect(sortList_, &QPushButton::clicked, this, [this] { controller_.filtering().sortList(); });
    return box;
}

QWidget* CDialogMain::buildLabels() {
    auto* box = new QWidget;
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 2, 0, 0);
    auto add = [h](const char* caption, QLabel* value) {
        h->addWidget(new QLabel(caption));
        h->addWidget(value);
    };
    original_ = valueLabel("originalList");
    edited_ = valueLabel("editedList");
    current_ = valueLabel("currentList");
    groups_ = valueLabel("groupCount");
    created_ = valueLabel("createDate");
    modified_ = valueLabel("lastModified");
    add("Original list:", original_);
    add("Edited list:", edited_);
    add("Current list:", current_);
    add("Groups:", groups_);
    add("Create date:", created_);
    add("Last modified:", modified_);
    h->addStretch();
    return box;
}

void CDialogMain::connectFilterControls() {
    auto changed = [this] {
        if (refreshing_) return;
        FilterSettings f = controller_.filtering().filters();
        f.ignoreOn = ignoreOn_->isChecked();
        f.ignoreText = fromQt(ignoreBox_->toPlainText().replace("\n", "\r\n"));
        f.wholeWordsOnly = wholeWords_->isChecked();
        f.maxWordsOn = maxWordsOn_->isChecked();
        f.maxWordsText = fromQt(maxWords_->text());
        f.unwantedCharacters = unwantedCharacters_->isChecked();
        f.duplicates = duplicates_->isChecked();
        f.countries = countries_->isChecked();
        controller_.filtering().setFilters(std::move(f));
    };
    for (QCheckBox* c : {ignoreOn_, wholeWords_, maxWordsOn_, unwantedCharacters_, duplicates_, countries_})
        connect(c, &QCheckBox::toggled, this, changed);
    connect(ignoreBox_, &QPlainTextEdit::textChanged, this, changed);
    connect(maxWords_, &QLineEdit::textEdited, this, changed);
}

void CDialogMain::buildMenus() {
    MenuActions& actions = controller_.menuActions();
    actions.provide(
        MenuId::About, [this] { QMessageBox::about(this, "About Phrasewright", toQt(mainWindowTitle())); },
        Needs::Nothing);
    for (const MenuItem& menu : controller_.menus()) addMenuItems(menuBar()->addMenu(toQt(menu.text)), menu.submenu, true);
    // An action a feature supplies later enables its item then.
    actions.setListener([this](MenuId id) { enableProvided(id); });
    for (MenuId id : actions.providedIds())
        if (!featureItems_.count(id) && !isAdCommand(id)) actions.reportUnknown(id);
}

QAction* menuBarAction(QMainWindow& window, const QString& text) {
    for (QAction* action : window.menuBar()->findChildren<QAction*>())
        if (action->text() == text && !action->menu()) return action;
    return nullptr;
}

CDialogMain::~CDialogMain() {
    // Actions provided after the window is gone reach no window, nor does its own.
    controller_.menuActions().setListener(nullptr);
    controller_.menuActions().withdraw(MenuId::About);
    controller_.setChangeListener(nullptr);
}

void CDialogMain::enableProvided(MenuId id) {
    const auto [first, last] = featureItems_.equal_range(id);
    if (first == last && !isAdCommand(id)) controller_.menuActions().reportUnknown(id);
    // Actions and buttons alike have the property.
    for (auto item = first; item != last; ++item) item->second->setProperty("enabled", true);
}

// A feature's button: connected now, enabled when its action arrives.
QPushButton* CDialogMain::featureButton(MenuId id, const QString& text, const QString& objectName,
                                        const QString& tip) {
    QPushButton* b = button(text, objectName, tip);
    b->setEnabled(controller_.menuActions().provided(id));
    featureItems_.emplace(id, b);
    connect(b, &QPushButton::clicked, this, [this, id] { controller_.runMenuAction(id); });
    return b;
}

// Builds a menu from the controller's items; items without an action show disabled.
void CDialogMain::addMenuItems(QMenu* menu, const std::vector<MenuItem>& items, bool menuBarItems) {
    for (const MenuItem& item : items) {
        if (item.separator()) {
            menu->addSeparator();
        } else if (!item.submenu.empty()) {
            addMenuItems(menu->addMenu(toQt(item.text)), item.submenu, menuBarItems);
        } else if (item.toggle) {
            QAction* action = menu->addAction(toQt(item.text));
            action->setCheckable(true);
            action->setChecked(item.checked && item.checked());
            connect(action, &QAction::toggled, this, [toggle = item.toggle](bool on) { toggle(on); });
        } else {
            QAction* action = menu->addAction(toQt(item.text));
            if (!item.shortcut.empty()) action->setShortcut(QKeySequence(toQt(item.shortcut)));
            action->setEnabled(item.enabled());
            if (item.id && menuBarItems) {
                // A feature's item: connected now, enabled when its action arrives.
                featureItems_.emplace(*item.id, action);
                connect(action, &QAction::triggered, this, [this, id = *item.id] { controller_.runMenuAction(id); });
            } else if (item.run) {
                connect(action, &QAction::triggered, this, [run = item.run] { run(); });
            }
        }
    }
}

// --- showing the controller's state ---

void CDialogMain::refresh(unsigned changes) {
    refreshing_ = true;
    if (changes & kTabs) refreshTabs();
    if (changes & kRows) {
        // While a job has the list the view shows it blank, never half-changed.
        if (controller_.busy()) {
            listModel_->blank();
        } else {
            const int top = listView_->verticalScrollBar()->value();
            listModel_->reload();
            listView_->verticalScrollBar()->setValue(top);
        }
    }
    if (changes & kDeleteBox) {
        if (controller_.busy()) deleteModel_->blank();
        else deleteModel_->reload();
    }
    if (changes & kPhase) refreshPhase();
    if (changes & (kRows | kPhase)) refreshMoveButtons();
    if (changes & kFilters) refreshFilters();
    if (changes & kSortRows) refreshSortRows();
    if (changes & (kPages | kPhase)) refreshPages();
    if (changes & kPhase4) {
        keywords_->clear();
        for (const std::string& row : controller_.keywordRows()) keywords_->addItem(toQt(row));
        formBroad_->setChecked(controller_.forms().broad);
        formPhrase_->setChecked(controller_.forms().phrase);
        formExact_->setChecked(controller_.forms().exact);
        refreshAds();
    }
    if (changes & (kLabels | kRows | kDeleteBox | kPages | kPhase4)) refreshLabels();
    if (changes & kStatus) refreshStatus();
    if (changes & kSelection) refreshSelection();
    if (changes & kScrollToTop) listView_->scrollToTop();
    if (changes & kProjectShown) search_->clear();
    if (changes & kSkin) refreshSkin();
    refreshing_ = false;
}

void CDialogMain::refreshTabs() {
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    const std::vector<TabInfo> infos = controller_.tabs();
    // The tab bar lays itself out again on every added or renamed tab while it
    // shows; a project of many groups is laid out once, hidden.
    int changes = std::abs(tabs_->count() - static_cast<int>(infos.size()));
    for (int i = 0; i < std::min<int>(tabs_->count(), static_cast<int>(infos.size())) && changes <= 64; ++i)
        if (tabs_->tabText(i) != toQt(infos[i].name)) ++changes;
    const bool bulk = changes > 64 && tabs_->isVisible();
    if (bulk) tabs_->hide();
    while (tabs_->count() > static_cast<int>(infos.size())) tabs_->removeTab(tabs_->count() - 1);
    for (size_t i = 0; i < infos.size(); ++i) {
        const int index = static_cast<int>(i);
        if (index >= tabs_->count()) tabs_->addTab(QString());
        const QString name = toQt(infos[i].name);
        if (tabs_->tabText(index) != name) {
            tabs_->setTabText(index, name);
            tabs_->setTabToolTip(index, name);
        }
        tabs_->setTabData(index, QColor(infos[i].color.red, infos[i].color.green, infos[i].color.blue));
    }
    tabs_->setCurrentIndex(controller_.currentTab());
    if (bulk) tabs_->show();
    tabs_->update();
    refreshing_ = wasRefreshing;
}

void CDialogMain::refreshMoveButtons() {
    const bool rowsSelected = listView_->selectionModel()->hasSelection();
    moveToDeleteBox_->setEnabled(rowsSelected);
    moveToList1_->setEnabled(rowsSelected);
}

void CDialogMain::refreshPhase() {
    const int phase = controller_.phase();
    phases_->setCurrentIndex(phase - 1);
    phaseTitle_->setText(QString::fromStdString(controller_.phaseTitle()));
    for (int p = 0; p < 4; ++p) phaseButtons_[p]->setChecked(p + 1 == phase);
}

void CDialogMain::refreshFilters() {
    const FilterSettings& f = controller_.filtering().filters();
    ignoreOn_->setChecked(f.ignoreOn);
    QString box = toQt(f.ignoreText);
    box.replace("\r\n", "\n");
    if (ignoreBox_->toPlainText() != box) ignoreBox_->setPlainText(box);
    ignoreBox_->setEnabled(f.ignoreOn);
    wholeWords_->setChecked(f.wholeWordsOnly);
    wholeWords_->setEnabled(f.ignoreOn);
    maxWordsOn_->setChecked(f.maxWordsOn);
    setTextKeepingCursor(maxWords_, f.maxWordsText);
    unwantedCharacters_->setChecked(f.unwantedCharacters);
    duplicates_->setChecked(f.duplicates);
    countries_->setChecked(f.countries);
    if (controller_.filtering().updateFlashing() && !updateFlash_->isActive()) {
        updateTicks_ = 0;
        updateFlash_->start();
    }
}

void CDialogMain::refreshSortRows() {
    for (int row = 0; row < 3; ++row) {
        sortKeys_[row]->setCurrentIndex(static_cast<int>(controller_.filtering().sortRows().keys[row]));
        sortReverse_[row]->setChecked(controller_.filtering().sortRows().reverse[row]);
        const bool free = controller_.filtering().sortRows().keys[row] == SortKey::FreeText;
        freeText_[row]->setVisible(free);
        if (free) setTextKeepingCursor(freeText_[row], controller_.filtering().sortRows().freeText);
    }
    if (controller_.filtering().sortFlashing() && !sortFlash_->isActive()) {
        sortTicks_ = 0;
        sortFlash_->start();
    }
}

void CDialogMain::refreshPages() {
    auto fill = [](QListWidget* list, const Page* page) {
        list->clear();
        if (!page) return;
        for (const std::string& text : *page) list->addItem(toQt(text));
    };
    fill(list1_, controller_.sideLists().list1());
    fill(list2_, controller_.sideLists().list2());
    setTextKeepingCursor(list1Filter_, controller_.sideLists().boxes().list1Filter);
    setTextKeepingCursor(list1Name_, controller_.sideLists().boxes().list1Name);
    setTextKeepingCursor(list2Filter_, controller_.sideLists().boxes().list2Filter);
    setTextKeepingCursor(list2Name_, controller_.sideLists().boxes().list2Name);
    list1Create_->setEnabled(controller_.sideLists().list1CreateEnabled());
    list2Create_->setEnabled(controller_.sideLists().list2CreateEnabled());
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    pageBar_->setRange(0, std::max(0, controller_.sideLists().pageCount() - 1));
    pageBar_->setValue(controller_.sideLists().pagePosition());
    refreshing_ = wasRefreshing;
}

void CDialogMain::refreshLabels() {
    const Labels l = controller_.labels();
    original_->setText(QString::fromStdString(l.original));
    edited_->setText(QString::fromStdString(l.edited));
    current_->setText(QString::fromStdString(l.current));
    groups_->setText(QString::fromStdString(l.groups));
    created_->setText(QString::fromStdString(l.created));
    modified_->setText(QString::fromStdString(l.modified));
    listCount_->setText(QString::fromStdString(l.listCount));
    deleteCount_->setText(QString::fromStdString(l.deleteCount));
    deleteButton_->setEnabled(controller_.deleteBox().deleteButtonEnabled());
    list1Count_->setText(QString::fromStdString(l.list1Count));
    list2Count_->setText(QString::fromStdString(l.list2Count));
    keywordCount_->setText(QString::fromStdString(l.phase4Count));
    keywordCount_->setStyleSheet(l.phase4OverGroupLimit ? "color: #c00000; font-weight: bold;" : QString());
}

void CDialogMain::refreshStatus() {
    const Status& s = controller_.status();
    statusText_->setText(toQt(s.text));
    statusText_->setVisible(s.visible);
    progress_->setVisible(s.visible && controller_.busy());
    progress_->setValue(s.progress);
}

void CDialogMain::pollBackgroundWork() {
    const std::optional<std::string> line = controller_.backgroundStatusLine();
    if (line) {
        statusText_->setText(toQt(*line));
        statusText_->setVisible(true);
        progress_->setVisible(true);
        if (!backgroundAnimation_->isActive()) backgroundAnimation_->start();
        showingBackground_ = true;
    } else if (showingBackground_) {
        showingBackground_ = false;
        backgroundAnimation_->stop();
        statusText_->clear();
        refreshStatus();
    }
}

void CDialogMain::refreshSelection() {
    if (const std::optional<int> row = controller_.takeRowToSelect()) {
        const QModelIndex index = listModel_->index(*row, 0);
        listView_->clearSelection();
        listView_->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        listView_->scrollTo(index, QAbstractItemView::PositionAtTop);
    }
    switch (controller_.takeFocus()) {
    case Focus::List1Name: list1Name_->setFocus(); list1Name_->selectAll(); break;
    case Focus::List2Name: list2Name_->setFocus(); list2Name_->selectAll(); break;
    case Focus::List1Filter: list1Filter_->setFocus(); break;
    case Focus::List2Filter: list2Filter_->setFocus(); break;
    case Focus::IgnoreBoxEnd: {
        ignoreBox_->setFocus();
        ignoreBox_->moveCursor(QTextCursor::End);
        break;
    }
    case Focus::None: break;
    }
}

void CDialogMain::refreshAds() {
    AdsAreaController& ads = controller_.ads();
    adList_->setCurrentIndex(static_cast<int>(ads.listKind()));
    const PreviewScroll scroll = ads.scroll();
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    adScroll_->setRange(0, scroll.enabled ? scroll.maximum - 1 : 0);
    adScroll_->setPageStep(scroll.page);
    adScroll_->setEnabled(scroll.enabled);
    adScroll_->setValue(ads.scrollPosition());
    refreshing_ = wasRefreshing;
    for (int i = 0; i < 3; ++i) {
        if (const Ad* ad = ads.adAt(i)) adPreviews_[i]->showAd(*ad);
        else adPreviews_[i]->setBlank();
    }
}

void CDialogMain::showAdMenu(int preview, const QPoint& position) {
    AdsAreaController& ads = controller_.ads();
    const Ad* ad = ads.adAt(preview);
    if (!ad) return;
    QMenu menu(this);
    menu.addAction(toQt(ad->title))->setEnabled(false);
    menu.addSeparator();
    menu.addAction("&Edit Ad", this, [&ads, preview] { ads.editAd(preview); });
    menu.addAction("&Delete Ad", this, [&ads, preview] { ads.deleteAd(preview); });
    menu.addAction("&Copy to new ad", this, [&ads, preview] { ads.copyToNewAd(preview); });
    menu.addSeparator();
    // The web commands are greyed until a feature supplies them.
    menu.addAction("Copy &from Google", this, [&ads, preview] { ads.copyFromGoogle(preview); })
        ->setEnabled(ads.copyFromGoogleEnabled());
    const std::string_view network = networkName(ad->engine);
    menu.addAction(QString("Copy into &%1").arg(QString::fromUtf8(network.data(), network.size())), this,
                   [&ads, preview] { ads.copyIntoConsole(preview); })
        ->setEnabled(ads.copyIntoEnabled(preview));
    menu.addSeparator();
    menu.addAction("Copy from &another ad", this, [&ads, preview] { ads.copyFromAnotherAd(preview); });
    menu.exec(position);
    refreshAds();
}

void CDialogMain::refreshSkin() {
    skin_->setCurrentIndex(controller_.skinIndex());
    // The skin paints every window the program opens, dialogs included; its
    // text, greyed text and focus colours are chosen to read on it.
    const SkinPalette skin = skinPalette(rgbOfSetting(controller_.backgroundColor()));
    auto qt = [](Rgb c) { return QColor(c.r, c.g, c.b); };
    QPalette p = QApplication::palette();
    p.setColor(QPalette::Window, qt(skin.window));
    p.setColor(QPalette::WindowText, qt(skin.windowText));
    p.setColor(QPalette::Button, qt(skin.button));
    p.setColor(QPalette::ButtonText, qt(skin.buttonText));
    p.setColor(QPalette::Disabled, QPalette::WindowText, qt(skin.disabledText));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, qt(skin.disabledButtonText));
    p.setColor(QPalette::Disabled, QPalette::Text, qt(skin.disabledBoxText));
    p.setColor(QPalette::Highlight, qt(skin.highlight));
    p.setColor(QPalette::HighlightedText, qt(skin.highlightedText));
    QApplication::setPalette(p);
    setPalette(p);
}

void CDialogMain::flash(QPushButton* button, QTimer* timer, int& ticks) {
    const bool on = ++ticks % 2 == 1 && ticks < kFlashTicks;
    button->setStyleSheet(on ? "QPushButton { background: #f5cd70; font-weight: bold; }" : "");
    if (ticks >= kFlashTicks) timer->stop();
}

// --- input ---

bool CDialogMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == listView_ && key->key() == Qt::Key_Delete) {
            controller_.deleteKeyPressed(selectedRows(listView_));
            return true;
        }
        if (watched == listView_ && key->matches(QKeySequence::Copy)) {
            controller_.copyRows(selectedRows(listView_));
            return true;
        }
        if (enter && watched == list1Filter_) {
            controller_.sideLists().moveToList1(selectedRows(listView_));
            return true;
        }
        if (enter && watched == list2Filter_) {
            controller_.sideLists().moveIntoList2(selectedRows(list1_));
            return true;
        }
        if (enter && watched == list1Name_) {
            controller_.sideLists().createGroupFromList1();
            return true;
        }
        if (enter && watched == list2Name_) {
            controller_.sideLists().createGroupFromList2();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == ignoreBox_->viewport()) {
        QTextCursor cursor = ignoreBox_->textCursor();
        cursor.select(QTextCursor::LineUnderCursor);
        const QString word = cursor.selectedText().trimmed();
        if (!word.isEmpty()) controller_.filtering().showIgnoredWords(fromQt(word));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CDialogMain::showExportMenu() {
    if (!controller_.exportMenuAllowed()) return;
    QMenu menu(this);
    menu.addAction("Export as T&XT...", this, [this] { controller_.exportListText(); });
    menu.addAction("Export as &CSV...", this, [this] { controller_.exportListCsv(); });
    menu.exec(QCursor::pos());
}

void CDialogMain::showTabMenu(const QPoint& position) {
    const int tab = tabs_->tabAt(position);
    if (tab <= 0) return;
    controller_.selectTab(tab);
    QMenu menu(this);
    menu.addAction(tabs_->tabText(tab))->setEnabled(false);
    addMenuItems(&menu, controller_.groups().tabMenu(tab - 1), false);
    menu.exec(tabs_->mapToGlobal(position));
}

void CDialogMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (std::exchange(fitted_, true)) return;
    fitIntoScreen();
    // Once the window manager has framed the window its real frame is known.
    QTimer::singleShot(0, this, &CDialogMain::fitIntoScreen);
}

void CDialogMain::fitIntoScreen() {
    if (!screen() || isMaximized() || isFullScreen()) return;
    const QRect room = screen()->availableGeometry();
    // Before the window manager has framed the window its frame is not
    // known yet: a title bar and borders of the style's size stand in for it.
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border);
    }
    const QSize inner = room.size().shrunkBy(frame);
    resize(size().boundedTo(inner));
    const int left = std::clamp(x(), room.left(), std::max(room.left(), room.right() + 1 - width() - frame.left() - frame.right()));
    const int top = std::clamp(y(), room.top(), std::max(room.top(), room.bottom() + 1 - height() - frame.top() - frame.bottom()));
    move(left, top);
}

void CDialogMain::closeEvent(QCloseEvent* event) {
    if (controller_.exitProgram()) event->accept();
    else event->ignore();
}

}  // namespace pw::ui
