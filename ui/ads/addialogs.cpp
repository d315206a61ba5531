#include "ui/ads/addialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/ads/adpreview.h"
#include "ui/ads/adsareacontroller.h"
#include "ui/common/qttext.h"

namespace pw::ui {

namespace {
void applyScroll(QScrollBar* bar, const PreviewScroll& s, int value) {
    bar->blockSignals(true);
    bar->setRange(0, s.enabled ? s.maximum - 1 : 0);
    bar->setPageStep(s.page);
    bar->setEnabled(s.enabled);
    bar->setValue(value);
    bar->blockSignals(false);
}
}  // namespace

// --- Manage ads lists ---

CDialogManageLists::CDialogManageLists(ManageListsController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Manage ads lists");
    setObjectName("CDialogManageLists");
    auto* h = new QHBoxLayout(this);
    auto makePane = [this](int pane) {
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel("Choose ad list:"));
        lists_[pane] = adListChooser();
        lists_[pane]->setObjectName(QString("paneList%1").arg(pane));
        box->addWidget(lists_[pane]);
        auto* row = new QHBoxLayout;
        auto* column = new QVBoxLayout;
        for (int i = 0; i < kPanePreviews; ++i) {
            auto* preview = new AdPreview;
            preview->setObjectName(QString("pane%1preview%2").arg(pane).arg(i));
            preview->onLeftClick = [this, pane, i] {
                controller_.clickPreview(pane, i);
                showPanes();
            };
            previews_[pane][i] = preview;
            column->addWidget(preview);
        }
        row->addLayout(column, 1);
        scroll_[pane] = new QScrollBar(Qt::Vertical);
        row->addWidget(scroll_[pane]);
        box->addLayout(row);
        connect(lists_[pane], &QComboBox::activated, this, [this, pane](int kind) {
            controller_.choosePaneList(pane, static_cast<AdListKind>(kind));
            showPanes();
        });
        connect(scroll_[pane], &QScrollBar::valueChanged, this, [this, pane](int value) {
            controller_.setPaneScroll(pane, value);
            showPanes();
        });
        return box;
    };
    h->addLayout(makePane(0), 1);
    auto* middle = new QVBoxLayout;
    auto* right = new QPushButton(">>");
    right->setObjectName("moveRight");
    auto* left = new QPushButton("<<");
    left->setObjectName("moveLeft");
    auto* done = new QPushButton("Done");
    done->setObjectName("done");
    for (QPushButton* b : {right, left, done}) b->setAutoDefault(false);
    middle->addStretch();
    middle->addWidget(right);
    middle->addWidget(left);
    middle->addStretch();
    middle->addWidget(done);
    h->addLayout(middle);
    h->addLayout(makePane(1), 1);
    connect(right, &QPushButton::clicked, this, [this] {
        controller_.move(0);
        showPanes();
    });
    connect(left, &QPushButton::clicked, this, [this] {
        controller_.move(1);
        showPanes();
    });
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    resize(760, 480);
    showPanes();
}

void CDialogManageLists::showPanes() {
    for (int pane = 0; pane < 2; ++pane) {
        lists_[pane]->setCurrentIndex(static_cast<int>(controller_.paneList(pane)));
        applyScroll(scroll_[pane], controller_.paneScrollRange(pane), controller_.paneScroll(pane));
        for (int i = 0; i < kPanePreviews; ++i) {
            AdPreview* preview = previews_[pane][i];
            if (const Ad* ad = controller_.adAt(pane, i)) {
                preview->showAd(*ad);
                preview->setSelected(controller_.selected(pane, i));
            } else {
                preview->setBlank();
            }
        }
    }
}

// --- Select Ad ---

CDialogSelectAd::CDialogSelectAd(Project& project, QWidget* parent) : QDialog(parent), project_(project) {
    setWindowTitle("Select Ad");
    auto* v = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    group_ = new QComboBox;
    for (const auto& g : project_.groups) group_->addItem(toQt(g->name));
    list_ = adListChooser();
    form->addWidget(new QLabel("Select source group:"), 0, 0);
    form->addWidget(group_, 0, 1);
    form->addWidget(new QLabel("Select list:"), 1, 0);
    form->addWidget(list_, 1, 1);
    v->addLayout(form);
    auto* row = new QHBoxLayout;
    auto* column = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        previews_[i] = new AdPreview;
        auto pick = [this, i] {
            const int g = group_->currentIndex();
            if (g < 0 || previews_[i]->isBlank()) return;
            AdList& ads = project_.groups[g]->adLists[list_->currentIndex()];
            chosen_ = &ads[scroll_->value() + i];
            accept();
        };
        previews_[i]->onLeftClick = pick;
        previews_[i]->onRightClick = [pick](const QPoint&) { pick(); };
        column->addWidget(previews_[i]);
    }
    row->addLayout(column, 1);
    scroll_ = new QScrollBar(Qt::Vertical);
    row->addWidget(scroll_);
    v->addLayout(row);
    connect(group_, &QComboBox::currentIndexChanged, this, [this] { showAds(); });
    connect(list_, &QComboBox::currentIndexChanged, this, [this] { showAds(); });
    connect(scroll_, &QScrollBar::valueChanged, this, [this] { showAds(); });
    resize(420, 320);
    showAds();
}

void CDialogSelectAd::showAds() {
    const int g = group_->currentIndex();
    const AdList* ads = g >= 0 ? &project_.groups[g]->adLists[list_->currentIndex()] : nullptr;
    applyScroll(scroll_, previewScroll(ads ? ads->size() : 0, 3), scroll_->value());
    for (int i = 0; i < 3; ++i) {
        const size_t index = static_cast<size_t>(scroll_->value() + i);
        if (ads && index < ads->size()) previews_[i]->showAd((*ads)[index]);
        else previews_[i]->setBlank();
    }
}

// --- Search for past ads ---

CDialogSearch::CDialogSearch(PastAdsSearchController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Search for past ads");
    setObjectName("CDialogSearch");
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;

    auto* criteria = new QGridLayout;
    criteria->addWidget(new QLabel("Perfect\nmatch"), 0, 2, Qt::AlignCenter);
    criteria->addWidget(new QLabel("Case\nsensitive"), 0, 3, Qt::AlignCenter);
    const char* labels[kAdCriterionCount] = {"Ad title:",   "Ad text1:",       "Ad text2:",
                                             "Display URL:", "Dest. URL:", "Notes:"};
    for (int i = 0; i < kAdCriterionCount; ++i) {
        texts_[i] = new QLineEdit;
        texts_[i]->setObjectName(QString("criterion%1").arg(i));
        texts_[i]->setMaxLength(1023);
        perfect_[i] = new QCheckBox;
        caseSensitive_[i] = new QCheckBox;
        criteria->addWidget(new QLabel(labels[i]), i + 1, 0);
        criteria->addWidget(texts_[i], i + 1, 1);
        criteria->addWidget(perfect_[i], i + 1, 2, Qt::AlignCenter);
        criteria->addWidget(caseSensitive_[i], i + 1, 3, Qt::AlignCenter);
        connect(texts_[i], &QLineEdit::textChanged, this, [this] { showState(); });
    }
    top->addLayout(criteria, 3);

    auto* scopes = new QVBoxLayout;
    currentGroup_ = new QCheckBox("Search current ad group");
    currentProject_ = new QCheckBox("Search current project");
    recent_ = new QCheckBox("Search recent projects");
    projectsFolder_ = new QCheckBox("Search all projects in projects folder");
    folder_ = new QCheckBox("Search all projects in folder:");
    folderPath_ = new QLineEdit;
    folderPath_->setMaxLength(511);
    auto* browse = new QPushButton("...");
    browse->setAutoDefault(false);
    for (QCheckBox* c : {currentGroup_, currentProject_, recent_, projectsFolder_, folder_}) scopes->addWidget(c);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderPath_, 1);
    folderRow->addWidget(browse);
    scopes->addLayout(folderRow);
    auto* searchRow = new QHBoxLayout;
    auto* start = new QPushButton("Start search");
    start->setObjectName("startSearch");
    stop_ = new QPushButton("Stop search");
    stop_->setObjectName("stopSearch");
    searchRow->addWidget(start);
    searchRow->addWidget(stop_);
    scopes->addLayout(searchRow);
    top->addLayout(scopes, 2);
    v->addLayout(top);

    results_ = new QTreeWidget;
    results_->setObjectName("results");
    results_->setHeaderLabels({"Ad title", "Ad group", "Project"});
    results_->setRootIsDecorated(false);
    results_->header()->resizeSection(0, 165);
    results_->header()->resizeSection(1, 135);
    results_->setMinimumHeight(150);
    v->addWidget(results_, 1);
    auto* bottom = new QHBoxLayout;
    preview_ = new AdPreview;
    auto* details = new QGridLayout;
    destination_ = new QLineEdit;
    destination_->setReadOnly(true);
    notes_ = new QLineEdit;
    notes_->setReadOnly(true);
    details->addWidget(new QLabel("Dest. URL:"), 0, 0);
    details->addWidget(destination_, 0, 1);
    details->addWidget(new QLabel("Notes:"), 1, 0);
    details->addWidget(notes_, 1, 1);
    bottom->addWidget(preview_, 1);
    bottom->addLayout(details, 1);
    v->addLayout(bottom);
    auto* statusRow = new QHBoxLayout;
    status_ = new QLabel("Searching, please wait...");
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    copy_ = new QPushButton("&Copy into current ad");
    copy_->setObjectName("copyIntoCurrentAd");
    auto* close = new QPushButton("&Close");
    statusRow->addWidget(status_);
    statusRow->addWidget(progress_, 1);
    statusRow->addWidget(copy_);
    statusRow->addWidget(close);
    v->addLayout(statusRow);
    for (QPushButton* b : {start, stop_, copy_, close}) b->setAutoDefault(false);

    auto scopeToggled = [this](QCheckBox* box, auto&& apply) {
        connect(box, &QCheckBox::clicked, this, [this, apply](bool on) {
            apply(on);
            showState();
        });
    };
    scopeToggled(currentGroup_, [this](bool on) { controller_.setCurrentGroup(on); });
    scopeToggled(currentProject_, [this](bool on) { controller_.setCurrentProject(on); });
    scopeToggled(recent_, [this](bool on) { controller_.setRecentProjects(on); });
    scopeToggled(projectsFolder_, [this](bool on) { controller_.setProjectsFolder(on); });
    scopeToggled(folder_, [this](bool on) {
        controller_.setFolderPath(fromQt(folderPath_->text()));
        controller_.setFolder(on);
    });
    connect(folderPath_, &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_.setFolderPath(fromQt(text)); });
    connect(browse, &QPushButton::clicked, this, [this] {
        controller_.browseFolder();
        showState();
    });
    connect(start, &QPushButton::clicked, this, [this] {
        readCriteria();
        results_->clear();
        shownResults_ = 0;
        controller_.startSearch();
        showState();
    });
    // Enter in any search field starts the search, as the button would.
    for (QLineEdit* field : texts_) connect(field, &QLineEdit::returnPressed, start, &QPushButton::click);
    connect(folderPath_, &QLineEdit::returnPressed, start, &QPushButton::click);
    connect(stop_, &QPushButton::clicked, this, [this] {
        controller_.stopSearch();
        stop_->setEnabled(false);
    });
    connect(results_, &QTreeWidget::currentItemChanged, this, [this] {
        controller_.select(results_->indexOfTopLevelItem(results_->currentItem()));
    });
    connect(copy_, &QPushButton::clicked, this, [this] {
        if (controller_.copyIntoCurrentAd()) accept();
    });
    connect(close, &QPushButton::clicked, this, &CDialogSearch::reject);
    controller_.onChange = [this] { showState(); };
    resize(760, 600);
    showState();
}

void CDialogSearch::readCriteria() {
    for (int i = 0; i < kAdCriterionCount; ++i)
        controller_.query[i] = {fromQt(texts_[i]->text()), perfect_[i]->isChecked(), caseSensitive_[i]->isChecked()};
}

void CDialogSearch::showState() {
    for (int i = 0; i < kAdCriterionCount; ++i) {
        const bool any = !texts_[i]->text().isEmpty();
        perfect_[i]->setEnabled(any);
        caseSensitive_[i]->setEnabled(any);
    }
    const SearchScope& s = controller_.scope();
    currentGroup_->setChecked(s.currentGroup);
    currentGroup_->setEnabled(controller_.currentGroupEnabled());
    currentProject_->setChecked(s.currentProject);
    currentProject_->setEnabled(controller_.currentProjectEnabled());
    recent_->setChecked(s.recentProjects);
    projectsFolder_->setChecked(s.projectsFolder);
    folder_->setChecked(s.folder);
    if (folderPath_->text() != toQt(s.folderPath)) folderPath_->setText(toQt(s.folderPath));
    const auto& found = controller_.results();
    for (; shownResults_ < static_cast<int>(found.size()); ++shownResults_) {
        const FoundAd& f = found[shownResults_];
        results_->addTopLevelItem(new QTreeWidgetItem({toQt(f.ad.title), toQt(f.group), toQt(f.project)}));
    }
    const bool searching = controller_.searching();
    stop_->setEnabled(searching);
    status_->setVisible(searching);
    progress_->setVisible(searching);
    progress_->setValue(controller_.progress());
    const std::optional<int> chosen = controller_.selected();
    copy_->setEnabled(chosen.has_value());
    if (chosen) {
        const Ad& ad = found[*chosen].ad;
        preview_->showAd(ad);
        destination_->setText(toQt(ad.destinationUrl));
        notes_->setText(toQt(ad.notes));
    } else {
        preview_->showTexts(placeholderPreview());
        destination_->clear();
        notes_->clear();
    }
}

void CDialogSearch::reject() {
    if (controller_.close()) QDialog::reject();
}

}  // namespace pw::ui
