// "Manage Ad Groups" as the user sees it, on a sandbox account: it fits a
// 1024×700 screen, and the keyword bid field follows the caret through
// key presses in the box, down to the keyword file that "Save" queues.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <chrono>
#include <thread>

#include "account/accountcaches.h"
#include "core/atomicfile.h"
#include "tests/ui/account/sandboxadgroup.h"
#include "ui/account/adgroupmanagerdialog.h"

namespace pw::ui {
namespace {

TEST(AdGroupManagerWidget, TheBidFieldFollowsTheCaretAndItsBidIsSaved) {
    adGroupCache().clear();
    pw::test::SandboxFolder sandbox;
    SettingsStore settings(sandbox.folder());
    const test::SandboxAdGroup made =
        test::makeSandboxAdGroup(sandbox, settings, {{"red shoes", MatchType::Broad, 40}, {"red shoes", MatchType::Exact, 90}});
    const int32_t campaignId = made.campaignId;

    test::ScriptedAccountUi ui;
    auto dispatcher = std::make_shared<test::ManualDispatcher>();
    std::vector<std::string> queued;
    AdGroupManagerController controller({ui, ui, ui, ui}, sandbox.folder(), settings, dispatcher,
                                        [&](const std::string& line) {
                                            queued.push_back(line);
                                            return true;
                                        },
                                        nullptr, campaignId, "Spring");
    CDialogManageAdGroups dialog(controller, kDefaultBackgroundColor);
    const QSize least = dialog.minimumSizeHint();
    EXPECT_LE(least.width(), 1024);
    EXPECT_LE(least.height(), 700);
    auto settle = [&] {
        for (int i = 0; i < 2000 && controller.reading(); ++i) {
            dispatcher->runAll();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_FALSE(controller.reading());
    };
    ASSERT_TRUE(controller.open());
    settle();
    auto* groups = dialog.findChild<QTreeWidget*>("adGroups");
    ASSERT_EQ(groups->topLevelItemCount(), 1);
    groups->setCurrentItem(groups->topLevelItem(0));
    auto* load = dialog.findChild<QPushButton*>("loadKeywords");
    ASSERT_TRUE(load->isEnabled());
    EXPECT_EQ(load->toolTip(), "Click here to reload this ad group's keywords from Google");
    load->click();
    settle();

    auto* box = dialog.findChild<QPlainTextEdit*>("keywords");
    auto* bid = dialog.findChild<QLineEdit*>("keywordBid");
    ASSERT_TRUE(box->isEnabled());
    EXPECT_EQ(box->toPlainText(), "red shoes\n[red shoes]");
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);  // the caret on "[red shoes]"
    EXPECT_EQ(bid->text(), "0.90");
    EXPECT_TRUE(bid->isEnabled());
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(bid->text(), "0.40");
    bid->selectAll();
    QTest::keyClicks(bid, "0.55");
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(bid->text(), "0.00");
    EXPECT_FALSE(bid->isEnabled());  // an empty line
    QTest::keyClicks(box, "boots");
    EXPECT_EQ(bid->text(), "0.00");
    EXPECT_TRUE(bid->isEnabled());
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bid->text(), "0.55");

    dialog.findChild<QPushButton*>("saveKeywords")->click();
    ASSERT_EQ(queued.size(), 1u);
    const size_t start = queued[0].find("-keywordFile=\"") + 14;
    std::string text;
    ASSERT_TRUE(readWholeFile(queued[0].substr(start, queued[0].find('"', start) - start), text));
    EXPECT_EQ(text, "red shoes/Broad/550000;red shoes/Exact/900000;boots/Broad/0");
    dialog.reject();
    adGroupCache().clear();
}

}  // namespace
}  // namespace pw::ui

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
