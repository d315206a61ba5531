#include "app/gui/screenshottour.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QTableView>
#include <QThread>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QComboBox>

#include "io/recentprojects.h"
#include "ui/ads/addialogs.h"
#include "ui/ads/dialogeditad.h"
#include "ui/main/dialogmain.h"
#include "ui/main/projectchooser.h"
#include "ui/ads/adeditorcontroller.h"
#include "ui/ads/managelistscontroller.h"
#include "ui/main/projectchoosercontroller.h"

namespace pw::app {

namespace {
struct TourAd {
    int network;
    const char* title;
    const char* line1;
    const char* line2;
    const char* url;
};
constexpr TourAd kTourAds[] = {
    {0, "Hotels in Paris", "Central rooms from $49 a night", "Free cancellation on most stays", "www.example.com/paris"},
    {3, "Last Minute Hotel Deals", "Save up to 40% on hotels in Rome, Paris and London this weekend. Book now, pay at the hotel.", "", "www.example.com/deals"},
    {0, "3 Star Hotels", "Clean, quiet and close to the sights", "Compare prices from 200 sites", "www.example.com/3-star"},
};

void typeInto(QWidget* dialog, const char* name, const QString& text) {
    if (auto* line = dialog->findChild<QLineEdit*>(name)) line->insert(text);
    else if (auto* box = dialog->findChild<QPlainTextEdit*>(name)) box->setPlainText(text);
}
}  // namespace

std::optional<ui::AdEditResult> TourAdWindows::editAd(const ui::AdEditRequest& request) {
    const TourAd& t = kTourAds[ads_ % std::size(kTourAds)];
    ui::QtDesktop desktop;
    ui::AdEditorController controller(desktop, gate_, actions_, request);
    ui::CDialogEditAd dialog(controller, *this, request.group);
    desktop.bind(&dialog);
    dialog.show();
    dialog.findChild<QComboBox*>("network")->setCurrentIndex(t.network);
    typeInto(&dialog, "title", t.title);
    typeInto(&dialog, t.network == 0 ? "text1" : "description", t.line1);
    typeInto(&dialog, "text2", t.line2);
    typeInto(&dialog, "displayUrl", t.url);
    QApplication::processEvents();
    if (ads_ < 2) dialog.grab().save(pictures_ + (ads_ == 0 ? "/5-ad-editor-google.png" : "/6-ad-editor-yahoo.png"));
    ++ads_;
    if (!controller.save()) return std::nullopt;
    return controller.result();
}

bool TourAdWindows::manageAdLists(Group& group) {
    ui::QtDesktop desktop;
    ui::ManageListsController controller(desktop, gate_, group);
    controller.clickPreview(0, 1);
    ui::CDialogManageLists dialog(controller);
    desktop.bind(&dialog);
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(pictures_ + "/8-manage-ads-lists.png");
    controller.move(0);
    return controller.changed();
}

void settle(ui::CDialogMain& window) {
    QElapsedTimer timer;
    timer.start();
    while ((window.controller().busy() || timer.elapsed() < 150) && timer.elapsed() < 20000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// Phase 1 on every preset skin, "Whole words only" greyed and "Update"
// holding the focus: one sheet to check that both read on each skin.
static bool saveSkinSheet(ui::CDialogMain& window, const QString& path) {
    ui::MainWindowController& c = window.controller();
    const int kept = c.skinIndex();
    const FilterSettings keptFilters = c.filtering().filters();
    FilterSettings off = keptFilters;
    off.ignoreOn = false;
    c.goToPhase(1);
    c.filtering().setFilters(off);
    settle(window);
    auto* update = window.findChild<QWidget*>("update");
    if (!update) return false;
    QWidget* page = update->parentWidget();
    window.activateWindow();
    update->setFocus(Qt::TabFocusReason);
    constexpr int kColumns = 2, kCellWidth = 520, kCaption = 22;
    std::vector<QPixmap> cells;
    for (int i = 0; i < kSkinPresetCount; ++i) {
        c.chooseSkin(i);
        settle(window);
        cells.push_back(page->grab().scaledToWidth(kCellWidth, Qt::SmoothTransformation));
    }
    const int cellHeight = cells.front().height() + kCaption;
    QPixmap sheet(kColumns * kCellWidth, (kSkinPresetCount + kColumns - 1) / kColumns * cellHeight);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < kSkinPresetCount; ++i) {
        const QPoint at((i % kColumns) * kCellWidth, (i / kColumns) * cellHeight);
        painter.drawText(QRect(at, QSize(kCellWidth, kCaption)), Qt::AlignCenter,
                         QString::fromUtf8(kSkinPresets[i].name.data(), kSkinPresets[i].name.size()));
        painter.drawPixmap(at + QPoint(0, kCaption), cells[i]);
    }
    painter.end();
    c.chooseSkin(kept);
    c.filtering().setFilters(keptFilters);
    settle(window);
    return sheet.save(path);
}

bool saveScreenshot(ui::CDialogMain& window, const QString& path) {
    settle(window);
    return window.grab().save(path);
}

bool runScreenshotTour(ui::CDialogMain& window, ui::Desktop& desktop, ui::MainDialogs& dialogs,
                       const ProgramFolder& programFolder,
                       const QString& pictureFolder) {
    QDir().mkpath(pictureFolder);
    ui::MainWindowController& c = window.controller();
    bool ok = true;
    auto shot = [&](const char* name) { ok = saveScreenshot(window, pictureFolder + "/" + name) && ok; };

    // Phase 1: ignore words and filters applied.
    FilterSettings filters = c.filtering().filters();
    filters.ignoreOn = true;
    filters.ignoreText = "age\r\nfree\r\ninsurance\r\n";
    filters.duplicates = true;
    filters.unwantedCharacters = true;
    c.filtering().setFilters(filters);
    c.filtering().update();
    settle(window);
    c.filtering().filtersChanged();
    shot("1-phase1-filters.png");

    // Phase 2: two phrases waiting in the 'Delete' box.
    c.goToPhase(2);
    c.deleteBox().moveToDeleteBox({2, 5});
    shot("2-phase2-delete-box.png");

    // Phase 3: hotels into list 1, the Paris ones on into list 2.
    c.goToPhase(3);
    c.sideLists().setPhase3Box(&ui::Phase3Boxes::list1Filter, "hotel");
    c.sideLists().moveToList1({});
    settle(window);
    c.sideLists().setPhase3Box(&ui::Phase3Boxes::list2Filter, "paris");
    c.sideLists().searchList1IntoList2();
    shot("3-phase3-side-lists.png");

    // Phase 4: a group made from list 1, its keywords in all three forms.
    c.sideLists().setPhase3Box(&ui::Phase3Boxes::list1Name, "Hotels");
    c.sideLists().createGroupFromList1();
    settle(window);
    c.selectTab(c.project().groups.empty() ? 0 : 1);
    settle(window);
    c.goToPhase(4);
    c.setForms({true, true, true}, c.notation());
    c.groups().setGroupColor(0, 2);
    shot("4-phase4-keywords.png");

    // Three ads written in the editor, then one moved with the lists manager.
    for (int i = 0; i < 3; ++i) c.ads().newAd();
    c.formsChanged();
    shot("7-phase4-ads.png");
    c.ads().manageLists();

    ok = saveSkinSheet(window, pictureFolder + "/9-skins.png") && ok;

    // The project chooser, with this project among the recent ones.
    addRecentProject(programFolder, c.project().path);
    ui::ProjectChooserController chooserLogic(desktop, dialogs, programFolder);
    ui::ProjectChooser chooser(chooserLogic, &window);
    chooser.show();
    QApplication::processEvents();
    ok = chooser.grab().save(pictureFolder + "/0-project-chooser.png") && ok;
    chooser.close();
    return ok;
}

}  // namespace pw::app
