// The change list and the keyword types chooser as the user sees them: rows,
// a parent's children following its selection, OK following the selection
// and the check boxes, and the focus on a refused amount.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "tests/ui/account/scriptedaccountui.h"
#include "ui/account/changelistdialog.h"
#include "ui/account/keywordtypesdialog.h"

namespace pw::ui {
namespace {

const std::vector<std::string> kLines = {
    R"(Google/pwram -action=createCampaign -name="Spring" -outfile="pwr_ga.out")",
    R"(Google/pwram -batch=true -inFile="7.in" -todo=UploadGroups -parent -name="Spring" -outfile="pwr_ga.out")",
    R"(Google/pwram -action=createAdGroup -child -name="shoes" -outfile="pwr_ga.out")",
    R"(Google/pwram -action=createAdGroup -child -name="boots" -outfile="pwr_ga.out" -failed)",
    R"(Google/pwram -action=createAdGroup -name="hats" -outfile="pwr_ga.out")",
};

TEST(ChangeListWidget, ChildrenFollowTheirParentAndOkNeedsASelection) {
    CDialogListChanges dialog("Delete uncommited changes", "Delete", kLines, kDefaultBackgroundColor);
    EXPECT_EQ(dialog.windowTitle(), "Delete uncommited changes");
    auto* list = dialog.findChild<QTreeWidget*>("changes");
    auto* ok = dialog.findChild<QPushButton*>("ok");
    ASSERT_TRUE(list && ok);
    EXPECT_EQ(ok->text(), "Delete");
    EXPECT_EQ(ok->toolTip(), "Click here to select these changes");
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->headerItem()->text(0), "Action");
    EXPECT_EQ(list->columnWidth(1), 170);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Upload ad groups");
    EXPECT_EQ(list->topLevelItem(2)->text(0), "|--Create ad group");
    EXPECT_EQ(list->topLevelItem(2)->text(1), "|--shoes");
    EXPECT_EQ(list->topLevelItem(3)->text(2), "YES");
    EXPECT_EQ(list->topLevelItem(4)->text(2), "");
    EXPECT_EQ(dialog.chosen(), kLines);  // all selected at first
    EXPECT_TRUE(ok->isEnabled());

    list->topLevelItem(1)->setSelected(false);  // the parent takes its two children along
    EXPECT_EQ(dialog.chosen(), (std::vector<std::string>{kLines[0], kLines[4]}));
    list->topLevelItem(3)->setSelected(true);  // a child alone goes back to its parent's state
    EXPECT_EQ(dialog.chosen(), (std::vector<std::string>{kLines[0], kLines[4]}));
    list->topLevelItem(1)->setSelected(true);
    EXPECT_EQ(dialog.chosen(), kLines);

    list->clearSelection();
    EXPECT_FALSE(ok->isEnabled());
    list->topLevelItem(4)->setSelected(true);
    EXPECT_TRUE(ok->isEnabled());
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen(), std::vector<std::string>{kLines[4]});
}

TEST(ChangeListWidget, WithoutCallerTextsItIsTheCommitList) {
    CDialogListChanges dialog("", "", {}, kDefaultBackgroundColor);
    EXPECT_EQ(dialog.windowTitle(), "Commit changes");
    EXPECT_FALSE(dialog.findChild<QPushButton*>("ok")->isEnabled());
}

TEST(KeywordTypesWidget, TheBoxesDriveOkAndARefusedAmountGetsTheFocus) {
    test::ScriptedAccountUi ui;
    KeywordTypesController controller(ui, ui.gate, false);
    CDialogSelectKeywordTypes dialog(controller, kDefaultBackgroundColor);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* ok = dialog.findChild<QPushButton*>("ok");
    auto* all = dialog.findChild<QCheckBox*>("all");
    auto* phrase = dialog.findChild<QCheckBox*>("phrase");
    auto* maxCpc = dialog.findChild<QLineEdit*>("maxCpc");
    auto* maxContent = dialog.findChild<QLineEdit*>("maxContentCpc");
    EXPECT_EQ(maxCpc->text(), "0.01");
    EXPECT_FALSE(ok->isEnabled());
    all->click();
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(phrase->isChecked());
    phrase->click();
    EXPECT_FALSE(all->isChecked());
    phrase->click();
    EXPECT_TRUE(all->isChecked());

    maxContent->setText("1.999");
    ok->click();
    EXPECT_EQ(ui.lastMessage().caption, "Invalid input");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), maxContent);
    EXPECT_EQ(maxContent->selectedText(), "1.999");
    maxContent->setText("0.10");
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(controller.choice().maxContentCpc, 10);
    EXPECT_EQ(controller.choice().maxCpc, 1);
}

TEST(KeywordTypesWidget, TypesOnlyLeavesTheBidsDisabled) {
    test::ScriptedAccountUi ui;
    KeywordTypesController controller(ui, ui.gate, true);
    CDialogSelectKeywordTypes dialog(controller, kDefaultBackgroundColor);
    EXPECT_EQ(dialog.windowTitle(), "Set default properties");
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("maxCpm")->isEnabled());
    dialog.findChild<QCheckBox*>("exact")->click();
    dialog.findChild<QPushButton*>("ok")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(controller.choice().exact);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace pw::ui
