#include "ui/account/adgroupmanagercontroller.h"
#include "ui/account/messages.h"

#include <algorithm>

#include "account/accountcaches.h"
#include "account/changequeue.h"
#include "account/moneytext.h"
#include "account/profilerules.h"
#include "account/projectupload.h"
#include "account/toolcommands.h"
#include "core/textencoding.h"
#include "ui/account/projectimport.h"

namespace pw::ui {

namespace {

constexpr int kDeletedStatus = 2;  // "Deleted" in the status list
constexpr std::string_view kBadAmountTail =
    " correctly! Don't use more than 2 decimals, enter only digits and the decimal dot!";

// The fields with nothing selected.
AdGroupForm clearedForm() { return {"", "", "", "", 0}; }

AdGroupForm formOf(const AccountAdGroup& group) {
    const std::string_view status = adGroupStatusName(group.status);
    return {group.name, formatMoney(group.maxCpc), formatMoney(group.maxCpm), formatMoney(group.maxContentCpc),
            status.empty() ? -1 : static_cast<int>(group.status)};
}

// The first of the ad's texts that holds a double quote, which would end its
// quoted value on the tool's command line: the refusal naming it.
std::optional<std::string> quotedAdTextRefusal(const AccountAd& ad) {
    const struct {
        const std::string& text;
        const char* field;
    } texts[] = {{ad.headline, "headline"},
                 {ad.description1, "first description line"},
                 {ad.description2, "second description line"},
                 {ad.displayUrl, "display URL"},
                 {ad.destinationUrl, "destination URL"}};
    for (const auto& t : texts)
        if (t.text.find('"') != std::string::npos) return "Please don't use quotes in the ad's " + std::string(t.field) + "!";
    return std::nullopt;
}

// A menu entry shows "&" as a mnemonic unless doubled.
std::string menuText(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        if (c == '&') escaped += '&';
        escaped += c;
    }
    return escaped;
}

}  // namespace

AdGroupManagerController::AdGroupManagerController(AdGroupManagerWindows windows, ProgramFolder folder,
                                                   const SettingsStore& settings,
                                                   std::shared_ptr<Dispatcher> dispatcher, QueueChange queue,
                                                   const Project* project, int32_t campaignId,
                                                   std::string campaignName)
    : windows_(windows),
      desktop_(windows.desktop),
      folder_(std::move(folder)),
      settings_(settings),
      dispatcher_(std::move(dispatcher)),
      queue_(std::move(queue)),
      project_(project),
      campaignId_(campaignId),
      campaignName_(std::move(campaignName)),
      form_(clearedForm()) {}

AdGroupManagerController::~AdGroupManagerController() { close(); }

bool AdGroupManagerController::open() {
    const std::optional<AccountProfile> profile = loadDefaultProfile(folder_, settings_.values().defaultProfile);
    if (!profile) {
        desktop_.message(boxOf(profileMessage(ProfileMessage::DefaultNotLoaded), Icon::Error));
        return false;
    }
    profile_ = *profile;
    std::vector<AccountAdGroup> cached = adGroupCache().copy();
    const bool ours = !cached.empty() && std::all_of(cached.begin(), cached.end(), [this](const AccountAdGroup& g) {
        return g.campaignId == campaignId_;
    });
    if (!ours) {
        refresh();
        return true;
    }
    groups_ = std::move(cached);
    cacheNote_ = true;
    return true;
}

std::string AdGroupManagerController::campaignLabel() const {
    return campaignName_.empty() ? "" : "Campaign: " + campaignName_;
}

std::array<std::string, 2> AdGroupManagerController::rowCells(size_t row) const {
    return {groups_[row].name, std::string(adGroupStatusName(groups_[row].status))};
}

const AccountAdGroup* AdGroupManagerController::selectedGroup() const {
    return selected_ >= 0 && selected_ < static_cast<int>(groups_.size()) ? &groups_[selected_] : nullptr;
}

// --- reads ---

void AdGroupManagerController::startRead(const ReadRequest& request, const char* status) {
    reading_ = true;
    status_ = status;
    readKind_ = request.kind;
    readGroupId_ = request.adGroupId;
    auto dispatcher = dispatcher_;
    auto alive = alive_;
    const AccountRead kind = request.kind;
    const int32_t campaignId = campaignId_;
    // The end runs on the tool's watcher thread: the output file is read
    // there and the cache filled under its lock; the window's lists change
    // only on the window's thread, while the window exists.
    auto onEnd = [this, dispatcher, alive, kind, campaignId](const std::optional<std::string>& path) {
        std::optional<ReadResult> result;
        try {
            result = finishAccountRead(kind, path);
            if (kind == AccountRead::AdGroups && result->status == ReadResult::Status::Read) {
                for (AccountAdGroup& group : result->adGroups) group.campaignId = campaignId;
                adGroupCache().replace(result->adGroups);
            }
        } catch (...) {
            result.reset();  // reported on the window's thread
        }
        dispatcher->post([this, alive, kind, result = std::move(result)] {
            if (!*alive) return;
            if (!result) desktop_.message(kUnknownError);
            finishRead(kind, result.value_or(ReadResult{}));
        });
    };
    if (!startAccountRead(folder_, profile_, request, onEnd, readProcess_)) {
        reading_ = false;
        status_.clear();
        readProcess_ = 0;
        desktop_.message(boxOf(readStartFailedMessage(profile_), Icon::Error));
    }
}

void AdGroupManagerController::finishRead(AccountRead kind, const ReadResult& result) {
    reading_ = false;
    status_.clear();
    readProcess_ = 0;
    // Whatever ended the read, the controls come back.
    if (const auto problem = readProblemText(result))
        desktop_.message(toolProblem(*problem));
    const AccountAdGroup* group = selectedGroup();
    // Keywords and ads belong to the group they were read for; a read that
    // ends after the selection moved on is dropped.
    const bool forSelected = groupSelected() && group && group->id == readGroupId_;
    if (result.status == ReadResult::Status::Read) {
        switch (kind) {
        case AccountRead::AdGroups: groups_ = result.adGroups; break;
        case AccountRead::Keywords:
            if (!forSelected) break;
            bids_.take(result.keywords);
            setKeywordText(keywordBoxText(result.keywords));
            keywordsLoaded_ = true;
            break;
        case AccountRead::Ads:
            if (!forSelected) break;
            ads_ = result.ads;
            scroll_ = 0;
            preview_ = -1;
            break;
        case AccountRead::Campaigns: break;
        }
    }
    if (onChanged) onChanged();
}

void AdGroupManagerController::refresh() {
    command(Needs::Lists, [&] {
        cacheNote_ = false;
        newGroup_ = false;
        groups_.clear();
        selected_ = -1;
        form_ = clearedForm();
        clearGroupContents();
        startRead({AccountRead::AdGroups, campaignId_, 0}, kFetchingAdGroupsText);
    });
}

void AdGroupManagerController::stop() {
    command(Needs::Nothing, [&] {
        if (reading_ && readProcess_ > 0) cancelAccountRead(readProcess_, false);
    });
}

void AdGroupManagerController::close() {
    if (!*alive_) return;
    *alive_ = false;
    // A commit's run is not ours: only the window's own read is stopped.
    if (reading_ && readProcess_ > 0) cancelAccountRead(readProcess_, true);
}

// --- the group list and fields ---

void AdGroupManagerController::clearGroupContents() {
    bids_.clear();
    bidField_ = {};
    setKeywordText("");
    keywordsLoaded_ = false;
    ads_.clear();
    scroll_ = 0;
    preview_ = -1;
}

void AdGroupManagerController::setKeywordText(std::string text) {
    keywordText_ = std::move(text);
    ++keywordRevision_;
}

void AdGroupManagerController::showSelection() {
    newGroup_ = false;
    // The keywords and ads shown belong to the group selected before: they
    // go, so that a "Save" never sends them to another group.
    if (reading_ && readProcess_ > 0 && readKind_ != AccountRead::AdGroups) cancelAccountRead(readProcess_, false);
    clearGroupContents();
    const AccountAdGroup* group = selectedGroup();
    form_ = group ? formOf(*group) : clearedForm();
}

void AdGroupManagerController::selectRow(int row) {
    command(Needs::Nothing, [&] {
        const int next = row >= 0 && row < static_cast<int>(groups_.size()) ? row : -1;
        if (next == selected_ && !newGroup_) return;
        selected_ = next;
        showSelection();
    });
}

void AdGroupManagerController::toggleNewGroup() {
    command(Needs::Lists, [&] {
        if (newGroup_) {
            showSelection();
            return;
        }
        selected_ = -1;
        showSelection();
        newGroup_ = true;
        form_ = AdGroupForm{};
        focus_ = AdGroupField::Name;
    });
}

bool AdGroupManagerController::refuse(std::string_view text, AdGroupField field) {
    focus_ = field;
    refused_ = true;
    desktop_.message(invalidInput(std::string(text)));
    return false;
}

void AdGroupManagerController::saveGroupRecord(bool asDelete) {
    refused_ = false;
    AccountAdGroup record;
    if (!newGroup_) {
        const AccountAdGroup* group = selectedGroup();
        if (!group) return;
        record = *group;
    }
    if (asDelete) form_.status = kDeletedStatus;
    const std::string name(takenAccountName(form_.name));
    if (name.empty()) {
        refuse("Please fill in ad group name!", AdGroupField::Name);
        return;
    }
    if (name.find('"') != std::string::npos) {
        refuse("Please don't use quotes in the ad group name!", AdGroupField::Name);
        return;
    }
    const AdGroupStatus status =
        form_.status >= 0 && form_.status < static_cast<int>(kAdGroupStatusNames.size())
            ? adGroupStatusFromName(kAdGroupStatusNames[form_.status])
            : AdGroupStatus::Unknown;
    if (status == AdGroupStatus::Unknown) return;
    const struct {
        const std::string& text;
        const char* name;
        AdGroupField field;
        int32_t& target;
    } amounts[] = {{form_.maxCpc, "maxCPC", AdGroupField::MaxCpc, record.maxCpc},
                   {form_.maxCpm, "maxCPM", AdGroupField::MaxCpm, record.maxCpm},
                   {form_.maxContentCpc, "maxContentCPC", AdGroupField::MaxContentCpc, record.maxContentCpc}};
    std::array<int32_t, 3> cents{};
    for (size_t i = 0; i < 3; ++i) {
        const std::optional<int32_t> amount = parseMoneyText(amounts[i].text);
        if (!amount) {
            refuse("Please enter the " + std::string(amounts[i].name) + std::string(kBadAmountTail), amounts[i].field);
            return;
        }
        cents[i] = *amount;
    }
    for (size_t i = 0; i < 3; ++i) amounts[i].target = cents[i];
    record.name = name;
    record.status = status;
    if (newGroup_) {
        record.campaignId = campaignId_;
        queueLine(createAdGroupCommand(profile_, record));
    } else {
        queueLine(modifyAdGroupCommand(profile_, record));
    }
    selected_ = -1;
    showSelection();
}

void AdGroupManagerController::saveGroup() {
    command(Needs::Lists, [&] { saveGroupRecord(false); });
}

void AdGroupManagerController::deleteGroup() {
    command(Needs::Lists, [&] {
        if (groupSelected()) saveGroupRecord(true);
    });
}

void AdGroupManagerController::report(bool queued) {
    desktop_.message(queued ? kActionQueued : kActionNotQueued);
}

void AdGroupManagerController::queueLine(const CommandLine& line) { report(line && queue_ && queue_(*line)); }

void AdGroupManagerController::queueAdLine(const AccountAd& ad,
                                           CommandLine (*command)(const AccountProfile&, const AccountAd&)) {
    if (const std::optional<std::string> refusal = quotedAdTextRefusal(ad)) {
        desktop_.message(invalidInput(*refusal));
        return;
    }
    queueLine(command(profile_, ad));
}

// --- keywords ---

void AdGroupManagerController::loadKeywords() {
    command(Needs::Lists, [&] {
        const AccountAdGroup* group = groupSelected() ? selectedGroup() : nullptr;
        if (!group) return;
        bids_.clear();
        bidField_ = {};
        setKeywordText("");
        keywordsLoaded_ = false;
        startRead({AccountRead::Keywords, campaignId_, group->id}, kFetchingKeywordsText);
    });
}

void AdGroupManagerController::keywordCaretEvent(const std::string& boxText, const std::string& caretLine) {
    command(Needs::Nothing, [&] { bidField_ = bids_.caretEvent(boxText, caretLine); });
}

void AdGroupManagerController::editKeywordBid(const std::string& caretLine, const std::string& bidText) {
    command(Needs::Nothing, [&] {
        bids_.editBid(caretLine, bidText);
        bidField_.text = bidText;
    });
}

void AdGroupManagerController::importKeywords(const std::string& boxText) {
    command(Needs::Lists, [&] {
        if (!project_ || !keywordBoxEnabled()) return;
        std::vector<std::string> names{kMainListChoice};
        for (const auto& group : project_->groups) names.push_back(group->name);
        const std::optional<size_t> chosen = windows_.groups.chooseGroup(names);
        if (!chosen || *chosen >= names.size()) return;
        const Group& group = *chosen == 0 ? project_->mainList : *project_->groups[*chosen - 1];
        const std::optional<KeywordTypesChoice> types = windows_.account.chooseKeywordTypes(true);
        if (!types) return;
        std::vector<std::string> lines;
        for (const AccountKeyword& keyword : groupKeywords(group, *types)) lines.push_back(keywordTextForm(keyword));
        setKeywordText(appendKeywordLines(boxText, lines));
    });
}

void AdGroupManagerController::saveKeywords(const std::string& boxText) {
    command(Needs::Lists, [&] {
        const AccountAdGroup* group = groupSelected() ? selectedGroup() : nullptr;
        if (!group) return;
        const std::vector<AccountKeyword> keywords = bids_.keywordsToSave(boxText);
        // The keyword file separates entries by ";" and parts by "/".
        for (const AccountKeyword& keyword : keywords)
            if (!isUploadableText(keyword.text)) {
                desktop_.message(keywordNotUploadable(keyword.text));
                return;
            }
        const std::optional<std::string> path = writeKeywordFile(folder_, keywords);
        if (!path) {
            report(false);
            return;
        }
        const CommandLine line =
            setAdGroupKeywordsCommand(profile_, group->campaignId, group->id, group->name, *path);
        const bool queued = line && queue_ && queue_(*line);
        if (!queued) removeFile(*path);
        report(queued);
    });
}

// --- ads ---

void AdGroupManagerController::loadAds() {
    command(Needs::Lists, [&] {
        const AccountAdGroup* group = groupSelected() ? selectedGroup() : nullptr;
        if (!group) return;
        ads_.clear();
        scroll_ = 0;
        preview_ = -1;
        startRead({AccountRead::Ads, campaignId_, group->id}, kFetchingAdsText);
    });
}

std::vector<const AccountAd*> AdGroupManagerController::shownAds() const {
    std::vector<const AccountAd*> shown;
    for (const AccountAd& ad : ads_)
        if (showDeleted_ || !ad.deleted) shown.push_back(&ad);
    return shown;
}

PreviewScroll AdGroupManagerController::adScroll() const { return previewScroll(shownAds().size(), kAdGroupPreviews); }

const AccountAd* AdGroupManagerController::previewAd(int preview) const {
    if (preview < 0 || preview >= kAdGroupPreviews) return nullptr;
    const std::vector<const AccountAd*> shown = shownAds();
    const size_t index = static_cast<size_t>(scroll_ + preview);
    return index < shown.size() ? shown[index] : nullptr;
}

const AccountAd* AdGroupManagerController::selectedAd() const { return previewAd(preview_); }

void AdGroupManagerController::setAdScrollPosition(int position) {
    const PreviewScroll s = adScroll();
    // With the page of 2 the first shown ad runs 0..maximum-1.
    scroll_ = s.enabled ? std::clamp(position, 0, s.maximum - 1) : 0;
}

void AdGroupManagerController::setShowDeletedAds(bool on) {
    showDeleted_ = on;
    scroll_ = 0;
    preview_ = -1;
}

void AdGroupManagerController::selectPreview(int preview) {
    preview_ = preview >= 0 && preview < kAdGroupPreviews ? preview : -1;
}

std::vector<MenuItem> AdGroupManagerController::adMenu(int preview) {
    const AccountAd* ad = previewAd(preview);
    if (!ad) return {};
    preview_ = preview;
    std::vector<MenuItem> items;
    items.push_back(menuItem(menuText(ad->headline), nullptr));  // greyed: no action
    items.push_back(menuSeparator());
    items.push_back(menuItem("&Edit Ad", [this] { editAd(); }));
    if (!ad->deleted) items.push_back(menuItem("&Delete Ad", [this] { deleteAd(); }));
    items.push_back(menuItem("&Copy to new ad", [this] { copyAd(); }));
    return items;
}

void AdGroupManagerController::newAd() {
    command(Needs::Lists, [&] {
        const AccountAdGroup* group = groupSelected() ? selectedGroup() : nullptr;
        if (!group) return;
        const std::optional<AdEditResult> result =
            windows_.ads.editAd({.ad = Ad{}, .origin = AdOrigin::New, .accountMode = true});
        // An ad of the account cannot be deleted in the editor: only a saved one comes back.
        const Ad* saved = result ? std::get_if<Ad>(&*result) : nullptr;
        if (!saved) return;
        AccountAd created = accountAdFromAd(*saved);
        created.adGroupId = group->id;
        queueAdLine(created, createAdCommand);
    });
}

void AdGroupManagerController::editAdAs(bool copy) {
    const AccountAdGroup* group = groupSelected() ? selectedGroup() : nullptr;
    const AccountAd* selected = selectedAd();
    if (!group || !selected) return;
    const int32_t adId = selected->id;
    const std::optional<AdEditResult> result = windows_.ads.editAd(
        {.ad = adFromAccountAd(*selected), .origin = copy ? AdOrigin::Copy : AdOrigin::Stored, .accountMode = true});
    const Ad* saved = result ? std::get_if<Ad>(&*result) : nullptr;
    if (!saved) return;
    AccountAd edited = accountAdFromAd(*saved);
    edited.adGroupId = group->id;
    if (copy) {
        queueAdLine(edited, createAdCommand);
    } else {
        edited.id = adId;
        queueAdLine(edited, modifyAdCommand);
    }
}

void AdGroupManagerController::editAd() {
    command(Needs::Lists, [&] { editAdAs(false); });
}

void AdGroupManagerController::copyAd() {
    command(Needs::Lists, [&] { editAdAs(true); });
}

void AdGroupManagerController::deleteAd() {
    command(Needs::Lists, [&] {
        const AccountAd* selected = selectedAd();
        if (!selected) return;
        const AccountAd ad = *selected;
        if (desktop_.message(confirmDeleteAccountAd(ad.headline)) != Answer::Yes) return;
        const AccountAdGroup* group = groupSelected() ? selectedGroup() : nullptr;
        if (!group) return;
        queueLine(deleteAdCommand(profile_, ad.id, group->id, ad.headline));
        preview_ = -1;
    });
}

void AdGroupManagerController::importAd() {
    command(Needs::Lists, [&] {
        const std::optional<Ad> ad = windows_.account.chooseProjectAd();
        const AccountAdGroup* group = groupSelected() ? selectedGroup() : nullptr;
        if (!ad || !group) return;
        AccountAd imported = accountAdFromAd(*ad);
        imported.adGroupId = group->id;
        imported.campaignId = campaignId_;
        queueAdLine(imported, createAdCommand);
    });
}

void AdGroupManagerController::importAdGroup() {
    command(Needs::Lists, [&] {
        if (!project_) return;
        std::vector<std::string> names;
        for (const auto& group : project_->groups) names.push_back(group->name);
        const std::optional<size_t> chosen = windows_.groups.chooseGroup(names);
        if (!chosen || *chosen >= names.size()) return;
        const std::optional<KeywordTypesChoice> choice = windows_.account.chooseKeywordTypes(false);
        if (!choice) return;
        const UploadOutcome outcome =
            uploadGroup(folder_, *project_, names[*chosen], campaignId_, profile_, *choice,
                        [this](UploadWarning, const MessageText& warning) {
                            return answerUploadWarning(desktop_, warning);
                        });
        if (const std::optional<Message> message = uploadOutcomeMessage(outcome)) desktop_.message(*message);
    });
}

}  // namespace pw::ui
