#include "ui/main/mainwindowcontroller.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "core/atomicfile.h"
#include "core/filetime.h"
#include "core/listmoves.h"
#include "core/phrasefilters.h"
#include "core/phraselist.h"
#include "core/projectfile.h"
#include "core/text.h"
#include "account/projectupload.h"
#include "core/version.h"
#include "io/spreadsheetimport.h"
#include "io/textimport.h"
#include "ui/main/messages.h"

namespace pw::ui {

std::string mainWindowTitle() { return "Phrasewright - v" + std::string(kProgramVersion); }

MainWindowController::MainWindowController(MainWindowServices services, JobRunner& jobs, Dispatcher& dispatcher,
                                           CommandGate& gate, MenuActions& actions, ProgramFolder folder,
                                           SettingsStore& settings)
    : desktop_(services.desktop),
      dialogs_(services.dialogs),
      groupDialogs_(services.groups),
      adWindows_(services.ads),
      jobs_(jobs),
      dispatcher_(dispatcher),
      folder_(std::move(folder)),
      settings_(settings),
      gate_(gate),
      actions_(actions) {
    skinIndex_ = skinIndexForColor(settings_.values().backgroundColor);
}

// --- state ---

Group& MainWindowController::currentList() {
    Group* list = listOfTab(project_, tab_);
    return list ? *list : project_.mainList;
}
const Group& MainWindowController::currentList() const {
    return const_cast<MainWindowController*>(this)->currentList();
}

std::string MainWindowController::phaseTitle() const { return kPhaseTitles[phase() - 1]; }

std::string MainWindowController::tabCaption(int tab) const {
    if (tab > 0) return project_.groups[tab - 1]->name;
    if (project_.path.empty()) return "Untitled";
    const std::string name = fileNameOf(project_.path);
    return name.size() > 4 ? name.substr(0, name.size() - 4) : name;
}

std::vector<TabInfo> MainWindowController::tabs() const {
    std::vector<TabInfo> out;
    out.push_back({tabCaption(0), kWhite});
    for (size_t i = 0; i < project_.groups.size(); ++i)
        out.push_back({project_.groups[i]->name, groupColorAt(project_, static_cast<int>(i + 1))});
    return out;
}

// While a job runs the list is lent to it: the views show nothing of it.
std::string_view MainWindowController::rowText(size_t row) const {
    return busy() || row >= rows_.size() ? std::string_view() : currentList().phrases[rows_[row]].text();
}
int32_t MainWindowController::rowHits(size_t row) const {
    return busy() || row >= rows_.size() ? 0 : currentList().phrases[rows_[row]].hitCount;
}
Labels MainWindowController::labels() const {
    Labels l;
    l.original = formatCount(project_.importedCount);
    l.edited = formatCount(project_.editedCount);
    // While the worker has the lists the count shown last stays.
    if (!busy()) shownMainListCount_ = visibleCount(project_.mainList.phrases);
    long long current = shownMainListCount_;
    if (phase_ == Phase::Group) current += static_cast<long long>(sideLists_.phraseCount());
    l.current = formatCount(current);
    l.groups = formatCount(static_cast<long long>(project_.groups.size()));
    l.created = project_.createdDate;
    l.modified = project_.modifiedDate;
    l.listCount = "Current count: " + formatCount(static_cast<long long>(rows_.size()));
    l.deleteCount = "Current count: " + formatCount(static_cast<long long>(deleteBox_.count()));
    const Page* list1 = sideLists_.list1();
    const Page* list2 = sideLists_.list2();
    l.list1Count = "Count: " + formatCount(static_cast<long long>(list1 ? list1->size() : 0));
    l.list2Count = "Count: " + formatCount(static_cast<long long>(list2 ? list2->size() : 0));
    l.phase4Count = "Count: " + formatCount(static_cast<long long>(keywordRows_.size()));
    l.phase4OverGroupLimit = keywordRows_.size() > kMaxUploadKeywords;
    if (l.phase4OverGroupLimit)
        l.phase4Count += " - more than the " + formatCount(static_cast<long long>(kMaxUploadKeywords)) +
                         " keywords an ad group takes";
    return l;
}

std::optional<int> MainWindowController::takeRowToSelect() { return std::exchange(rowToSelect_, std::nullopt); }
Focus MainWindowController::takeFocus() { return std::exchange(focus_, Focus::None); }

void MainWindowController::notify(unsigned changes) {
    if (onChange_) onChange_(changes);
}

void MainWindowController::showStatus(const std::string& text) {
    status_ = {text, true, 0};
    notify(kStatus);
}

void MainWindowController::hideStatus() {
    status_.visible = false;
    notify(kStatus);
}

void MainWindowController::runJob(const std::string& statusText, std::function<void(const ProgressFn&)> work,
                                  std::function<void(bool ok)> done) {
    showStatus(statusText);
    notify(kRows | kDeleteBox);
    auto lastPercent = std::make_shared<std::atomic<int>>(-1);
    ProgressFn progress = [this, lastPercent](int percent) {
        if (lastPercent->exchange(percent) == percent) return;
        dispatcher_.post([this, percent] {
            status_.progress = percent;
            notify(kStatus);
        });
    };
    jobs_.start([work = std::move(work), progress = std::move(progress)] { work(progress); },
                [this, done = std::move(done)](bool ok) {
                    hideStatus();
                    gate_.run(Needs::Nothing, [&] {
                        if (done) done(ok);
                        if (!ok) throw std::runtime_error("list job failed");
                    });
                    refill();
                    notify(kRows | kDeleteBox | kLabels);
                });
}

// Rows of the list view and the 'Delete' box, from the current list.
void MainWindowController::refill() {
    if (busy()) return;
    const PhraseList& list = currentList().phrases;
    rows_ = visiblePositions(list);
    deleteBox_.refill(sideLists_.holdPhrases());
    notify(kRows | kDeleteBox | kLabels);
}

// --- the project ---

// A project named on the command line is opened, never created: a path
// without a file says so and offers the chooser.
void MainWindowController::start(const std::string& startupPath) {
    const std::string path(trimSpaces(startupPath));
    if (path.empty()) return;
    if (!fileExists(path)) {
        desktop_.message(projectLoadFailed(LoadCode::CannotOpen));
        showChooser();
        return;
    }
    openPath(path);
}

void MainWindowController::showChooser() {
    command(Needs::Lists, [&] {
        const std::optional<std::string> chosen = dialogs_.chooseProject();
        if (!chosen) {
            if (onQuit_) onQuit_();
            return;
        }
        openPath(*chosen);
    });
}

void MainWindowController::resetToEmpty() {
    if (projectLeaving_) projectLeaving_();
    session_.reset();
    sideLists_.clear();
    rows_.clear();
    deleteBox_.clear();
    keywordRows_.clear();
    tab_ = 0;
    phase_ = Phase::Filter;
    status_.visible = false;
    notify(kEverything);
}

// A project whose file does not exist yet starts empty and is saved at once;
// any other is loaded on the worker into a project of its own, and the open
// one stays as it is until that has loaded.
void MainWindowController::openPath(const std::string& path) {
    if (fileExists(path)) {
        loadProject(path);
        return;
    }
    resetToEmpty();
    project_.path = path;
    prepareWindow();
}

void MainWindowController::prepareWindow() {
    if (project_.createdDate.empty()) project_.createdDate = todayLocalDate();
    project_.modifiedDate = todayLocalDate();
    filters_.restore();
    refill();
    // A new project is listed among the recent ones only once it is opened again.
    if (project_.path.empty()) saveAndShow(false);
    else if (session_.saveTo(project_.path)) showStatus("Project saved!");
    notify(kEverything);
}

// The previous project stays as it was until the new one has loaded whole.
void MainWindowController::loadProject(const std::string& path) {
    auto loaded = std::make_shared<Project>();
    loaded->path = path;
    auto code = std::make_shared<LoadCode>(LoadCode::Loaded);
    runJob(
        "Loading project...", [loaded, code](const ProgressFn& progress) { *code = pw::loadProject(*loaded, progress); },
        [this, loaded, code](bool ok) {
            if (!ok) return;
            if (*code != LoadCode::Loaded) {
                desktop_.message(projectLoadFailed(*code));
                resetToEmpty();
                showChooser();
                return;
            }
            resetToEmpty();
            session_.adopt(std::move(*loaded));
            filters_.restore();
            notify(kEverything);
        });
}

void MainWindowController::clearSavedNotice() {
    if (!std::exchange(savedNoticeShown_, false) || busy()) return;
    hideStatus();
}

bool MainWindowController::saveAndShow(bool saveAs) {
    sideLists_.putBack();
    filters_.keep();
    const bool saved = saveAs ? session_.saveAs() : session_.save();
    if (saved) showStatus("Project saved!");
    savedNoticeShown_ = saved;
    notify(kTabs | kLabels | kStatus);
    return saved;
}

void MainWindowController::newProject() {
    command(Needs::Lists, [&] {
        sideLists_.putBack();
        if (!askToSave()) return;
        const std::optional<std::string> path = session_.askNewProject();
        if (!path) return;
        openPath(*path);
    });
}

void MainWindowController::openProject() {
    command(Needs::Lists, [&] {
        sideLists_.putBack();
        if (!askToSave()) return;
        const std::optional<std::string> path = session_.askProjectToOpen();
        if (!path) return;
        openPath(*path);
    });
}

bool MainWindowController::saveProject() {
    bool saved = false;
    command(Needs::Lists, [&] { saved = saveAndShow(false); });
    return saved;
}

bool MainWindowController::saveProjectAs() {
    bool saved = false;
    command(Needs::Lists, [&] { saved = saveAndShow(true); });
    return saved;
}

// Work elsewhere that needs the project (a running upload) says so and keeps it open.
bool MainWindowController::refusedToClose() {
    if (!closeRefusal_) return false;
    const std::optional<Message> refusal = closeRefusal_();
    if (refusal) desktop_.message(*refusal);
    return refusal.has_value();
}

void MainWindowController::closeProject() {
    command(Needs::Lists, [&] {
        if (refusedToClose()) return;
        sideLists_.putBack();
        if (!askToSave()) return;
        resetToEmpty();
        showChooser();
    });
}

bool MainWindowController::exitProgram() {
    bool leaving = false;
    command(Needs::Lists, [&] {
        if (refusedToClose()) return;
        sideLists_.putBack();
        if (!askToSave()) return;
        leaving = true;
        if (onQuit_) onQuit_();
    });
    return leaving;
}

// --- tabs and phases ---

void MainWindowController::selectTab(int tab) {
    if (tab < 0 || tab > static_cast<int>(project_.groups.size()) || tab == tab_) return;
    if (!command(Needs::Lists, [&] {
            sideLists_.putBack();
            filters_.keep();
            showTab(tab);
        }))
        notify(kTabs);
}

// Shows the list of the tab: phase 4 ends on the main list and starts
// afresh on another group; the list's filters go back into the controls.
void MainWindowController::showTab(int tab) {
    tab_ = tab;
    if (phase_ == Phase::Ads && tab == 0) phase_ = Phase::Filter;
    else if (phase_ == Phase::Ads) startPhase4OnList();
    filters_.restore();
    refill();
    // Another list shows from its top, never at a row of the list shown before.
    notify(kTabs | kPhase | kPhase4 | kScrollToTop);
}

void MainWindowController::goToPhase(int phase) {
    if (phase < 1 || phase > kPhaseCount || phase == this->phase()) return;
    command(Needs::Lists, [&] {
        if (phase == static_cast<int>(Phase::Ads) && tab_ == 0) {
            desktop_.message(kNoPhase4OnMainList);
            return;
        }
        sideLists_.putBack();
        phase_ = static_cast<Phase>(phase);
        if (phase_ == Phase::Ads) startPhase4OnList();
        notify(kPhase | kLabels | kPhase4);
    });
}

void MainWindowController::rowDoubleClicked(int row, const std::vector<int>& selectedRows) {
    switch (phase_) {
    case Phase::Filter: filters_.feedIgnoreBox(row); break;
    case Phase::Delete: deleteBox_.moveToDeleteBox({row}); break;
    case Phase::Group: sideLists_.moveToList1(selectedRows); break;
    case Phase::Ads: break;
    }
}

void MainWindowController::deleteKeyPressed(const std::vector<int>& selectedRows) {
    if (phase_ == Phase::Delete) deleteBox_.moveToDeleteBox(selectedRows);
}

void MainWindowController::startPhase4OnList() {
    forms_ = {};
    ads_.reset();
    refreshKeywordRows();
}

void MainWindowController::refreshKeywordRows() {
    keywordRows_ = tab_ > 0 ? pw::keywordRows(currentList(), forms_, notation_) : std::vector<std::string>{};
    notify(kPhase4 | kLabels);
}

void MainWindowController::formsChanged() {
    command(Needs::Nothing, [&] { refreshKeywordRows(); });
}

bool MainWindowController::askToSave() {
    filters_.keep();
    return session_.askToSave();
}

void MainWindowController::setForms(KeywordForms shown, KeywordNotation shownNotation) {
    forms_ = shown;
    notation_ = shownNotation;
    formsChanged();
}

// --- import and export ---

namespace {
const FileFilter kImportFilters[] = {
    {"Text files (*.txt)", "*.txt"},
    {"CSV files (*.csv)", "*.csv"},
    {"Excel files (*.xls)", "*.xls"},
    {"Spreadsheets (*.xlsx, *.ods)", "*.xlsx;*.ods"},
    {"All supported types (*.txt, *.csv, *.xls, *.xlsx, *.ods)", "*.csv;*.txt;*.xls;*.xlsx;*.ods"},
    {"All files (*.*)", "*.*"},
};

// The save dialog of a list export starts on the tab's caption, cut short.
constexpr size_t kExportNameCharacters = 62;
std::string exportName(std::string_view caption) { return std::string(clipToCharacters(caption, kExportNameCharacters)); }

// One file of an import being read on the worker: the lent target list and
// the counts it adds.
struct ReadJob {
    Group target;
    Project counts;
    PlannedFile file;
    ImportReport report;
};
}  // namespace

// "Import list": several text and CSV files, or one spreadsheet whose sheet
// the user picks. Each file is detected, its columns chosen and read before
// the next one starts.
void MainWindowController::importList() {
    command(Needs::Lists, [&] {
        const std::vector<std::string> files =
            desktop_.openFiles({{std::begin(kImportFilters), std::end(kImportFilters)}, "", true});
        if (files.empty()) return;
        const bool anyXls = std::any_of(files.begin(), files.end(), [](const std::string& f) {
            return f.find(".xls") != std::string::npos || isSpreadsheetFile(f);
        });
        if (files.size() > 1 && anyXls) {
            desktop_.message(kCannotImportSeveralXls);
            return;
        }
        project_.modified = true;
        if (isSpreadsheetFile(files.front())) importSpreadsheet(files.front());
        else importNextFile(files, 0);
    });
}

// Every sheet goes to a CSV file on the worker; the chosen one is imported.
void MainWindowController::importSpreadsheet(const std::string& path) {
    auto conversion = std::make_shared<SpreadsheetConversion>();
    const std::string base = folder_.file(kSpreadsheetCsvBaseName);
    runJob(
        "Loading list into memory...",
        [conversion, path, base, driver = spreadsheetDriverSetting(folder_)](const ProgressFn&) {
            *conversion = convertSpreadsheet(path, base, driver);
        },
        [this, conversion, path, base](bool ok) {
            if (!ok) return;
            if (conversion->result != ConvertResult::Success) {
                desktop_.message(spreadsheetFailed(conversion->result));
                return;
            }
            std::vector<std::string> shown;
            for (const std::string& name : conversion->sheetNames) shown.push_back(sheetDisplayName(name));
            const std::optional<int> sheet = dialogs_.chooseSheet(fileNameOf(path), shown);
            if (!sheet || *sheet < 0 || *sheet >= conversion->sheetCount()) return;
            importNextFile({spreadsheetCsvPath(base, *sheet)}, 0);
        });
}

// Detects the columns of file `index` on the worker, asks for them here when
// the file has three or more, then reads it.
void MainWindowController::importNextFile(std::vector<std::string> files, size_t index) {
    if (index >= files.size()) return;
    auto layout = std::make_shared<std::optional<ListLayout>>();
    const std::string path = files[index];
    runJob(
        "Loading list into memory...", [layout, path](const ProgressFn&) { *layout = detectLayout(path); },
        [this, layout, files = std::move(files), index](bool ok) mutable {
            if (!ok) return;
            const std::string& path = files[index];
            std::optional<ImportColumns> columns;
            if (*layout && (*layout)->columns.count > 0) {
                columns = automaticColumns(**layout);
                if (!columns) columns = dialogs_.chooseColumns(fileNameOf(path), (*layout)->columns);
            } else {
                desktop_.message(importFailed(ImportProblem::InvalidFileType));
            }
            if (!columns) {
                importNextFile(std::move(files), index + 1);  // the file is skipped
                return;
            }
            readImportFile(std::move(files), index, *columns);
        });
}

void MainWindowController::readImportFile(std::vector<std::string> files, size_t index, ImportColumns columns) {
    auto job = std::make_shared<ReadJob>();
    job->file = {files[index], columns, ImportProblem::None};
    Group* target = &currentList();
    job->target = lendList(*target);
    runJob(
        "Loading list into memory...",
        [job](const ProgressFn& progress) { job->report = runImport(job->counts, job->target, {job->file}, progress); },
        [this, target, job, files = std::move(files), index](bool ok) mutable {
            returnList(*target, std::move(job->target));
            project_.importedCount += job->counts.importedCount;
            project_.editedCount += job->counts.editedCount;
            if (!ok) return;
            if (job->report.problem == ImportProblem::ErrorImporting) {
                desktop_.message(importFailed(job->report.problem));
                return;
            }
            importNextFile(std::move(files), index + 1);
        });
}

bool MainWindowController::exportMenuAllowed() {
    if (busy()) {
        desktop_.doubleBeep();
        return false;
    }
    if (!rows_.empty()) return true;
    desktop_.message(kNothingToExport);
    return false;
}

void MainWindowController::exportListText() {
    command(Needs::Lists, [&] {
        if (const std::optional<std::string> path = exports_.askPath(kTextFiles, exportName(tabCaption(tab_))))
            exports_.write(*path, listAsText(visibleRows(currentList())), &kListExported);
    });
}

void MainWindowController::exportListCsv() {
    command(Needs::Lists, [&] {
        const Answer withHits = desktop_.message(kExportHitCounts);
        if (withHits == Answer::Cancel) return;
        if (const std::optional<std::string> path = exports_.askPath(kCsvFiles, exportName(tabCaption(tab_))))
            exports_.write(*path, listAsCsv(visibleRows(currentList()), withHits == Answer::Yes), &kListExported);
    });
}

void MainWindowController::exportGroupNames() {
    command(Needs::Lists, [&] {
        if (project_.groups.empty()) {
            desktop_.message(kNoGroupsToExport);
            return;
        }
        if (const std::optional<std::string> path = exports_.askPath(kTextFiles, ""))
            exports_.write(*path, groupNamesAsText(project_), &kGroupsExported);
    });
}

void MainWindowController::copyKeywordsToClipboard() {
    command(Needs::Nothing, [&] { desktop_.setClipboardText(keywordRowsForClipboard(keywordRows_)); });
}

void MainWindowController::copyRows(const std::vector<int>& rows) {
    if (busy()) return;
    command(Needs::Lists, [&] {
        std::string text;
        for (int r : rows)
            if (r >= 0 && static_cast<size_t>(r) < rows_.size()) text.append(rowText(r)).append("\r\n");
        desktop_.setClipboardText(text);
    });
}

void MainWindowController::addPhrases() {
    command(Needs::Lists, [&] {
        const std::optional<std::string> text = dialogs_.askText({"Add search phrase", "Enter phrases:", "", true});
        if (!text) return;
        Group& list = currentList();
        int added = 0;
        for (std::string_view line : splitAny(*text, "\r\n")) {
            Phrase phrase(line, 1);
            if (phrase.text().empty()) continue;
            appendPhrase(list, std::move(phrase));
            ++added;
        }
        project_.importedCount += added;
        project_.editedCount += added;
        project_.modified = true;
        refill();
    });
}

int MainWindowController::typeAhead(const std::string& text) {
    if (busy()) return -1;
    int row = -1;
    command(Needs::Lists, [&] {
        row = bestPrefixMatch(currentList().phrases, text);
        if (row >= 0) {
            rowToSelect_ = row;
            notify(kSelection);
        }
    });
    return row;
}

// --- skin and settings ---

bool MainWindowController::autoUpdateCheck() const { return settings_.values().autoUpdateCheck; }
void MainWindowController::setAutoUpdateCheck(bool on) { settings_.setAutoUpdateCheck(on); }

void MainWindowController::chooseSkin(int index) {
    command(Needs::Nothing, [&] {
        if (index >= 0 && index < kSkinPresetCount) {
            settings_.setBackgroundColor(kSkinPresets[index].color());
            skinIndex_ = index;
        } else if (const std::optional<uint32_t> color = desktop_.pickColor(settings_.values().backgroundColor)) {
            settings_.setBackgroundColor(*color);
            skinIndex_ = skinIndexForColor(*color);
        } else {
            skinIndex_ = skinIndexForColor(settings_.values().backgroundColor);
        }
        notify(kSkin);
    });
}

// --- menus ---

void MainWindowController::runMenuAction(MenuId id) {
    // What features plug in mostly opens windows that read the project:
    // those are refused while a list job changes it; all are guarded.
    clearSavedNotice();
    gate_.run(actions_.needs(id), [&] { actions_.run(id); });
}

void MainWindowController::markModified() {
    project_.modified = true;
    notify(kLabels);
}

std::vector<MenuItem> MainWindowController::menus() {
    // An item whose action a feature supplies.
    auto provided = [this](std::string text, MenuId id) {
        MenuItem item = menuItem(std::move(text), {});
        item.id = id;
        if (actions_.provided(id)) item.run = [this, id] { runMenuAction(id); };
        return item;
    };

    std::vector<MenuItem> sortGroupItems;
    const std::pair<const char*, GroupOrder> orders[] = {{"&Alphabetically", GroupOrder::Alphabetical},
                                                         {"By number of &phrases", GroupOrder::PhraseCount},
                                                         {"By last &modified", GroupOrder::LastModified},
                                                         {"By color", GroupOrder::Color}};
    for (const auto& [text, order] : orders) sortGroupItems.push_back(menuItem(text, [this, order = order] { groups_.sortGroups(order); }));

    std::vector<MenuItem> toolItems;
    for (int p = 1; p <= kPhaseCount; ++p)
        toolItems.push_back(menuItem("Go to phase &" + std::to_string(p), [this, p] { goToPhase(p); }));
    toolItems.push_back(menuSeparator());
    toolItems.push_back(provided("Search top &Google ads", MenuId::SearchTopAds));
    toolItems.push_back(provided("Manage your Google &account", MenuId::ManageAccount));
    toolItems.push_back(provided("Manage your Google &profile", MenuId::ManageProfile));
    toolItems.push_back(provided("&Research tool", MenuId::ResearchTool));

    MenuItem autoCheck = menuItem("Automatically check for updates", {});
    autoCheck.checked = [this] { return autoUpdateCheck(); };
    autoCheck.toggle = [this](bool on) { setAutoUpdateCheck(on); };
    // The three documentation pages come with the manual; greyed until then.
    std::vector<MenuItem> helpItems{provided("&User manual", MenuId::UserManual),
                                    provided("&View tutorials", MenuId::ViewTutorials),
                                    provided("&Phrasewright online", MenuId::PhrasewrightOnline),
                                    menuSeparator(),
                                    provided("Check for &updates now", MenuId::CheckForUpdates),
                                    autoCheck,
                                    menuSeparator(),
                                    provided("&About", MenuId::About)};

    MenuItem quillmark = subMenu("&Quillmark", {provided("&Tokenize web page...", MenuId::QuillmarkTokenize),
                                                provided("Set web page &default values...",
                                                         MenuId::QuillmarkDefaultValues)});
    return {
        subMenu("&File", {menuItem("&New project", [this] { newProject(); }, "Ctrl+N"),
                          menuItem("&Open project...", [this] { openProject(); }, "Ctrl+O"),
                          menuItem("&Save project", [this] { saveProject(); }, "Ctrl+S"),
                          menuItem("Save project &as...", [this] { saveProjectAs(); }), menuSeparator(),
                          menuItem("&Close project", [this] { closeProject(); }), menuSeparator(),
                          menuItem("E&xit Phrasewright", [this] { exitProgram(); }, "Ctrl+Q")}),
        subMenu("&Edit", {menuItem("&Import list...", [this] { importList(); }),
                          subMenu("&Export list", {menuItem("As &CSV...", [this] { exportListCsv(); }),
                                                   menuItem("As &TXT...", [this] { exportListText(); })}),
                          menuItem("&Export groups as TXT...", [this] { exportGroupNames(); })}),
        subMenu("&View", {subMenu("&Sort groups", sortGroupItems), menuItem("&Find group...", [this] { groups_.promptFindGroup(); })}),
        subMenu("&Tools", toolItems),
        subMenu("&Plugins", {quillmark, provided("&Folioforge", MenuId::Folioforge)}),
        subMenu("&Help", helpItems),
    };
}

}  // namespace pw::ui
