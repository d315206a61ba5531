#pragma once
// Stands in for the desktop in tests: records every message and dialog the
// window asks for and answers from a script.

#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <type_traits>
#include <string>
#include <vector>

#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/menuactions.h"
#include "ui/common/desktop.h"
#include "ui/common/jobrunner.h"
#include "ui/groups/groupdialogs.h"
#include "ui/main/maindialogs.h"

namespace pw::ui::test {

// Keeps posted tasks until the test runs them: a job stays "busy" until then.
class ManualDispatcher : public Dispatcher {
public:
    void post(std::function<void()> task) override {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    void runAll() {
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard lock(mutex_);
                if (tasks_.empty()) return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};

// Every window the controllers open, answered from a script. A test fails
// when a scripted answer is left unused.
class ScriptedUi : public Desktop, public MainDialogs, public GroupDialogs, public AdWindows {
public:
    ~ScriptedUi() override {
        auto unused = [](const char* what, size_t n) {
            if (n) ADD_FAILURE() << n << " scripted " << what << " left unused";
        };
        unused("message answers", answers.size());
        unused("file choices", openAnswers.size());
        unused("save paths", saveAnswers.size());
        unused("texts", textAnswers.size());
        unused("group choices", groupAnswers.size() + groupPositionAnswers.size());
        unused("delete confirmations", confirmAnswers.size());
        unused("column choices", columnAnswers.size());
        unused("sheet choices", sheetAnswers.size());
        unused("project choices", projectAnswers.size());
        unused("colours", colorAnswers.size());
        unused("ad edits", adEdits.size());
        unused("past ads", pastAdAnswers.size());
        unused("folders", folderAnswers.size());
    }

    std::vector<Message> messages;
    std::deque<Answer> answers;
    std::deque<std::vector<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<SaveFileRequest> saveRequests;
    std::deque<std::optional<std::string>> textAnswers;
    std::vector<TextPrompt> textPrompts;
    std::deque<std::optional<std::string>> groupAnswers;
    std::vector<std::vector<std::string>> groupChoicesOffered;
    std::deque<DeleteConfirmation> confirmAnswers;
    int confirmations = 0;
    std::deque<std::optional<ImportColumns>> columnAnswers;
    std::deque<std::optional<std::string>> projectAnswers;
    std::deque<std::optional<uint32_t>> colorAnswers;
    std::vector<std::string> ignoredWordsShown;
    int doubleBeeps = 0;
    int informationSounds = 0;
    // The main window's gate as the windows under test get it: set
    // `listJobRunning` to have it refuse their list commands.
    bool listJobRunning = false;
    CommandGate gate{*this, [this] { return listJobRunning; }};
    // What the web features supply to the ad windows under test.
    MenuActions menuActions;
    std::string clipboard;

    const Message& lastMessage() const {
        static const Message none{"(no message)", "", Icon::None, Buttons::Ok};
        return messages.empty() ? none : messages.back();
    }

    Answer message(const Message& m) override {
        messages.push_back(m);
        if (m.buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "no answer scripted for: " << m.text;
            return Answer::Cancel;
        }
        return pop(answers);
    }
    std::vector<std::string> openFiles(const OpenFileRequest&) override { return popOr(openAnswers, {}); }
    std::optional<std::string> saveFile(const SaveFileRequest& r) override {
        saveRequests.push_back(r);
        return popOr(saveAnswers, std::nullopt);
    }
    std::optional<uint32_t> pickColor(uint32_t) override { return popOr(colorAnswers, std::nullopt); }
    void doubleBeep() override { ++doubleBeeps; }
    void informationSound() override { ++informationSounds; }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    std::optional<std::string> askText(const TextPrompt& p) override {
        textPrompts.push_back(p);
        return popOr(textAnswers, std::nullopt);
    }
    // Answered by name (the first entry of that name) or, from groupPositionAnswers, by position.
    std::deque<size_t> groupPositionAnswers;
    std::optional<size_t> chooseGroup(const std::vector<std::string>& names) override {
        groupChoicesOffered.push_back(names);
        if (!groupPositionAnswers.empty()) return pop(groupPositionAnswers);
        const std::optional<std::string> name = popOr(groupAnswers, std::nullopt);
        if (!name) return std::nullopt;
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == *name) return i;
        ADD_FAILURE() << "the script chose '" << *name << "', which was not offered";
        return std::nullopt;
    }
    std::optional<std::string> renameGroup(const std::string&,
                                           const std::function<bool(const std::string&)>& taken) override {
        std::optional<std::string> name = popOr(textAnswers, std::nullopt);
        while (name && taken(*name)) name = popOr(textAnswers, std::nullopt);  // the dialog stays open
        return name;
    }
    std::optional<std::string> findGroup(const std::vector<std::string>&) override {
        return popOr(groupAnswers, std::nullopt);
    }
    DeleteConfirmation confirmPermanentDelete() override {
        ++confirmations;
        return popOr(confirmAnswers, DeleteConfirmation{});
    }
    std::deque<std::optional<int>> sheetAnswers;
    std::vector<std::vector<std::string>> sheetsOffered;
    std::optional<int> chooseSheet(const std::string&, const std::vector<std::string>& sheets) override {
        sheetsOffered.push_back(sheets);
        return popOr(sheetAnswers, std::nullopt);
    }
    std::vector<ImportColumns> columnsOffered;
    std::optional<ImportColumns> chooseColumns(const std::string&, const ImportColumns& offered) override {
        columnsOffered.push_back(offered);
        return popOr(columnAnswers, std::nullopt);
    }
    std::deque<std::optional<std::string>> catalogueAnswers;
    std::optional<std::string> editCountries(const std::string&) override { return popOr(catalogueAnswers, std::nullopt); }
    std::optional<std::string> editUnwantedCharacters(const std::string&) override {
        return popOr(catalogueAnswers, std::nullopt);
    }
    std::vector<std::string> addressesOpened;
    void openAddress(const std::string& address) override { addressesOpened.push_back(address); }
    void showIgnoredWords(const std::string& word, const std::vector<ListRow>& rows) override {
        ignoredWordsShown.push_back(word + ":" + std::to_string(rows.size()));
    }
    std::optional<std::string> chooseProject() override { return popOr(projectAnswers, std::nullopt); }

    // The ad editor: each scripted edit answers one opening (none: "Cancel");
    // every opening's request is kept.
    std::deque<std::function<std::optional<AdEditResult>(const AdEditRequest&)>> adEdits;
    std::vector<AdEditRequest> adEditRequests;
    int manageListsCalls = 0;
    std::deque<std::optional<Ad>> pastAdAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::optional<AdEditResult> editAd(const AdEditRequest& r) override {
        adEditRequests.push_back(r);
        if (adEdits.empty()) return std::nullopt;
        return pop(adEdits)(r);
    }
    bool manageAdLists(Group&) override {
        ++manageListsCalls;
        return true;
    }
    std::optional<Ad> searchPastAds(const Group*) override { return popOr(pastAdAnswers, std::nullopt); }
    std::optional<std::string> chooseFolder(const std::string&) override { return popOr(folderAnswers, std::nullopt); }

private:
    template <typename T>
    static T pop(std::deque<T>& q) {
        T v = std::move(q.front());
        q.pop_front();
        return v;
    }
    template <typename T>
    static T popOr(std::deque<T>& q, std::type_identity_t<T> fallback) {
        return q.empty() ? fallback : pop(q);
    }
};

}  // namespace pw::ui::test
