#include "ui/account/accountmanagercontroller.h"
#include "ui/account/messages.h"

#include <algorithm>

#include "account/accountcaches.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "account/moneytext.h"
#include "account/profilerules.h"
#include "account/toolcommands.h"
#include "core/text.h"
#include "ui/account/commitprogress.h"

namespace pw::ui {

void manageGoogleAccount(Desktop& desktop, AccountWindows& windows, const ProgramFolder& folder,
                         const SettingsStore& settings) {
    if (!loadDefaultProfile(folder, settings.values().defaultProfile)) {
        desktop.message(boxOf(profileMessage(ProfileMessage::NoDefaultProfile), Icon::Information));
        windows.chooseProfile();
        return;
    }
    windows.manageAccount();
}

std::array<std::string, kCampaignColumnCount> campaignRowCells(const AccountCampaign& c) {
    return {std::to_string(c.id),
            c.name,
            std::string(campaignStatusName(c.status)),
            formatDate(c.startDate, '.'),
            formatDate(c.endDate, '.'),
            "$" + formatMoney(c.dailyBudget)};
}

void sortCampaigns(std::vector<AccountCampaign>& campaigns, int column) {
    auto textOf = [column](const AccountCampaign& c) { return campaignRowCells(c)[column]; };
    std::stable_sort(campaigns.begin(), campaigns.end(), [&](const AccountCampaign& a, const AccountCampaign& b) {
        if (column == 0) return a.id < b.id;
        if (column == 5) return a.dailyBudget < b.dailyBudget;
        return compareIgnoreCase(textOf(a), textOf(b)) < 0;
    });
}

AccountManagerController::AccountManagerController(Desktop& desktop, AccountWindows& windows, ProgramFolder folder,
                                                   SettingsStore& settings,
                                                   std::shared_ptr<Dispatcher> dispatcher, QueueChange queue,
                                                   const Project* project)
    : desktop_(desktop),
      windows_(windows),
      folder_(std::move(folder)),
      settings_(settings),
      dispatcher_(std::move(dispatcher)),
      queue_(std::move(queue)),
      project_(project) {}

AccountManagerController::~AccountManagerController() { close(); }

bool AccountManagerController::open() {
    const std::optional<AccountProfile> profile = loadDefaultProfile(folder_, settings_.values().defaultProfile);
    if (!profile) {
        desktop_.message(boxOf(profileMessage(ProfileMessage::DefaultNotLoaded), Icon::Error));
        return false;
    }
    profile_ = *profile;
    refreshButtons();
    // A commit left running by an earlier opening: show it going on.
    const CommitProgress progress = commitProgressNow();
    if (progress.running) {
        committing_ = true;
        stopRequested_ = progress.stopRequested;
        commitText_ = progress.statusText;
    }
    std::vector<AccountCampaign> cached = campaignCache().copy();
    if (cached.empty()) {
        if (refreshEnabled()) readCampaigns();
        return true;
    }
    campaigns_ = std::move(cached);
    cacheNote_ = true;
    rebuildRows();
    return true;
}

std::string AccountManagerController::statusText() const {
    if (reading_) return kFetchingCampaignsText;
    if (committing_) return commitText_;
    return queueText_;
}

void AccountManagerController::refresh() {
    command(Needs::Lists, [this] { readCampaigns(); });
}

void AccountManagerController::readCampaigns() {
    if (reading_) return;
    cacheNote_ = false;
    campaigns_.clear();
    rows_.clear();
    selected_ = -1;
    reading_ = true;
    auto dispatcher = dispatcher_;
    auto alive = alive_;
    // The end runs on the tool's watcher thread: the output file is read
    // there, the cache filled under its lock, and the rows built on the
    // window's thread while the window exists.
    auto onEnd = [this, dispatcher, alive](const std::optional<std::string>& path) {
        std::optional<ReadResult> result;
        try {
            result = finishAccountRead(AccountRead::Campaigns, path);
            if (result->status == ReadResult::Status::Read) campaignCache().replace(result->campaigns);
        } catch (...) {
            result.reset();  // reported on the window's thread
        }
        dispatcher->post([this, alive, result = std::move(result)] {
            if (!*alive) return;
            if (!result) desktop_.message(kUnknownError);
            finishRead(result.value_or(ReadResult{}));
        });
    };
    if (!startAccountRead(folder_, profile_, {AccountRead::Campaigns}, onEnd, readProcess_)) {
        reading_ = false;
        readProcess_ = 0;
        desktop_.message(boxOf(readStartFailedMessage(profile_), Icon::Error));
    }
}

void AccountManagerController::finishRead(const ReadResult& result) {
    reading_ = false;
    readProcess_ = 0;
    // Whatever ended the read, the controls come back: a missing or short
    // output file must not leave the window stuck with only its stop button.
    if (const auto problem = readProblemText(result))
        desktop_.message(toolProblem(*problem));
    if (result.status == ReadResult::Status::Read) {
        campaigns_ = result.campaigns;
        sortCampaigns(campaigns_, sortColumn_);
        rebuildRows();
    }
    if (onChanged) onChanged();
}

void AccountManagerController::stop() {
    command(Needs::Nothing, [this] {
        if (reading_) {
            if (readProcess_ > 0) cancelAccountRead(readProcess_, false);
            return;
        }
        if (!committing_ || stopRequested_) return;
        requestCommitStop();
        stopRequested_ = true;
        commitText_ = kStoppingText;
    });
}

void AccountManagerController::refreshButtons() {
    hasChanges_ = hasUncommittedChanges(folder_);
    queueText_ = hasChanges_ ? kPushCommitText : kNoChangesText;
}

void AccountManagerController::commitChanges() {
    command(Needs::Lists, [this] {
        if (commitInProgress()) return;
        const std::optional<std::vector<std::string>> chosen =
            windows_.listChanges(kCommitChangesCaption, kCommitOkText, readQueuedChanges(folder_));
        if (!chosen || chosen->empty()) return;
        showCommitHintOnce();
        CommitRequest request{folder_, *chosen, profile_, project_ ? currentAdsOf(*project_) : CurrentAds{}};
        switch (pw::startCommit(std::move(request))) {
        case CommitStart::Started:
            commitStartedUnreported();
            committing_ = true;
            stopRequested_ = false;
            commitText_ = kCommittingText;
            poll();  // the running change's name, or the end of a commit that was over at once
            return;
        case CommitStart::QueueNotWritten: desktop_.message(kChangesNotCleared); break;
        case CommitStart::ToolNotStarted: desktop_.message(kToolNotStarted); break;
        case CommitStart::AlreadyRunning:  // a commit of the command line on the same folder
            desktop_.message(kCommitAlreadyRunning);
            break;
        case CommitStart::NothingChosen: break;
        }
        refreshButtons();
    });
}

void AccountManagerController::showCommitHintOnce() {
    if (!settings_.values().commitHintPending) return;
    desktop_.message(kCommitHint);
    settings_.setCommitHintPending(false);
}

void AccountManagerController::clearChanges() {
    command(Needs::Lists, [this] {
        const std::optional<std::vector<std::string>> chosen =
            windows_.listChanges(kClearChangesCaption, kClearOkText, readQueuedChanges(folder_));
        if (!chosen) return;
        const bool cleared = pw::clearChanges(folder_, *chosen) == ClearResult::Cleared;
        desktop_.message(cleared ? kChangesCleared : kChangesNotCleared);
        refreshButtons();
    });
}

void AccountManagerController::poll() {
    command(Needs::Nothing, [this] {
        if (!committing_) return;
        const CommitProgress progress = commitProgressNow();
        if (progress.running) {
            stopRequested_ = progress.stopRequested;
            commitText_ = progress.statusText;
            return;
        }
        committing_ = false;
        stopRequested_ = false;
        commitText_.clear();
        refreshButtons();
        commitEndReported();
        forgetCachesAfterCommit(progress);
        if (progress.endMessage) desktop_.message(*progress.endMessage);
        if (progress.campaignsTouched) readCampaigns();
    });
}

void AccountManagerController::close() {
    if (!*alive_) return;
    *alive_ = false;
    if (reading_ && readProcess_ > 0) cancelAccountRead(readProcess_, true);
}

void AccountManagerController::sortBy(int column) {
    if (column < 0 || column >= kCampaignColumnCount) return;
    command(Needs::Nothing, [&] {
        sortColumn_ = column;
        sortCampaigns(campaigns_, column);
        rebuildRows();
    });
}

void AccountManagerController::setActiveOnly(bool on) {
    command(Needs::Nothing, [&] {
        activeOnly_ = on;
        rebuildRows();
    });
}

void AccountManagerController::rebuildRows() {
    rows_.clear();
    selected_ = -1;
    for (const AccountCampaign& c : campaigns_)
        if (!activeOnly_ || c.status == CampaignStatus::Active) rows_.push_back({campaignRowCells(c), c.id});
}

void AccountManagerController::selectRow(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

const AccountCampaign* AccountManagerController::selectedCampaign() const {
    if (selected_ < 0) return nullptr;
    const int32_t id = rows_[selected_].id;
    auto found = std::find_if(campaigns_.begin(), campaigns_.end(), [id](const AccountCampaign& c) { return c.id == id; });
    return found == campaigns_.end() ? nullptr : &*found;
}

void AccountManagerController::queueChange(const std::optional<std::string>& line) {
    const bool queued = line && queue_ && queue_(*line);
    desktop_.message(queued ? kActionQueued : kActionNotQueued);
    refreshButtons();
}

void AccountManagerController::createCampaign() {
    command(Needs::Lists, [this] {
        if (const std::optional<AccountCampaign> created = windows_.editCampaign(AccountCampaign{}, true))
            queueChange(createCampaignCommand(profile_, *created));
    });
}

void AccountManagerController::editCampaign() {
    command(Needs::Lists, [this] {
        const AccountCampaign* selected = selectedCampaign();
        if (!selected) return;
        if (const std::optional<AccountCampaign> edited = windows_.editCampaign(*selected, false))
            queueChange(modifyCampaignCommand(profile_, *edited));
        // The editor may have queued an upload into the campaign.
        refreshButtons();
    });
}

void AccountManagerController::deleteCampaign() {
    command(Needs::Lists, [this] {
        const AccountCampaign* selected = selectedCampaign();
        if (!selected) return;
        if (desktop_.message(confirmDeleteCampaign(selected->name)) == Answer::Yes)
            queueChange(deleteCampaignCommand(profile_, selected->id, selected->name));
    });
}

}  // namespace pw::ui
