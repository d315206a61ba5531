#pragma once
// The desktop and the account windows answered from a script.

#include <deque>
#include <functional>

#include "tests/ui/common/scriptedui.h"
#include "ui/account/accountwindows.h"

namespace pw::ui::test {

// A profile the editor would accept and the sandbox tool logs in with.
inline AccountProfile sandboxProfile(const std::string& name) {
    AccountProfile p;
    p.name = name;
    p.email = "m@x.com";
    p.password = "Secret-Passw0rd-4711";
    p.token = "tk";
    p.clientEmail = "client@x.com";
    return p;
}

class ScriptedAccountUi : public ScriptedUi, public AccountWindows {
public:
    ~ScriptedAccountUi() override {
        if (!profileEdits.empty()) ADD_FAILURE() << profileEdits.size() << " scripted profile edits left unused";
        if (!renameAnswers.empty()) ADD_FAILURE() << renameAnswers.size() << " scripted renames left unused";
        if (!campaignEdits.empty()) ADD_FAILURE() << campaignEdits.size() << " scripted campaign edits left unused";
    }

    int choosers = 0;
    int managers = 0;
    // Each edit sees the record the editor opens on and whether its name is editable.
    struct ProfileEditorOpened {
        AccountProfile profile;
        bool nameEditable;
    };
    std::vector<ProfileEditorOpened> profileEditorsOpened;
    std::deque<std::optional<AccountProfile>> profileEdits;
    std::deque<std::optional<std::string>> renameAnswers;
    std::deque<std::function<bool(AccountCampaign&, bool)>> campaignEdits;

    void chooseProfile() override { ++choosers; }
    std::optional<AccountProfile> editProfile(const AccountProfile& profile, bool nameEditable) override {
        profileEditorsOpened.push_back({profile, nameEditable});
        if (profileEdits.empty()) return std::nullopt;
        auto answer = profileEdits.front();
        profileEdits.pop_front();
        return answer;
    }
    std::optional<std::string> renameProfile(const std::string&) override {
        if (renameAnswers.empty()) return std::nullopt;
        auto answer = renameAnswers.front();
        renameAnswers.pop_front();
        return answer;
    }
    void manageAccount() override { ++managers; }
    bool editCampaign(AccountCampaign& campaign, bool newCampaign) override {
        if (campaignEdits.empty()) return false;
        auto edit = campaignEdits.front();
        campaignEdits.pop_front();
        return edit(campaign, newCampaign);
    }
};

}  // namespace pw::ui::test
