// The profile chooser and editor as the user sees them: the rows, the
// "Default" column, and the buttons and fields that follow the selection and
// what is typed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "tests/testsupport.h"
#include "tests/ui/account/scriptedaccountui.h"
#include "ui/account/profiledialogs.h"

namespace pw::ui {
namespace {

TEST(ProfileChooserWidget, ShowsRowsAndEnablesRowButtonsWithASelection) {
    pw::test::TempFolder temp;
    ProgramFolder folder(temp.path());
    SettingsStore settings(folder);
    createGoogleFolder(folder);
    AccountProfile p;
    p.name = "x";
    for (const char* name : {"Main", "Other"}) saveProfile(p, profilePath(folder, name));
    settings.setDefaultProfile("Other");
    test::ScriptedAccountUi ui;
    ProfileChooserController controller(ui, ui.gate, ui, folder, settings);
    CDialogSelectGoogleAccount dialog(controller, kDefaultBackgroundColor);

    auto* list = dialog.findChild<QTreeWidget*>("profiles");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(1), "YES");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "");
    auto* setDefault = dialog.findChild<QPushButton*>("setDefault");
    EXPECT_FALSE(setDefault->isEnabled());
    EXPECT_EQ(setDefault->toolTip(), "Click here to set the default Google profile");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(setDefault->isEnabled());
    setDefault->click();
    EXPECT_EQ(list->topLevelItem(0)->text(1), "YES");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "");
    EXPECT_EQ(settings.values().defaultProfile, "Main");
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(0xB8, 0xC8, 0xDC));
}

TEST(ProfileEditorWidget, SaveAndProxyFieldsFollowWhatIsTyped) {
    test::ScriptedAccountUi ui;
    ProfileEditorController controller(ui, ui.gate, test::sandboxProfile("Main"), false);
    CDialogEditGoogleAccount dialog(controller, kDefaultBackgroundColor);
    auto* name = dialog.findChild<QLineEdit*>("name");
    auto* token = dialog.findChild<QLineEdit*>("token");
    auto* address = dialog.findChild<QLineEdit*>("proxyAddress");
    auto* save = dialog.findChild<QPushButton*>("save");
    EXPECT_FALSE(name->isEnabled());  // an existing profile keeps its name
    EXPECT_TRUE(save->isEnabled());
    token->clear();
    EXPECT_FALSE(save->isEnabled());
    token->setText("tk2");
    EXPECT_FALSE(address->isEnabled());
    dialog.findChild<QCheckBox*>()->setChecked(true);
    EXPECT_TRUE(address->isEnabled());
    save->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(controller.profile().token, "tk2");
    EXPECT_TRUE(controller.profile().useProxy);
}

}  // namespace
}  // namespace pw::ui

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
