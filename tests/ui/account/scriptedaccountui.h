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
        if (!changeLists.empty()) ADD_FAILURE() << changeLists.size() << " scripted change lists left unused";
        if (!keywordTypes.empty()) ADD_FAILURE() << keywordTypes.size() << " scripted keyword type choices left unused";
        if (!projectAds.empty()) ADD_FAILURE() << projectAds.size() << " scripted project ads left unused";
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
    // Each gets the campaign the editor opens on and returns what it saves, or none (Cancel).
    std::deque<std::function<std::optional<AccountCampaign>(AccountCampaign, bool)>> campaignEdits;
    struct AdGroupManagerOpened {
        int32_t campaignId;
        std::string campaignName;
    };
    std::vector<AdGroupManagerOpened> adGroupManagers;
    // Each answer sees the caption, the OK text and the listed lines.
    using ChangeListAnswer = std::function<std::optional<std::vector<std::string>>(
        const std::string&, const std::string&, const std::vector<std::string>&)>;
    std::deque<ChangeListAnswer> changeLists;
    struct KeywordTypesAsked {
        bool typesOnly;
        std::optional<KeywordTypesChoice> answer;
    };
    // The mode each chooser is expected in, and what it returns.
    std::deque<KeywordTypesAsked> keywordTypes;

    // What "Select Ad" returns, one entry per opening.
    std::deque<std::optional<Ad>> projectAds;

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
    std::optional<AccountCampaign> editCampaign(const AccountCampaign& campaign, bool newCampaign) override {
        if (campaignEdits.empty()) return std::nullopt;
        auto edit = campaignEdits.front();
        campaignEdits.pop_front();
        return edit(campaign, newCampaign);
    }
    void manageAdGroups(int32_t campaignId, const std::string& campaignName) override {
        adGroupManagers.push_back({campaignId, campaignName});
    }
    std::optional<std::vector<std::string>> listChanges(const std::string& caption, const std::string& okText,
                                                        const std::vector<std::string>& lines) override {
        if (changeLists.empty()) {
            ADD_FAILURE() << "unexpected change list \"" << caption << "\"";
            return std::nullopt;
        }
        auto answer = changeLists.front();
        changeLists.pop_front();
        return answer(caption, okText, lines);
    }
    std::optional<KeywordTypesChoice> chooseKeywordTypes(bool typesOnly) override {
        if (keywordTypes.empty()) {
            ADD_FAILURE() << "unexpected keyword types chooser";
            return std::nullopt;
        }
        KeywordTypesAsked asked = keywordTypes.front();
        keywordTypes.pop_front();
        EXPECT_EQ(asked.typesOnly, typesOnly) << "keyword types chooser in the wrong mode";
        return asked.answer;
    }
    std::optional<Ad> chooseProjectAd() override {
        if (projectAds.empty()) {
            ADD_FAILURE() << "unexpected ad chooser";
            return std::nullopt;
        }
        std::optional<Ad> ad = projectAds.front();
        projectAds.pop_front();
        return ad;
    }
};

}  // namespace pw::ui::test
