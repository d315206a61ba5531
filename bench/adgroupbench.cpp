// The ad group manager on an ad group of 2,000 keywords in the sandbox
// account: "Load" through the window's controller until the keyword box's
// text holds every keyword, then through the window itself (offscreen) until
// its box shows them, against a baseline of one run of the tool with its
// output read into records. Also the keyword box's caret events on that list.

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

#include "account/accountcaches.h"
#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "account/projectupload.h"
#include "account/toolinstall.h"
#include "account/toolrecords.h"
#include "bench/toolrunner.h"
#include "core/atomicfile.h"
#include "ui/account/adgroupmanagerdialog.h"

using namespace pw;
using namespace pw::ui;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}


// Tasks wait here until the bench runs them, as on a window's event loop.
class QueueDispatcher : public Dispatcher {
public:
    void post(std::function<void()> task) override {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    void runAll() {
        std::vector<std::function<void()>> tasks;
        {
            std::lock_guard lock(mutex_);
            tasks.swap(tasks_);
        }
        for (auto& task : tasks) task();
    }

private:
    std::mutex mutex_;
    std::vector<std::function<void()>> tasks_;
};

// No window opens in the bench; a message means something went wrong.
class SilentWindows : public Desktop, public AccountWindows, public AdWindows, public GroupDialogs {
public:
    int messages = 0;
    Answer message(const Message& m) override {
        std::fprintf(stderr, "message: %s\n", m.text.c_str());
        ++messages;
        return Answer::Ok;
    }
    std::vector<std::string> openFiles(const OpenFileRequest&) override { return {}; }
    std::optional<std::string> saveFile(const SaveFileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }
    std::optional<uint32_t> pickColor(uint32_t) override { return std::nullopt; }
    void doubleBeep() override {}
    void informationSound() override {}
    void setClipboardText(const std::string&) override {}
    void openAddress(const std::string&) override {}
    void chooseProfile() override {}
    std::optional<AccountProfile> editProfile(const AccountProfile&, bool) override { return std::nullopt; }
    std::optional<std::string> renameProfile(const std::string&) override { return std::nullopt; }
    void manageAccount() override {}
    std::optional<AccountCampaign> editCampaign(const AccountCampaign&, bool) override { return std::nullopt; }
    void manageAdGroups(int32_t, const std::string&) override {}
    std::optional<std::vector<std::string>> listChanges(const std::string&, const std::string&,
                                                        const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<KeywordTypesChoice> chooseKeywordTypes(bool) override { return std::nullopt; }
    std::optional<Ad> chooseProjectAd() override { return std::nullopt; }
    std::optional<AdEditResult> editAd(const AdEditRequest&) override { return std::nullopt; }
    bool manageAdLists(Group&) override { return false; }
    std::optional<Ad> searchPastAds(const Group*) override { return std::nullopt; }
    std::optional<size_t> chooseGroup(const std::vector<std::string>&) override { return std::nullopt; }
    std::optional<std::string> renameGroup(const std::string&,
                                           const std::function<bool(const std::string&)>&) override {
        return std::nullopt;
    }
    std::optional<std::string> findGroup(const std::vector<std::string>&) override { return std::nullopt; }
};

void waitForRead(AdGroupManagerController& m, QueueDispatcher& dispatcher) {
    while (m.reading()) {
        dispatcher.runAll();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    char pattern[] = "/tmp/pwadgroupbench-XXXXXX";
    const ProgramFolder folder(::mkdtemp(pattern));
    createFolder(folder.googleFolder());
    if (installAccountTool(folder, PW_TOOL_PATH) != ToolInstallResult::Installed) {
        std::fprintf(stderr, "cannot install the account tool\n");
        return 1;
    }
    const AccountProfile profile{.name = "bench", .email = "bench@x.com", .password = "pw", .token = "tk"};
    saveProfile(profile, profilePath(folder, "bench"));
    SettingsStore settings(folder);
    settings.setDefaultProfile("bench");

    AccountCampaign campaign{.name = "Bench", .startDate = {1, 1, 2030}, .endDate = {1, 1, 2031}, .dailyBudget = 1000};
    const auto campaigns = readCampaignRecords(bench::runToolNow(folder, *createCampaignCommand(profile, campaign), kChangeOutput));
    if (campaigns.empty()) return 1;
    const int32_t campaignId = campaigns[0].id;
    const AccountAdGroup group{.campaignId = campaignId, .name = "Big group", .maxCpc = 25};
    const auto created = readCreatedAdGroups(bench::runToolNow(folder, *createAdGroupCommand(profile, group), kChangeOutput));
    if (created.empty()) return 1;
    const int32_t groupId = created[0].id;
    std::vector<AccountKeyword> keywords;
    for (int i = 0; i < 2000; ++i)
        keywords.push_back({"cheap flights to city number " + std::to_string(i), static_cast<MatchType>(i % 3), 25});
    const auto file = writeKeywordFile(folder, keywords);
    bench::runToolNow(folder, *setAdGroupKeywordsCommand(profile, campaignId, groupId, group.name, *file), kChangeOutput);

    const ReadRequest request{AccountRead::Keywords, campaignId, groupId};
    constexpr int kRuns = 10;
    auto start = std::chrono::steady_clock::now();
    size_t read = 0;
    for (int i = 0; i < kRuns; ++i)
        read = readKeywordRecords(bench::runToolNow(folder, *readCommand(profile, request), kAccountListOutput)).size();
    const double baseline = secondsSince(start) / kRuns;

    SilentWindows windows;
    auto dispatcher = std::make_shared<QueueDispatcher>();
    AdGroupManagerController manager({windows, windows, windows, windows}, folder, settings, dispatcher, {}, nullptr,
                                     campaignId, "Bench");
    if (!manager.open()) return 1;
    waitForRead(manager, *dispatcher);
    manager.selectRow(0);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRuns; ++i) {
        manager.loadKeywords();
        waitForRead(manager, *dispatcher);
    }
    const double load = secondsSince(start) / kRuns;
    const size_t lines = keywordBoxLines(manager.keywordText()).size();
    std::printf("ad group manager: Load of an ad group of %zu keywords to the filled box: %.3f s "
                "(tool run and records alone: %.3f s, %zu keywords; ratio %.2f)\n",
                lines, load, baseline, read, baseline > 0 ? load / baseline : 0.0);

    int shownLines = 0;
    double windowLoad = 0;
    {
        CDialogManageAdGroups dialog(manager, kDefaultBackgroundColor);
        auto* load = dialog.findChild<QPushButton*>("loadKeywords");
        auto* box = dialog.findChild<QPlainTextEdit*>("keywords");
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRuns; ++i) {
            load->click();
            waitForRead(manager, *dispatcher);
            QApplication::processEvents();
        }
        windowLoad = secondsSince(start) / kRuns;
        shownLines = box->blockCount();
    }
    std::printf("the same Load through the window until its box shows the %d lines: %.3f s (ratio %.2f)\n",
                shownLines, windowLoad, baseline > 0 ? windowLoad / baseline : 0.0);

    // The caret events while typing, each 30th one checking every line.
    const std::string box = manager.keywordText();
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < 300; ++i) manager.keywordCaretEvent(box, "cheap flights to city number 1999");
    std::printf("keyword box: 300 caret events on %zu lines: %.3f ms each\n", lines,
                secondsSince(start) * 1000 / 300);

    adGroupCache().clear();
    std::error_code ignored;
    std::filesystem::remove_all(folder.root(), ignored);
    return lines == 2000 && shownLines == 2000 && windows.messages == 0 ? 0 : 1;
}
