// The profile chooser, editor and rename rule through a scripted desktop, on
// profile files in a temporary program folder.

#include <gtest/gtest.h>

#include "account/accountcaches.h"
#include "account/accountfolder.h"
#include "tests/testsupport.h"
#include "tests/ui/account/scriptedaccountui.h"
#include "ui/account/accountmanagercontroller.h"
#include "ui/account/profilecontrollers.h"

namespace pw::ui {
namespace {

class ProfileChooser : public ::testing::Test {
protected:
    ProfileChooser() : folder(temp.path()), settings(folder) { createGoogleFolder(folder); }

    void addProfile(const std::string& fileName) { ASSERT_TRUE(saveProfile(test::sandboxProfile(fileName), profilePath(folder, fileName))); }
    std::vector<ProfileRow> shownRows() {
        ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
        chooser.fill();
        return chooser.rows();
    }
    std::string queueFile() const { return googleFile(folder, kChangeQueueFile); }

    pw::test::TempFolder temp;
    ProgramFolder folder;
    SettingsStore settings;
    test::ScriptedAccountUi ui;
};

// Only the change of the default drops the queue: opening the chooser again
// on the same single profile keeps what was queued for it.
TEST_F(ProfileChooser, ASingleProfileBecomesTheDefaultAndOnlyThatChangeDropsTheQueue) {
    addProfile("Main");
    settings.setDefaultProfile("Old");
    campaignCache().replace({AccountCampaign{}});
    for (int opening = 0; opening < 2; ++opening) {
        pw::test::writeFile(queueFile(), "queued line\n");
        EXPECT_EQ(shownRows(), (std::vector<ProfileRow>{{"Main", true}}));
        EXPECT_EQ(settings.values().defaultProfile, "Main");
        EXPECT_EQ(fileExists(queueFile()), opening == 1) << opening;
    }
    EXPECT_TRUE(campaignCache().copy().empty());
}

TEST_F(ProfileChooser, RowsNameFilesUpToTheFirstExtensionAndMarkTheDefaultIgnoringCase) {
    addProfile("Alpha");
    addProfile("beta.google");  // file "beta.google.google"
    settings.setDefaultProfile("ALPHA");
    pw::test::writeFile(queueFile(), "kept\n");
    ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
    chooser.fill();
    EXPECT_EQ(chooser.rows(), (std::vector<ProfileRow>{{"Alpha", true}, {"beta", false}}));
    EXPECT_FALSE(chooser.rowActionsEnabled());
    EXPECT_TRUE(fileExists(queueFile()));  // two profiles: nothing set by itself

    chooser.selectRow(1);
    EXPECT_TRUE(chooser.rowActionsEnabled());
    chooser.setDefault();
    EXPECT_EQ(chooser.rows(), (std::vector<ProfileRow>{{"Alpha", false}, {"beta", true}}));
    EXPECT_EQ(settings.values().defaultProfile, "beta");
    EXPECT_FALSE(fileExists(queueFile()));
}

TEST_F(ProfileChooser, CreatingADuplicateReopensTheEditorOnTheEnteredValues) {
    addProfile("Main");
    addProfile("Other");
    AccountProfile entered = test::sandboxProfile("Main");
    entered.email = "new@x.com";
    ui.profileEdits = {entered, std::nullopt};
    ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
    chooser.create();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], (Message{"This Google profile already exists! Please choose a different name!",
                                       "Duplicate profile", Icon::Warning, Buttons::Ok}));
    ASSERT_EQ(ui.profileEditorsOpened.size(), 2u);
    EXPECT_EQ(ui.profileEditorsOpened[0].profile, AccountProfile{});
    EXPECT_EQ(ui.profileEditorsOpened[1].profile, entered);
    EXPECT_TRUE(ui.profileEditorsOpened[1].nameEditable);
    EXPECT_EQ(loadProfile(profilePath(folder, "Main"))->email, "m@x.com");  // not overwritten
}

TEST_F(ProfileChooser, CreatedAndEditedProfilesAreWrittenToTheirFiles) {
    addProfile("Other");
    ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
    ui.profileEdits = {test::sandboxProfile("New")};
    chooser.create();
    EXPECT_EQ(chooser.rows(), (std::vector<ProfileRow>{{"New", false}, {"Other", false}}));
    EXPECT_EQ(loadProfile(profilePath(folder, "New")), test::sandboxProfile("New"));

    chooser.selectRow(0);  // "New"
    AccountProfile edited = test::sandboxProfile("New");
    edited.clientEmail = "client@x.com";
    ui.profileEdits = {edited};
    chooser.edit();
    EXPECT_FALSE(ui.profileEditorsOpened.back().nameEditable);
    EXPECT_EQ(loadProfile(profilePath(folder, "New"))->clientEmail, "client@x.com");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProfileChooser, EditingAVanishedProfileSaysItCouldNotBeLoaded) {
    addProfile("Gone");
    addProfile("Other");
    ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
    chooser.fill();
    chooser.selectRow(0);
    removeFile(profilePath(folder, "Gone"));
    chooser.edit();
    EXPECT_EQ(ui.lastMessage(), (Message{"Could not load profile!", "Load error", Icon::Warning, Buttons::Ok}));
    EXPECT_EQ(chooser.rows().size(), 1u);
    EXPECT_TRUE(ui.profileEditorsOpened.empty());
}

TEST_F(ProfileChooser, DeleteAsksFirstAndKeepsTheDefaultSetting) {
    addProfile("Main");
    addProfile("Other");
    addProfile("Third");  // two left after the delete: none becomes the default by itself
    settings.setDefaultProfile("Main");
    ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
    chooser.fill();
    chooser.selectRow(0);
    ui.answers = {Answer::No, Answer::Yes};
    chooser.remove();
    EXPECT_TRUE(fileExists(profilePath(folder, "Main")));
    chooser.selectRow(0);
    chooser.remove();
    EXPECT_FALSE(fileExists(profilePath(folder, "Main")));
    EXPECT_EQ(ui.messages[0], (Message{"Are you sure you want to delete Google profile 'Main'?", "Confirm delete",
                                       Icon::Question, Buttons::YesNo}));
    EXPECT_EQ(settings.values().defaultProfile, "Main");
}

TEST_F(ProfileChooser, RenamingTheDefaultLeavesTheSettingOnTheOldName) {
    addProfile("Main");
    addProfile("Other");
    settings.setDefaultProfile("Main");
    ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
    chooser.fill();
    chooser.selectRow(0);
    ui.renameAnswers = {"Renamed"};
    chooser.rename();
    EXPECT_TRUE(fileExists(profilePath(folder, "Renamed")));
    EXPECT_EQ(loadProfile(profilePath(folder, "Renamed"))->name, "Main");  // the record keeps its name
    EXPECT_EQ(settings.values().defaultProfile, "Main");

    // The account command then finds no default and offers the chooser.
    manageGoogleAccount(ui, ui, folder, settings);
    EXPECT_EQ(ui.lastMessage(), (Message{"Before you can manage your Google account, you must setup a default profile!",
                                         "Default profile not found", Icon::Information, Buttons::Ok}));
    EXPECT_EQ(ui.choosers, 1);
    EXPECT_EQ(ui.managers, 0);
}

TEST_F(ProfileChooser, RenamingOntoAnotherProfileIsRefusedAndKeepsBothFiles) {
    addProfile("Main");
    AccountProfile other = test::sandboxProfile("Other");
    other.email = "other@x.com";
    ASSERT_TRUE(saveProfile(other, profilePath(folder, "Other")));
    ProfileChooserController chooser(ui, ui.gate, ui, folder, settings);
    chooser.fill();
    chooser.selectRow(0);
    ui.renameAnswers = {"Other"};
    chooser.rename();
    EXPECT_EQ(ui.lastMessage(), (Message{"The profile could not be renamed!", "Rename error", Icon::Warning, Buttons::Ok}));
    EXPECT_EQ(loadProfile(profilePath(folder, "Other"))->email, "other@x.com");
    EXPECT_TRUE(fileExists(profilePath(folder, "Main")));
}

TEST_F(ProfileChooser, ManageAccountOpensTheManagerWhenTheDefaultLoads) {
    addProfile("Main");
    settings.setDefaultProfile("Main");
    manageGoogleAccount(ui, ui, folder, settings);
    EXPECT_EQ(ui.managers, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ProfileEditor, SaveNeedsTheFourRequiredFieldsAndProxyFieldsFollowTheSwitch) {
    test::ScriptedAccountUi ui;
    ProfileEditorController editor(ui, ui.gate, AccountProfile{}, true);
    EXPECT_FALSE(editor.saveEnabled());
    ProfileForm& f = editor.form();
    f.name = "n";
    f.email = "e";
    f.password = "p";
    EXPECT_FALSE(editor.saveEnabled());
    f.token = "t";
    EXPECT_TRUE(editor.saveEnabled());
    EXPECT_FALSE(editor.proxyFieldsEnabled());
    f.useProxy = true;
    EXPECT_TRUE(editor.proxyFieldsEnabled());
    editor.openTokenPage();
    EXPECT_EQ(ui.addressesOpened, std::vector<std::string>{std::string(kTokenRequestPage)});
}

TEST(ProfileEditor, PortTextAndProxyTypeGoIntoTheRecord) {
    test::ScriptedAccountUi ui;
    AccountProfile stored = test::sandboxProfile("Main");
    stored.proxyPort = 0;
    ProfileEditorController editor(ui, ui.gate, stored, false);
    EXPECT_EQ(editor.form().proxyPort, "");  // 0 shows empty
    EXPECT_FALSE(editor.nameEditable());
    for (const auto& [text, port] : std::vector<std::pair<std::string, int32_t>>{{"80a9", 80}, {"", 0}, {"x", 0}, {"8080", 8080}}) {
        editor.form().proxyPort = text;
        EXPECT_EQ(editor.profile().proxyPort, port) << text;
    }
    editor.form().proxyType = 2;
    EXPECT_EQ(editor.profile().proxyType, 2);
}

TEST(ProfileEditor, RefusesWhatWouldBreakTheToolsCommandLine) {
    test::ScriptedAccountUi ui;
    AccountProfile p = test::sandboxProfile("Main");
    p.password = "pa\"ss";
    ProfileEditorController editor(ui, ui.gate, p, false);
    EXPECT_FALSE(editor.save());
    EXPECT_EQ(editor.focusField(), ProfileField::Password);
    EXPECT_EQ(ui.lastMessage().caption, "Invalid input");
    EXPECT_EQ(ui.lastMessage().icon, Icon::Warning);
    editor.form().password = "pass";
    EXPECT_TRUE(editor.save());
}

TEST(RenameProfile, OkNeedsAName) {
    EXPECT_FALSE(renameAccepted(""));
    EXPECT_TRUE(renameAccepted("x"));
}

}  // namespace
}  // namespace pw::ui
