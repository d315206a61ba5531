#pragma once
// The account manager (CDialogGoogleManager): the default profile's campaigns
// read through the account tool, kept in the campaign cache between openings,
// shown sorted and filtered, and the campaign changes handed to the queue.
// Also the main window's "Manage your Google account" check.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "account/accountentities.h"
#include "account/accountprofile.h"
#include "account/accounttool.h"
#include "io/appsettings.h"
#include "ui/account/accountwindows.h"
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

// One row of the campaign list.
std::array<std::string, kCampaignColumnCount> campaignRowCells(const AccountCampaign& campaign);
// Ascending by the column: ID and budget by number, the others by their
// text without regard to case. Equal rows keep their order.
void sortCampaigns(std::vector<AccountCampaign>& campaigns, int column);

class AccountManagerController {
public:
    // Tasks posted from the tool's watcher thread run through `dispatcher`,
    // which the controller shares so that a late run finds it alive.
    AccountManagerController(Desktop& desktop, AccountWindows& windows, ProgramFolder folder,
                             const SettingsStore& settings, std::shared_ptr<Dispatcher> dispatcher, QueueChange queue);
    ~AccountManagerController();

    // Loads the default profile and the campaigns (from the cache, or read
    // afresh); false when the window is to close.
    bool open();
    const std::string& managingAccount() const { return profile_.clientEmail; }

    // --- what the window shows ---
    size_t rowCount() const { return rows_.size(); }
    const std::array<std::string, kCampaignColumnCount>& rowCells(size_t row) const { return rows_[row].cells; }
    bool cacheNoteShown() const { return cacheNote_; }
    bool reading() const { return reading_; }
    // The status line while a read runs.
    std::string statusText() const { return reading_ ? kFetchingCampaignsText : ""; }
    bool activeOnly() const { return activeOnly_; }
    int sortColumn() const { return sortColumn_; }
    int selectedRow() const { return selected_; }
    bool editEnabled() const { return !reading_ && selected_ >= 0; }
    bool refreshEnabled() const { return !reading_; }
    bool createEnabled() const { return !reading_; }
    // Called after a read ends, for the window to show the new state.
    std::function<void()> onChanged;

    // --- what the user does ---
    void refresh();
    // The stop button: ends the read; the window stays open.
    void stop();
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
    const AccountCampaign* selectedCampaign() const;
    void finishRead(const ReadResult& result);
    void queueChange(const std::optional<std::string>& line);

    Desktop& desktop_;
    AccountWindows& windows_;
    ProgramFolder folder_;
    const SettingsStore& settings_;
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
    // Shared with the posted end of a read: false once the window has closed.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace pw::ui
