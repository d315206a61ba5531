#pragma once
// The main window: tabs, the list view, the controls of the current phase,
// the labels, the status line and the menus. It shows what its controller
// holds and forwards what the user does; the logic is in the controller.

#include <QMainWindow>

#include <map>

#include "ui/main/mainwindowcontroller.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QStackedWidget;
class QTableView;
class QTimer;
class QAction;
class QMenu;

namespace pw::ui {

class AdPreview;
class GroupTabBar;
class PhraseListModel;

class CDialogMain : public QMainWindow {
public:
    explicit CDialogMain(MainWindowController& controller, QWidget* parent = nullptr);
    ~CDialogMain() override;
    MainWindowController& controller() { return controller_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window, frame and status line included, lies inside the screen's
    // free area (the desktop's panels excluded).
    void fitIntoScreen();
    void buildMenus();
    // Items of the menu bar keep their feature-supplied actions by id; a
    // pop-up menu is built afresh each time and takes them as they are.
    void addMenuItems(QMenu* menu, const std::vector<MenuItem>& items, bool menuBarItems);
    void enableProvided(MenuId id);
    QPushButton* featureButton(MenuId id, const QString& text, const QString& objectName, const QString& tip);
    QWidget* buildListSide();
    QWidget* buildPhase1();
    QWidget* buildPhase2();
    QWidget* buildPhase3();
    QWidget* buildPhase4();
    QWidget* buildSortBox();
    QWidget* buildLabels();
    void connectFilterControls();

    void refresh(unsigned changes);
    void refreshTabs();
    void refreshFilters();
    void refreshSortRows();
    void refreshPages();
    void refreshLabels();
    void refreshStatus();
    void refreshPhase();
    void refreshMoveButtons();
    void refreshSelection();
    void refreshSkin();
    void refreshAds();
    void showAdMenu(int preview, const QPoint& position);
    void flash(QPushButton* button, QTimer* timer, int& ticks);

    void showTabMenu(const QPoint& position);
    void showExportMenu();

    MainWindowController& controller_;
    bool refreshing_ = false;
    // The menu bar's items whose action a feature supplies.
    // The menu items and buttons whose actions features supply, by id.
    std::multimap<MenuId, QObject*> featureItems_;
    bool fitted_ = false;

    GroupTabBar* tabs_;
    QTableView* listView_;
    PhraseListModel* listModel_;
    QLineEdit* search_;
    QLabel* listCount_;
    QStackedWidget* phases_;
    QLabel* phaseTitle_;
    std::vector<QPushButton*> phaseButtons_;

    // Phase 1.
    QCheckBox* ignoreOn_;
    QPlainTextEdit* ignoreBox_;
    QCheckBox* wholeWords_;
    QCheckBox* maxWordsOn_;
    QLineEdit* maxWords_;
    QCheckBox* unwantedCharacters_;
    QCheckBox* duplicates_;
    QCheckBox* countries_;
    QPushButton* update_;
    QTimer* updateFlash_;
    int updateTicks_ = 0;

    // Sorting.
    QComboBox* sortKeys_[3];
    QCheckBox* sortReverse_[3];
    QLineEdit* freeText_[3];
    QPushButton* sortList_;
    QTimer* sortFlash_;
    // Work that goes on after its window closed (a commit): polled, and its
    // progress bar kept moving while it runs.
    QTimer* backgroundPoll_;
    QTimer* backgroundAnimation_;
    bool showingBackground_ = false;
    void pollBackgroundWork();
    int sortTicks_ = 0;

    // Phase 2.
    QPushButton* moveToDeleteBox_;
    QTableView* deleteBox_;
    PhraseListModel* deleteModel_;
    QLabel* deleteCount_;
    QPushButton* deleteButton_;

    // Phase 3.
    QPushButton* moveToList1_;
    QLineEdit* list1Filter_;
    QLineEdit* list1Name_;
    QListWidget* list1_;
    QLabel* list1Count_;
    QPushButton* list1Create_;
    QPushButton* list1Add_;
    QLineEdit* list2Filter_;
    QLineEdit* list2Name_;
    QListWidget* list2_;
    QLabel* list2Count_;
    QPushButton* list2Create_;
    QPushButton* list2Add_;
    QScrollBar* pageBar_;

    // Phase 4.
    QCheckBox* formBroad_;
    QCheckBox* formPhrase_;
    QCheckBox* formExact_;
    QRadioButton* symbols_;
    QRadioButton* types_;
    QListWidget* keywords_;
    QLabel* keywordCount_;
    QComboBox* adList_;
    AdPreview* adPreviews_[3];
    QScrollBar* adScroll_;

    // Labels and status.
    QLabel* original_;
    QLabel* edited_;
    QLabel* current_;
    QLabel* groups_;
    QLabel* created_;
    QLabel* modified_;
    QComboBox* skin_;
    QLabel* statusText_;
    QProgressBar* progress_;
};

// The window's menu-bar item with this text ("&Save project"), as a person finds it; none when missing.
QAction* menuBarAction(QMainWindow& window, const QString& text);

}  // namespace pw::ui
