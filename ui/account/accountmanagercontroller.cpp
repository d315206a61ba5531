#include "ui/account/accountmanagercontroller.h"

#include <algorithm>

#include "account/accountcaches.h"
#include "account/moneytext.h"
#include "account/profilerules.h"
#include "account/toolcommands.h"
#include "core/text.h"

namespace pw::ui {

namespace {

const Message kActionQueued{"Action queued and ready to commit!", "Success", Icon::Information, Buttons::Ok};
const Message kActionNotQueued{"The action could not be queued!", "Queue error!", Icon::Error, Buttons::Ok};

Message profileMessageBox(ProfileMessage which, Icon icon) {
    const MessageText text = profileMessage(which);
    return {text.text, text.caption, icon, Buttons::Ok};
}

}  // namespace

void manageGoogleAccount(Desktop& desktop, AccountWindows& windows, const ProgramFolder& folder,
                         const SettingsStore& settings) {
    if (!loadDefaultProfile(folder, settings.values().defaultProfile)) {
        desktop.message(profileMessageBox(ProfileMessage::NoDefaultProfile, Icon::Information));
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
                                                   const SettingsStore& settings,
                                                   std::shared_ptr<Dispatcher> dispatcher, QueueChange queue)
    : desktop_(desktop),
      windows_(windows),
      folder_(std::move(folder)),
      settings_(settings),
      dispatcher_(std::move(dispatcher)),
      queue_(std::move(queue)) {}

AccountManagerController::~AccountManagerController() { close(); }

bool AccountManagerController::open() {
    const std::optional<AccountProfile> profile = loadDefaultProfile(folder_, settings_.values().defaultProfile);
    if (!profile) {
        desktop_.message(profileMessageBox(ProfileMessage::DefaultNotLoaded, Icon::Error));
        return false;
    }
    profile_ = *profile;
    std::vector<AccountCampaign> cached = campaignCache().copy();
    if (cached.empty()) {
        refresh();
        return true;
    }
    campaigns_ = std::move(cached);
    cacheNote_ = true;
    rebuildRows();
    return true;
}

void AccountManagerController::refresh() {
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
        desktop_.message({std::string(kToolStartFailedText), std::string(kToolStartFailedCaption), Icon::Error,
                          Buttons::Ok});
    }
}

void AccountManagerController::finishRead(const ReadResult& result) {
    reading_ = false;
    readProcess_ = 0;
    // Whatever ended the read, the controls come back: a missing or short
    // output file must not leave the window stuck with only its stop button.
    if (result.status == ReadResult::Status::ToolError && !result.errorMessage.empty())
        desktop_.message({result.errorMessage, std::string(kToolErrorCaption), Icon::Warning, Buttons::Ok});
    if (result.status == ReadResult::Status::Read) {
        campaigns_ = result.campaigns;
        sortCampaigns(campaigns_, sortColumn_);
        rebuildRows();
    }
    if (onChanged) onChanged();
}

void AccountManagerController::stop() {
    if (reading_ && readProcess_ > 0) cancelAccountRead(readProcess_, false);
}

void AccountManagerController::close() {
    if (!*alive_) return;
    *alive_ = false;
    if (reading_ && readProcess_ > 0) cancelAccountRead(readProcess_, true);
}

void AccountManagerController::sortBy(int column) {
    if (column < 0 || column >= kCampaignColumnCount) return;
    sortColumn_ = column;
    sortCampaigns(campaigns_, column);
    rebuildRows();
}

void AccountManagerController::setActiveOnly(bool on) {
    activeOnly_ = on;
    rebuildRows();
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
}

void AccountManagerController::createCampaign() {
    AccountCampaign campaign;
    if (windows_.editCampaign(campaign, true)) queueChange(createCampaignCommand(profile_, campaign));
}

void AccountManagerController::editCampaign() {
    const AccountCampaign* selected = selectedCampaign();
    if (!selected) return;
    AccountCampaign copy = *selected;
    if (windows_.editCampaign(copy, false)) queueChange(modifyCampaignCommand(profile_, copy));
}

void AccountManagerController::deleteCampaign() {
    const AccountCampaign* selected = selectedCampaign();
    if (!selected) return;
    const Message question{"Are you sure you want to delete campaign '" + selected->name + "'?", "Confirm delete",
                           Icon::Question, Buttons::YesNo};
    if (desktop_.message(question) == Answer::Yes)
        queueChange(deleteCampaignCommand(profile_, selected->id, selected->name));
}

}  // namespace pw::ui
