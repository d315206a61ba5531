#pragma once
// A sandbox account for the ad group manager: the default profile "Main",
// the campaign "Spring" and its ad group "Red shoes" with these keywords.

#include <vector>

#include "account/projectupload.h"
#include "account/toolrecords.h"
#include "tests/account/sandboxfolder.h"
#include "tests/ui/account/scriptedaccountui.h"

namespace pw::ui::test {

struct SandboxAdGroup {
    int32_t campaignId = 0;
    int32_t groupId = 0;
};

inline SandboxAdGroup makeSandboxAdGroup(pw::test::SandboxFolder& sandbox, SettingsStore& settings,
                                         const std::vector<AccountKeyword>& keywords) {
    const AccountProfile profile = sandboxProfile("Main");
    saveProfile(profile, profilePath(sandbox.folder(), "Main"));
    settings.setDefaultProfile("Main");
    AccountCampaign spring;
    spring.name = "Spring";
    spring.startDate = {1, 1, 2030};
    spring.endDate = {1, 1, 2031};
    spring.dailyBudget = 500;
    SandboxAdGroup made;
    made.campaignId = readCampaignRecords(*sandbox.run(*createCampaignCommand(profile, spring))).at(0).id;
    AccountAdGroup group;
    group.campaignId = made.campaignId;
    group.name = "Red shoes";
    group.maxCpc = 25;
    made.groupId = readCreatedAdGroups(*sandbox.run(*createAdGroupCommand(profile, group))).at(0).id;
    const auto file = writeKeywordFile(sandbox.folder(), keywords);
    sandbox.run(*setAdGroupKeywordsCommand(profile, made.campaignId, made.groupId, group.name, *file));
    removeFile(*file);
    return made;
}

}  // namespace pw::ui::test
