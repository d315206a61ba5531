#pragma once
// What the main window does: its commands, what they ask, what they change
// and what it shows next. The window (CDialogMain) only displays this state
// and forwards the user's actions; tests drive it without a screen.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/filterupdate.h"
#include "core/keywordforms.h"
#include "core/listordering.h"
#include "core/phase3pages.h"
#include "core/project.h"
#include "io/appsettings.h"
#include "io/programfolder.h"
#include "ui/ads/adsareacontroller.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"
#include "ui/common/jobrunner.h"
#include "ui/common/menuactions.h"
#include "ui/common/menus.h"
#include "ui/common/listworkspace.h"
#include "ui/groups/groupcommands.h"
#include "ui/groups/groupdialogs.h"
#include "ui/main/maindialogs.h"
#include "ui/main/projectsession.h"

namespace pw::ui {

// "Phrasewright - v" and the program version.
std::string mainWindowTitle();

// The four phases of the keyword road.
enum class Phase { Filter = 1, Delete = 2, Group = 3, Ads = 4 };
constexpr int kPhaseCount = 4;
constexpr std::array<const char*, kPhaseCount> kPhaseTitles = {
    "Phase 1: Deleting phrases from full list", "Phase 2: Deleting individual keywords", "Phase 3: Filter into groups",
    "Phase 4: Write ads & prepare keywords"};

// The commands of the main window. Those that read or change the lists are
// refused while a list job runs.
enum class MainCommand {
    NewProject, OpenProject, SaveProject, SaveProjectAs, CloseProject, Exit,
    SelectTab, GoToPhase, Update, SortList, HeaderSort, FeedIgnoreBox, ShowIgnoredWords,
    EditCountries, EditUnwantedCharacters, ImportIgnoreBox, ExportIgnoreBox, ImportList,
    ExportListText, ExportListCsv, ExportGroupNames, CopyKeywords, CopyRows, AddPhrases, TypeAhead,
    MoveToDeleteBox, MoveBackFromDeleteBox, DeletePermanently,
    MoveToList1, MoveIntoList2, MoveList1ToList2, MoveList2ToList1, MoveList1ToMain, MoveList2ToMain,
    SetPagePosition, CreateGroupFromList1, CreateGroupFromList2, AddList1ToGroup, AddList2ToGroup,
    ChooseSkin, FiltersChanged, SortRowsChanged, FormsChanged,
};
// Whether the command reads or changes the lists (and so waits for the worker).
bool needsLists(MainCommand command);

// The windows the main window opens, each family behind its own interface.
struct MainWindowServices {
    Desktop& desktop;
    MainDialogs& dialogs;
    GroupDialogs& groups;
    AdWindows& ads;
};

// A box the window should give the focus to.
enum class Focus { None, List1Name, List2Name, List1Filter, List2Filter, IgnoreBoxEnd };

struct TabInfo {
    std::string name;
    Rgb color;
};

struct Labels {
    std::string original, edited, current, groups, created, modified;
    std::string listCount;    // "Current count: %d"
    std::string deleteCount;  // "Current count: %s"
    std::string list1Count, list2Count, phase4Count;
};

struct Status {
    std::string text;
    bool visible = false;
    int progress = 0;
};

// The most a phase-3 "Name:" box takes over from its "Filter:" box.
constexpr size_t kNameBoxSize = 255;

// The phase-3 "Filter:" and "Name:" boxes.
struct Phase3Boxes {
    std::string list1Filter, list1Name, list2Filter, list2Name;
};

class MainWindowController {
public:
    // `gate` refuses list commands while `jobs` runs one; `actions` holds
    // what features supply for the menu items and buttons they own.
    MainWindowController(MainWindowServices services, JobRunner& jobs, Dispatcher& dispatcher, CommandGate& gate,
                         MenuActions& actions, ProgramFolder folder, SettingsStore& settings);

    // Told what changed after every command, so that the window redraws that.
    void setChangeListener(std::function<void(unsigned changes)> listener) { onChange_ = std::move(listener); }
    // The open project is about to be replaced or closed: the windows that work on it close.
    void setProjectLeaving(std::function<void()> leaving) { projectLeaving_ = std::move(leaving); }
    // The program ends (chooser cancelled, exit).
    void setQuitHandler(std::function<void()> quit) { onQuit_ = std::move(quit); }
    // Work elsewhere in the program that keeps it open (a background commit): the message that says so.
    void setCloseRefusal(std::function<std::optional<Message>()> refusal) { closeRefusal_ = std::move(refusal); }
    // The status of that work while it runs (polled by the window), none once it has ended.
    void setBackgroundStatus(std::function<std::optional<std::string>()> status) {
        backgroundStatus_ = std::move(status);
    }
    // What the status line shows of it: none while a list job of this window
    // has the status line, or when nothing runs in the background.
    std::optional<std::string> backgroundStatusLine() const {
        if (busy() || !backgroundStatus_) return std::nullopt;
        return backgroundStatus_();
    }

    // --- start-up and the project ---
    // With a path the project opens at once; without, showChooser() follows.
    void start(const std::string& startupPath);
    void showChooser();
    void newProject();
    void openProject();
    bool saveProject();
    bool saveProjectAs();
    void closeProject();
    // False when the user chose to stay.
    bool exitProgram();

    // --- what the window shows ---
    const Project& project() const { return session_.project(); }
    bool busy() const { return jobs_.busy(); }
    int phase() const { return static_cast<int>(phase_); }
    // The menu bar: each top-level item holds its menu.
    std::vector<MenuItem> menus();
    // The actions features supply, by id: an item shows disabled until its action arrives.
    MenuActions& menuActions() { return actions_; }
    // Runs a supplied action through the gate: refused while a list job
    // changes the project the feature's window reads.
    void runMenuAction(MenuId id);
    int currentTab() const { return tab_; }
    std::string phaseTitle() const;
    std::vector<TabInfo> tabs() const;
    size_t rowCount() const { return rows_.size(); }
    std::string_view rowText(size_t row) const;
    int32_t rowHits(size_t row) const;
    size_t deleteBoxCount() const { return deleteRows_.size(); }
    std::string_view deleteBoxText(size_t row) const;
    int32_t deleteBoxHits(size_t row) const;
    const Page* list1() const { return pages_.page(pagePosition_); }
    const Page* list2() const { return pages_.page(pagePosition_ + 1); }
    int pagePosition() const { return static_cast<int>(pagePosition_); }
    int pageCount() const { return static_cast<int>(pages_.count()); }
    const std::vector<std::string>& keywordRows() const { return keywordRows_; }
    Labels labels() const;
    const Status& status() const { return status_; }
    int skinIndex() const { return skinIndex_; }
    uint32_t backgroundColor() const { return settings_.values().backgroundColor; }
    bool confirmDeleteSetting() const { return settings_.values().confirmDelete; }
    bool list1CreateEnabled() const;
    bool list2CreateEnabled() const;
    bool list1AddEnabled() const;
    bool list2AddEnabled() const;
    bool deleteButtonEnabled() const { return !deleteRows_.empty(); }
    // One-shot requests for the window: a row to select and scroll to, a box to focus.
    std::optional<int> takeRowToSelect();
    Focus takeFocus();
    // The ignore box was set from a list: the window puts the caret at its end.

    // The controls' state; the window changes it through the setters below.
    const FilterSettings& filters() const { return filters_; }
    const PhraseOrder& sortRows() const { return sortRows_; }
    const Phase3Boxes& boxes() const { return boxes_; }
    const KeywordForms& forms() const { return forms_; }
    KeywordNotation notation() const { return notation_; }
    bool updateFlashing() const { return updateFlashing_; }  // "Update" flashes until pressed
    bool sortFlashing() const { return sortFlashing_; }      // "Sort list" likewise

    // What the user typed or ticked, as the window reports it.
    void setFilters(FilterSettings edited);
    void setPhase3Box(std::string Phase3Boxes::*box, std::string text);
    void setForms(KeywordForms shown, KeywordNotation shownNotation);
    void setSortReverse(int row, bool on);
    void setSortFreeText(std::string text);

    // --- commands ---
    void selectTab(int tab);
    void goToPhase(int phase);

    void filtersChanged();
    void sortRowsChanged();
    // Choosing "By free text" in one row sends the other rows back to "Alphabetically".
    void chooseSortKey(int row, SortKey key);
    void update(std::optional<int> firstSelectedRow = {});
    void sortList();
    void headerClicked(int column);
    void feedIgnoreBox(int row);
    void showIgnoredWords(const std::string& word);
    void editCountries();
    void editUnwantedCharacters();
    void importIgnoreBox();
    void exportIgnoreBox();

    void importList();
    // False (after saying why) when there is nothing to export.
    bool exportMenuAllowed();
    void exportListText();
    void exportListCsv();
    void exportGroupNames();
    void copyKeywordsToClipboard();
    void copyRows(const std::vector<int>& rows);
    void addPhrases();
    int typeAhead(const std::string& text);

    // A double click on a row: feeds the ignore box in phase 1, moves the row
    // to the 'Delete' box in phase 2 and the selection to list 1 in phase 3.
    void rowDoubleClicked(int row, const std::vector<int>& selectedRows);
    // The Delete key in the list view: phase 2 only.
    void deleteKeyPressed(const std::vector<int>& selectedRows);

    // Phase 2.
    void moveToDeleteBox(const std::vector<int>& rows);
    void moveBackFromDeleteBox(const std::vector<int>& deleteBoxRows);
    void deletePermanently();

    // Phase 3.
    void moveToList1(const std::vector<int>& selectedRows);
    void searchList1IntoList2();
    // The move-to-list-2 button and Enter in list 2's "Filter:": the selected
    // rows of list 1 move, or without a selection list 2's filter runs.
    void moveIntoList2(const std::vector<int>& list1Rows);
    void moveList1ToList2(const std::vector<int>& list1Rows);
    void moveList2ToList1(const std::vector<int>& list2Rows);
    void moveList1ToMain(const std::vector<int>& list1Rows);
    void moveList2ToMain(const std::vector<int>& list2Rows);
    void setPagePosition(int position);
    void createGroupFromList1();
    void createGroupFromList2();
    void addList1ToGroup();
    void addList2ToGroup();
    void leavePhase3();

    // Phase 4.
    void formsChanged();

    // The group commands of the tabs and the View menu.
    GroupCommands& groups() { return groups_; }

    // Phase 4's ads area of the selected group.
    AdsAreaController& ads() { return ads_; }

    // For the features the main window hosts.
    CommandGate& gate() { return gate_; }
    // "Project not saved!\nSave now?" when modified; false when the user cancelled.
    bool askToSave();
    void markModified();

    void chooseSkin(int index);
    // The check-marked "Automatically check for updates" of the Help menu.
    bool autoUpdateCheck() const;
    void setAutoUpdateCheck(bool on);

    // The list of the selected tab: a group, or the main list.
    Group& currentList();
    const Group& currentList() const;

private:
    // Runs a command through the gate; false when refused or failed.
    template <typename Body>
    bool command(MainCommand id, Body&& body) {
        clearSavedNotice();
        return gate_.run(needsLists(id) ? Needs::Lists : Needs::Nothing, std::forward<Body>(body));
    }
    void notify(unsigned changes);
    // Runs `work` on the worker with the status text and progress bar; `done`
    // runs on the window's thread, told whether the work finished. A job owns
    // what it works on: lists are lent to it and come back in `done`.
    void runJob(const std::string& statusText, std::function<void(const ProgressFn&)> work,
                std::function<void(bool ok)> done);
    void showStatus(const std::string& text);
    void hideStatus();
    void refill();
    void refreshKeywordRows();
    bool saveAndShow(bool saveAs);
    void keepFilterSettings();
    // "Project saved!" stays only until the next thing the user does.
    void clearSavedNotice();
    bool refusedToClose();
    void prepareWindow();
    void openPath(const std::string& path);
    void loadProject(const std::string& path);
    void resetToEmpty();
    void restoreFilterControls();
    std::string tabCaption(int tab) const;
    std::optional<std::string> askExportPath(const FileFilter& filter, const std::string& initialName);
    void writeExport(const std::string& path, const std::string& bytes, const ExportMessage* success);
    void afterPageRemoved();
    void movePageRows(size_t fromIndex, size_t toIndex, const std::vector<int>& rows);
    void removePageIfEmpty(size_t index);
    void moveSideListToList(size_t pageIndex, const std::vector<int>& rows);
    void showTab(int tab);
    void startPhase4OnList();
    void importSpreadsheet(const std::string& path);
    void importNextFile(std::vector<std::string> files, size_t index);
    void readImportFile(std::vector<std::string> files, size_t index, ImportColumns columns);
    void moveBetweenListAndDeleteBox(const std::vector<uint32_t>& positions, bool intoBox,
                                     std::optional<int> rowToSelectAfter = {});
    void moveSideListInto(Group& target, bool list1, const std::string& statusText, std::function<void()> after);
    void moveToList1Now(const std::vector<int>& selectedRows);
    void moveIntoList2Now(const std::vector<int>& list1Rows);
    void searchList1IntoList2Now();
    void createGroupFrom(bool list1);
    void addListToGroup(bool list1);

    std::function<void(unsigned changes)> onChange_;
    std::function<void()> onQuit_;
    std::function<void()> projectLeaving_;
    FilterSettings filters_;
    PhraseOrder sortRows_;
    Phase3Boxes boxes_;
    KeywordForms forms_;
    KeywordNotation notation_ = KeywordNotation::Symbols;
    bool updateFlashing_ = false;
    bool sortFlashing_ = false;

    Desktop& desktop_;
    MainDialogs& dialogs_;
    GroupDialogs& groupDialogs_;
    AdWindows& adWindows_;
    JobRunner& jobs_;
    Dispatcher& dispatcher_;
    ProgramFolder folder_;
    SettingsStore& settings_;
    CommandGate& gate_;
    MenuActions& actions_;
    std::function<std::optional<Message>()> closeRefusal_;
    std::function<std::optional<std::string>()> backgroundStatus_;
    ProjectSession session_{desktop_, dialogs_, folder_};
    Project& project_ = session_.project();

    Phase phase_ = Phase::Filter;
    int tab_ = 0;
    std::vector<uint32_t> rows_;        // list positions shown by the list view
    std::vector<uint32_t> deleteRows_;  // list positions shown by the 'Delete' box
    Phase3Pages pages_;
    size_t pagePosition_ = 0;
    std::vector<std::string> keywordRows_;
    Status status_;
    bool headerReverse_ = false;
    int skinIndex_ = 0;
    std::optional<int> rowToSelect_;
    Focus focus_ = Focus::None;
    bool exportGuard_ = false;
    bool savedNoticeShown_ = false;
    mutable long long shownMainListCount_ = 0;
    // The lists as the feature controllers of the window reach them.
    class Workspace : public ListWorkspace {
    public:
        explicit Workspace(MainWindowController& window) : window_(window) {}
        Project& project() override { return window_.project_; }
        Desktop& desktop() override { return window_.desktop_; }
        int currentTab() const override { return window_.tab_; }
        void showTab(int tab) override { window_.showTab(tab); }
        void renumberTab(int tab) override { window_.tab_ = tab; }
        void leavePhase3() override { window_.leavePhase3(); }
        void refill() override { window_.refill(); }
        void notify(unsigned changes) override { window_.notify(changes); }
        void markModified() override { window_.markModified(); }
        bool command(Needs needs, const std::function<void()>& body) override {
            window_.clearSavedNotice();
            return window_.gate_.run(needs, body);
        }

    private:
        MainWindowController& window_;
    };
    Workspace workspace_{*this};
    GroupCommands groups_{workspace_, groupDialogs_};
    AdsAreaController ads_{desktop_, gate_, adWindows_, [this] { return tab_ > 0 ? groupAt(project_, tab_ - 1) : nullptr; },
                           [this] { project_.modified = true; }};
};

}  // namespace pw::ui
