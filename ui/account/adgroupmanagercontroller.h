#pragma once
// The ad group manager (CDialogManageAdGroups, "Manage Ad Groups"): the ad
// groups of one campaign, read through the account tool and kept in the ad
// group cache between openings; one group's fields, keywords and ads; every
// edit handed to the change queue, and imports from the open project.

#include <array>
#include <functional>
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
#include "ui/account/keywordbox.h"
#include "ui/ads/adsareacontroller.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"
#include "ui/common/jobrunner.h"
#include "ui/common/menus.h"
#include "ui/groups/groupdialogs.h"

namespace pw::ui {

constexpr int kAdGroupPreviews = 3;
constexpr std::array<const char*, 2> kAdGroupColumns = {"Name", "Status"};
constexpr std::array<int, 2> kAdGroupColumnWidths = {150, 100};
constexpr const char* kAdGroupCacheNote = "Groups loaded from cache. Click 'Refresh' to reload";
constexpr const char* kFetchingAdGroupsText = "Fetching Google Ad Groups...";
constexpr const char* kFetchingKeywordsText = "Fetching Ad Group Keywords...";
constexpr const char* kFetchingAdsText = "Fetching Ads...";
constexpr const char* kNewGroupTooltip = "Click here to create a new ad group";
constexpr const char* kCancelNewGroupTooltip = "Click here to cancel creating a new ad";
// The first entry of the keyword import's group chooser.
constexpr const char* kMainListChoice = "Main list";

// The group fields as the window holds them; `status` is the position in
// the status list ("Enabled", "Paused", "Deleted").
struct AdGroupForm {
    std::string name;
    std::string maxCpc = "0.00";
    std::string maxCpm = "0.00";
    std::string maxContentCpc = "0.00";
    int status = 0;
};
// Where "Save" puts the focus after a refusal (the text selected).
enum class AdGroupField { Name, MaxCpc, MaxCpm, MaxContentCpc };

// The windows the manager opens.
struct AdGroupManagerWindows {
    Desktop& desktop;
    AccountWindows& account;
    AdWindows& ads;
    GroupDialogs& groups;
};

class AdGroupManagerController {
public:
    // Tasks posted from the tool's watcher thread run through `dispatcher`;
    // `project` is the open project the imports read (may be none).
    AdGroupManagerController(AdGroupManagerWindows windows, ProgramFolder folder, const SettingsStore& settings,
                             std::shared_ptr<Dispatcher> dispatcher, QueueChange queue, const Project* project,
                             int32_t campaignId, std::string campaignName);
    ~AdGroupManagerController();

    // Loads the default profile and the ad groups (from the cache when it
    // holds this campaign's, else read afresh); false when the window is to close.
    bool open();

    // --- what the window shows ---
    std::string campaignLabel() const;  // empty: hidden
    size_t rowCount() const { return groups_.size(); }
    std::array<std::string, 2> rowCells(size_t row) const;
    int selectedRow() const { return selected_; }
    bool cacheNoteShown() const { return cacheNote_; }
    bool reading() const { return reading_; }
    const std::string& statusText() const { return status_; }
    bool controlsEnabled() const { return !reading_; }
    bool newGroupMode() const { return newGroup_; }
    std::string newButtonText() const { return newGroup_ ? "Cancel New" : "New..."; }
    std::string newButtonTooltip() const { return newGroup_ ? kCancelNewGroupTooltip : kNewGroupTooltip; }
    bool groupFieldsEnabled() const { return newGroup_ || selected_ >= 0; }
    bool groupSaveEnabled() const { return groupFieldsEnabled(); }
    bool groupDeleteEnabled() const { return !newGroup_ && selected_ >= 0; }
    bool groupSelected() const { return !newGroup_ && selected_ >= 0; }
    bool keywordLoadEnabled() const { return groupSelected(); }
    bool adButtonsEnabled() const { return groupSelected(); }
    // Box, "Save" and "Import..." of the keywords: once they were loaded.
    bool keywordBoxEnabled() const { return groupSelected() && keywordsLoaded_; }
    const AdGroupForm& form() const { return form_; }
    AdGroupForm& form() { return form_; }
    // After a refused "Save" or "Delete": the field to focus, its text selected.
    bool saveRefused() const { return refused_; }
    AdGroupField focusField() const { return focus_; }
    // The box's text as the controller last set it; the revision changes
    // whenever the window is to replace what the box shows.
    const std::string& keywordText() const { return keywordText_; }
    int keywordTextRevision() const { return keywordRevision_; }
    const KeywordBids::BidField& bidField() const { return bidField_; }
    const std::vector<AccountKeyword>& windowKeywords() const { return bids_.keywords(); }

    // The ads: previews from the scroll position, deleted ones only when shown.
    const AccountAd* previewAd(int preview) const;
    PreviewScroll adScroll() const;
    int adScrollPosition() const { return scroll_; }
    bool showDeletedAds() const { return showDeleted_; }
    int selectedPreview() const { return preview_; }
    bool adEditEnabled() const { return groupSelected() && selectedAd() != nullptr; }
    // The right-click menu of a preview that shows an ad (empty otherwise).
    std::vector<MenuItem> adMenu(int preview);

    // Called after a read ends, for the window to show the new state.
    std::function<void()> onChanged;

    // --- what the user does ---
    void refresh();
    void stop();
    // The window closes: its read is stopped and the read's end ignored.
    void close();
    void selectRow(int row);
    void toggleNewGroup();
    void saveGroup();
    void deleteGroup();

    void loadKeywords();
    // A key press or click in the box, with its text and the caret's line.
    void keywordCaretEvent(const std::string& boxText, const std::string& caretLine);
    void editKeywordBid(const std::string& caretLine, const std::string& bidText);
    // "Import..." and "Save" of the keywords, on the box's current text.
    void importKeywords(const std::string& boxText);
    void saveKeywords(const std::string& boxText);

    void loadAds();
    void setAdScrollPosition(int position);
    void setShowDeletedAds(bool on);
    void selectPreview(int preview);
    void newAd();
    void editAd();
    void copyAd();
    void deleteAd();
    void importAd();
    void importAdGroup();

private:
    template <typename Body>
    void command(Needs needs, Body&& body) {
        gate_.run(needs, std::forward<Body>(body));
    }
    void startRead(const ReadRequest& request, const char* status);
    void finishRead(AccountRead kind, const ReadResult& result);
    void showSelection();
    void clearGroupContents();
    void setKeywordText(std::string text);
    const AccountAdGroup* selectedGroup() const;
    const AccountAd* selectedAd() const;
    std::vector<const AccountAd*> shownAds() const;
    bool refuse(std::string_view text, AdGroupField field);
    void saveGroupRecord(bool asDelete);
    void report(bool queued);
    void queueLine(const CommandLine& line);
    // Refuses an ad whose texts hold a double quote, naming the field; else queues its line.
    void queueAdLine(const AccountAd& ad, CommandLine (*command)(const AccountProfile&, const AccountAd&));
    void editAdAs(bool copy);

    AdGroupManagerWindows windows_;
    Desktop& desktop_;
    ProgramFolder folder_;
    const SettingsStore& settings_;
    std::shared_ptr<Dispatcher> dispatcher_;
    QueueChange queue_;
    const Project* project_;
    int32_t campaignId_;
    std::string campaignName_;
    AccountProfile profile_;

    std::vector<AccountAdGroup> groups_;
    int selected_ = -1;
    bool newGroup_ = false;
    bool cacheNote_ = false;
    AdGroupForm form_;
    AdGroupField focus_ = AdGroupField::Name;
    bool refused_ = false;

    KeywordBids bids_;
    KeywordBids::BidField bidField_;
    std::string keywordText_;
    int keywordRevision_ = 0;
    bool keywordsLoaded_ = false;

    std::vector<AccountAd> ads_;
    int scroll_ = 0;
    int preview_ = -1;
    bool showDeleted_ = false;

    bool reading_ = false;
    AccountRead readKind_ = AccountRead::AdGroups;
    int32_t readGroupId_ = 0;  // the group a keyword or ad read is for
    std::string status_;
    int32_t readProcess_ = 0;
    CommandGate gate_{desktop_, [this] { return reading_; }};
    // Shared with the posted end of a read: false once the window has closed.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace pw::ui
