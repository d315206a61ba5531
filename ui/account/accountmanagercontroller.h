#pragma once
// The account manager (CDialogGoogleManager): the default profile's campaigns
// read through the account tool, kept in the campaign cache between openings,
// shown sorted and filtered, the campaign changes handed to the queue, and
// the queue committed in the background, cleared or stopped.
// Also the main window's "Manage your Google account" check.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "account/accountentities.h"
#include "account/accountprofile.h"
#include "account/accounttool.h"
#include "core/project.h"
#include "io/appsettings.h"
#include "ui/account/accountwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"
#include "ui/common/jobrunner.h"

namespace pw::ui {

// Opens the account manager when the default profile loads; otherwise says
// that one must be set up and opens the profile chooser.
void manageGoogleAccount(Desktop& desktop, AccountWindows& windows, const ProgramFolder& folder,
                         const SettingsStore& settings);

constexpr int kCampaignColumnCount = 6;
constexpr std::array<const char*, kCampaignColumnCount> kCampaignColumns = {
    "ID", "Name", "Status", "Start Date", "End Date", "Daily Budget"};
constexpr std::array<int, kCampaignColumnCount> kCampaignColumnWidths = {65, 200, 85, 70, 70, 75};
constexpr const char* kCampaignCacheNote =
    "Campaigns loaded from cache. Click 'Refresh' to reload campaigns from Google";
constexpr const char* kFetchingCampaignsText = "Fetching Google campaigns...";
// The status line before the queue was first looked at.
constexpr const char* kInitialQueueText = "No uncommitted changes available";
constexpr const char* kCommitChangesCaption = "Commit changes";
constexpr const char* kCommitOkText = "Commit";
constexpr const char* kClearChangesCaption = "Delete uncommited changes";
constexpr const char* kClearOkText = "Delete";

// One row of the campaign list.
std::array<std::string, kCampaignColumnCount> campaignRowCells(const AccountCampaign& campaign);
// Ascending by the column: ID and budget by number, the others by their
// text without regard to case. Equal rows keep their order.
void sortCampaigns(std::vector<AccountCampaign>& campaigns, int column);

class AccountManagerController {
public:
    // Tasks posted from the tool's watcher thread run through `dispatcher`,
    // which the controller shares so that a late run finds it alive.
    // `project` is the open project, whose groups' current ads a commit
    // uploads after it created their ad groups (read on the window's thread
    // when the commit starts); without one, created ad groups get no ads.
    AccountManagerController(Desktop& desktop, AccountWindows& windows, ProgramFolder folder,
                             SettingsStore& settings, std::shared_ptr<Dispatcher> dispatcher, QueueChange queue,
                             const Project* project = nullptr);
    ~AccountManagerController();

    // Loads the default profile and the campaigns (from the cache, or read
    // afresh, unless a commit runs); false when the window is to close.
    bool open();
    const std::string& managingAccount() const { return profile_.clientEmail; }

    // --- what the window shows ---
    size_t rowCount() const { return rows_.size(); }
    const std::array<std::string, kCampaignColumnCount>& rowCells(size_t row) const { return rows_[row].cells; }
    bool cacheNoteShown() const { return cacheNote_; }
    bool reading() const { return reading_; }
    // A commit runs: the controls but "STOP" and "Close" are disabled, the
    // progress bar moves and the window polls every 500 ms.
    bool committing() const { return committing_; }
    // The status line: the read, else the running commit, else whether the
    // queue holds changes.
    std::string statusText() const;
    bool activeOnly() const { return activeOnly_; }
    int sortColumn() const { return sortColumn_; }
    int selectedRow() const { return selected_; }
    bool listEnabled() const { return !reading_ && !committing_; }
    bool editEnabled() const { return listEnabled() && selected_ >= 0; }
    bool refreshEnabled() const { return listEnabled(); }
    bool createEnabled() const { return listEnabled(); }
    bool commitEnabled() const { return listEnabled() && hasChanges_; }
    bool clearEnabled() const { return commitEnabled(); }
    bool stopEnabled() const { return reading_ || (committing_ && !stopRequested_); }
    // Called after a read ends, for the window to show the new state.
    std::function<void()> onChanged;

    // --- what the user does ---
    void refresh();
    // "STOP": ends the read; else asks the running commit to stop after its
    // current change. The window stays open.
    void stop();
    // "Commit changes...": the chosen queued changes start in the background.
    void commitChanges();
    // "Clear Changes...": the chosen queued changes are deleted.
    void clearChanges();
    // The status timer (every 500 ms while committing): follows the commit
    // and, once it ended, shows the buttons again, says why it stopped early
    // and reads the campaigns again when the commit touched one.
    void poll();
    // The window closes: a running read is stopped and its end ignored.
    void close();
    void sortBy(int column);
    void setActiveOnly(bool on);
    void selectRow(int row);
    void createCampaign();
    void editCampaign();
    void deleteCampaign();

private:
    struct Row {
        std::array<std::string, kCampaignColumnCount> cells;
        int32_t id = 0;
    };
    void rebuildRows();
    void readCampaigns();
    const AccountCampaign* selectedCampaign() const;
    void finishRead(const ReadResult& result);
    void queueChange(const std::optional<std::string>& line);
    void refreshButtons();
    void showCommitHintOnce();
    // Every command passes here: refused with the double beep while a read or
    // a commit keeps the window busy, and guarded against the unforeseen.
    template <typename Body>
    void command(Needs needs, Body&& body) {
        gate_.run(needs, std::forward<Body>(body));
    }

    Desktop& desktop_;
    AccountWindows& windows_;
    ProgramFolder folder_;
    SettingsStore& settings_;
    std::shared_ptr<Dispatcher> dispatcher_;
    QueueChange queue_;
    AccountProfile profile_;
    std::vector<AccountCampaign> campaigns_;
    std::vector<Row> rows_;
    int sortColumn_ = 0;
    int selected_ = -1;
    bool activeOnly_ = false;
    bool cacheNote_ = false;
    bool reading_ = false;
    int32_t readProcess_ = 0;
    const Project* project_ = nullptr;
    bool hasChanges_ = false;
    std::string queueText_ = kInitialQueueText;
    bool committing_ = false;
    bool stopRequested_ = false;
    std::string commitText_;
    CommandGate gate_{desktop_, [this] { return reading_ || committing_; }};
    // Shared with the posted end of a read: false once the window has closed.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace pw::ui
