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

#include "core/keywordforms.h"
#include "core/project.h"
#include "io/appsettings.h"
#include "io/programfolder.h"
#include "ui/ads/adsareacontroller.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"
#include "ui/common/exportfile.h"
#include "ui/common/jobrunner.h"
#include "ui/common/listworkspace.h"
#include "ui/common/menuactions.h"
#include "ui/common/menus.h"
#include "ui/groups/groupcommands.h"
#include "ui/groups/groupdialogs.h"
#include "ui/groups/sidelists.h"
#include "ui/lists/deletebox.h"
#include "ui/lists/listfilters.h"
#include "ui/main/maindialogs.h"
#include "ui/main/projectsession.h"

namespace pw::ui {

// "Phrasewright - v" and the program version.
std::string mainWindowTitle();

constexpr int kPhaseCount = 4;
constexpr std::array<const char*, kPhaseCount> kPhaseTitles = {
    "Phase 1: Deleting phrases from full list", "Phase 2: Deleting individual keywords", "Phase 3: Filter into groups",
    "Phase 4: Write ads & prepare keywords"};

// The windows the main window opens, each family behind its own interface.
struct MainWindowServices {
    Desktop& desktop;
    MainDialogs& dialogs;
    GroupDialogs& groups;
    AdWindows& ads;
};

struct TabInfo {
    std::string name;
    Rgb color;
};

struct Labels {
    std::string original, edited, current, groups, created, modified;
    std::string listCount;    // "Current count: %d"
    std::string deleteCount;  // "Current count: %s"
    std::string list1Count, list2Count, phase4Count;
    // Phase 4: the ticked match types make more keywords than one ad group takes.
    bool phase4OverGroupLimit = false;
};

struct Status {
    std::string text;
    bool visible = false;
    int progress = 0;
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
    const std::vector<std::string>& keywordRows() const { return keywordRows_; }
    Labels labels() const;
    const Status& status() const { return status_; }
    int skinIndex() const { return skinIndex_; }
    uint32_t backgroundColor() const { return settings_.values().backgroundColor; }
    bool confirmDeleteSetting() const { return settings_.values().confirmDelete; }
    // One-shot requests for the window: a row to select and scroll to, a box to focus.
    std::optional<int> takeRowToSelect();
    Focus takeFocus();

    // Phase 4's keyword forms as the window shows them.
    const KeywordForms& forms() const { return forms_; }
    KeywordNotation notation() const { return notation_; }
    void setForms(KeywordForms shown, KeywordNotation shownNotation);
    void formsChanged();

    // --- commands ---
    void selectTab(int tab);
    void goToPhase(int phase);

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

    // The features of the phases, each a controller on the window's lists.
    ListFilters& filtering() { return filters_; }
    const ListFilters& filtering() const { return filters_; }
    DeleteBox& deleteBox() { return deleteBox_; }
    const DeleteBox& deleteBox() const { return deleteBox_; }
    SideLists& sideLists() { return sideLists_; }
    const SideLists& sideLists() const { return sideLists_; }
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
    bool command(Needs needs, Body&& body) {
        clearSavedNotice();
        return gate_.run(needs, std::forward<Body>(body));
    }
    void notify(unsigned changes);
    void runJob(const std::string& statusText, std::function<void(const ProgressFn&)> work,
                std::function<void(bool ok)> done);
    void showStatus(const std::string& text);
    void hideStatus();
    void refill();
    void refreshKeywordRows();
    bool saveAndShow(bool saveAs);
    // "Project saved!" stays only until the next thing the user does.
    void clearSavedNotice();
    bool refusedToClose();
    void prepareWindow();
    void openPath(const std::string& path);
    void loadProject(const std::string& path);
    void resetToEmpty();
    std::string tabCaption(int tab) const;
    void showTab(int tab);
    void startPhase4OnList();
    void importSpreadsheet(const std::string& path);
    void importNextFile(std::vector<std::string> files, size_t index);
    void readImportFile(std::vector<std::string> files, size_t index, ImportColumns columns);

    std::function<void(unsigned changes)> onChange_;
    std::function<void()> onQuit_;
    std::function<void()> projectLeaving_;
    KeywordForms forms_;
    KeywordNotation notation_ = KeywordNotation::Symbols;

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
    ExportFile exports_{desktop_};

    Phase phase_ = Phase::Filter;
    int tab_ = 0;
    std::vector<uint32_t> rows_;  // list positions shown by the list view
    std::vector<std::string> keywordRows_;
    Status status_;
    int skinIndex_ = 0;
    std::optional<int> rowToSelect_;
    Focus focus_ = Focus::None;
    bool savedNoticeShown_ = false;
    mutable long long shownMainListCount_ = 0;
    // The lists as the feature controllers of the window reach them.
    class Workspace : public ListWorkspace {
    public:
        explicit Workspace(MainWindowController& window) : window_(window) {}
        Project& project() override { return window_.project_; }
        Desktop& desktop() override { return window_.desktop_; }
        int currentTab() const override { return window_.tab_; }
        Group& currentList() override { return window_.currentList(); }
        const Group& currentList() const override { return window_.currentList(); }
        const std::vector<uint32_t>& rows() const override { return window_.rows_; }
        Phase phase() const override { return window_.phase_; }
        bool busy() const override { return window_.busy(); }
        void showTab(int tab) override { window_.showTab(tab); }
        void renumberTab(int tab) override { window_.tab_ = tab; }
        void leavePhase3() override { window_.sideLists_.putBack(); }
        void refill() override { window_.refill(); }
        void notify(unsigned changes) override { window_.notify(changes); }
        void markModified() override { window_.markModified(); }
        bool command(Needs needs, const std::function<void()>& body) override { return window_.command(needs, body); }
        void runJob(const std::string& statusText, std::function<void(const ProgressFn&)> work,
                    std::function<void(bool ok)> done) override {
            window_.runJob(statusText, std::move(work), std::move(done));
        }
        void requestFocus(Focus focus) override {
            window_.focus_ = focus;
            window_.notify(kSelection);
        }
        void selectRow(std::optional<int> row) override {
            window_.rowToSelect_ = row;
            window_.notify(kSelection);
        }

    private:
        MainWindowController& window_;
    };
    Workspace workspace_{*this};
    ListFilters filters_{workspace_, dialogs_};
    DeleteBox deleteBox_{workspace_, dialogs_, settings_};
    SideLists sideLists_{workspace_, groupDialogs_};
    GroupCommands groups_{workspace_, groupDialogs_};
    AdsAreaController ads_{desktop_, gate_, adWindows_, actions_, [this] { return tab_ > 0 ? groupAt(project_, tab_ - 1) : nullptr; },
                           [this] { project_.modified = true; }};
};

}  // namespace pw::ui
