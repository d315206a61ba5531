#include "ui/main/mainwindowcontroller.h"

#include <memory>
#include <utility>

#include "core/atomicfile.h"
#include "core/filetime.h"
#include "core/listmoves.h"
#include "core/phrasefilters.h"
#include "core/phraselist.h"
#include "core/projectfile.h"
#include "core/text.h"
#include "core/version.h"
#include "io/recentprojects.h"
#include "io/textimport.h"
#include "ui/main/projectchoosercontroller.h"

namespace pw::ui {

namespace {
const FileFilter kProjectFilter{"Phrasewright project files (*.pwj)", "*.pwj"};
const FileFilter kTextFilter{"Text files (*.txt)", "*.txt"};
const FileFilter kCsvFilter{"CSV files (*.csv)", "*.csv"};
const Message kUnknownError{"An unknown error has occured!", "Unknown error", Icon::Error, Buttons::Ok};

bool endsWithIgnoreCase(const std::string& text, std::string_view end) {
    return text.size() >= end.size() && equalsIgnoreCase(std::string_view(text).substr(text.size() - end.size()), end);
}

// A box with one of the texts the import and export code defines.
Message messageOf(std::string_view text, std::string_view caption, Icon icon) {
    return {std::string(text), std::string(caption), icon, Buttons::Ok};
}

}  // namespace

MainWindowController::MainWindowController(UiServices& ui, JobRunner& jobs, Dispatcher& dispatcher,
                                           ProgramFolder folder, SettingsStore& settings)
    : ui_(ui), jobs_(jobs), dispatcher_(dispatcher), folder_(std::move(folder)), settings_(settings) {
    skinIndex_ = skinIndexForColor(settings_.values().backgroundColor);
}

std::string mainWindowTitle() { return "Phrasewright - v" + std::string(kProgramVersion); }

// --- state ---

Group& MainWindowController::currentList() {
    Group* list = listOfTab(project_, tab_);
    return list ? *list : project_.mainList;
}
const Group& MainWindowController::currentList() const {
    return const_cast<MainWindowController*>(this)->currentList();
}

std::string MainWindowController::phaseTitle() const {
    static const char* titles[] = {"Phase 1: Deleting phrases from full list", "Phase 2: Deleting individual keywords",
                                   "Phase 3: Filter into groups", "Phase 4: Write ads & prepare keywords"};
    return titles[phase_ - 1];
}

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

std::string_view MainWindowController::rowText(size_t row) const {
    return busy() || row >= rows_.size() ? std::string_view() : currentList().phrases[rows_[row]].text();
}
int32_t MainWindowController::rowHits(size_t row) const {
    return busy() || row >= rows_.size() ? 0 : currentList().phrases[rows_[row]].hitCount;
}
std::string_view MainWindowController::deleteBoxText(size_t row) const {
    return busy() || row >= deleteRows_.size() ? std::string_view() : currentList().phrases[deleteRows_[row]].text();
}
int32_t MainWindowController::deleteBoxHits(size_t row) const {
    return busy() || row >= deleteRows_.size() ? 0 : currentList().phrases[deleteRows_[row]].hitCount;
}

Labels MainWindowController::labels() const {
    Labels l;
    l.original = formatCount(project_.importedCount);
    l.edited = formatCount(project_.editedCount);
    // While the worker changes the lists the count shown last stays.
    if (!busy()) shownMainListCount_ = visibleCount(project_.mainList.phrases);
    long long current = shownMainListCount_;
    if (phase_ == 3) current += static_cast<long long>(pages_.totalTexts());
    l.current = formatCount(current);
    l.groups = formatCount(static_cast<long long>(project_.groups.size()));
    l.created = project_.createdDate;
    l.modified = project_.modifiedDate;
    l.listCount = "Current count: " + std::to_string(rows_.size());
    l.deleteCount = "Current count: " + formatCount(static_cast<long long>(deleteRows_.size()));
    l.list1Count = "Count: " + std::to_string(list1() ? list1()->size() : 0);
    l.list2Count = "Count: " + std::to_string(list2() ? list2()->size() : 0);
    l.phase4Count = "Count: " + std::to_string(keywordRows_.size());
    return l;
}

bool MainWindowController::list1CreateEnabled() const { return !boxes.list1Name.empty() && list1AddEnabled(); }
bool MainWindowController::list2CreateEnabled() const { return !boxes.list2Name.empty() && list2AddEnabled(); }
bool MainWindowController::list1AddEnabled() const { return list1() && !list1()->empty(); }
bool MainWindowController::list2AddEnabled() const { return list2() && !list2()->empty(); }

std::optional<int> MainWindowController::takeRowToSelect() { return std::exchange(rowToSelect_, std::nullopt); }
Focus MainWindowController::takeFocus() { return std::exchange(focus_, Focus::None); }

void MainWindowController::notify(unsigned changes) {
    if (onChange) onChange(changes);
}

bool MainWindowController::refuseWhenBusy() {
    if (!jobs_.busy()) return false;
    ui_.doubleBeep();
    return true;
}

void MainWindowController::showStatus(const std::string& text) {
    status_ = {text, true, 0};
    notify(kStatus);
}

void MainWindowController::hideStatus() {
    status_.visible = false;
    notify(kStatus);
}

// Runs a list job on the worker with the status text and progress bar; the
// view shows nothing of the lists until it is done.
void MainWindowController::runJob(const std::string& statusText, std::function<void(const ProgressFn&)> work,
                                  std::function<void()> done) {
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
    jobs_.start(
        [this, work = std::move(work), progress = std::move(progress)] {
            try {
                work(progress);
            } catch (const std::exception&) {
                dispatcher_.post([this] { ui_.message(kUnknownError); });
            }
        },
        [this, done = std::move(done)] {
            if (done) done();
            notify(kRows | kDeleteBox | kLabels);
        });
}

// Rows of the list view and the 'Delete' box, from the current list.
void MainWindowController::refill() {
    const PhraseList& list = currentList().phrases;
    rows_ = visiblePositions(list);
    deleteRows_ = pages_.empty() ? setAsidePositions(list) : std::vector<uint32_t>{};
    notify(kRows | kDeleteBox | kLabels);
}

void MainWindowController::restoreFilterControls() {
    filters = storedFilterSettings(currentList());
    updateFlashing = false;
    notify(kFilters);
}

// --- the project ---

void MainWindowController::start(const std::string& startupPath) {
    const std::string path(trimSpaces(startupPath));
    if (path.empty()) return;
    project_.path = path;
    prepareWindow();
}

void MainWindowController::showChooser() {
    const std::optional<std::string> chosen = ui_.chooseProject();
    if (!chosen) {
        if (onQuit) onQuit();
        return;
    }
    resetToEmpty();
    project_.path = *chosen;
    prepareWindow();
}

void MainWindowController::resetToEmpty() {
    resetProject(project_);
    pages_.clear();
    pagePosition_ = 0;
    rows_.clear();
    deleteRows_.clear();
    keywordRows_.clear();
    boxes = {};
    tab_ = 0;
    phase_ = 1;
    status_.visible = false;
    notify(kEverything);
}

// A project whose file does not exist yet starts empty and is saved at once.
void MainWindowController::prepareWindow() {
    phase_ = 1;
    tab_ = 0;
    notify(kPhase | kTabs);
    if (project_.path.empty() || !fileExists(project_.path)) {
        if (project_.createdDate.empty()) project_.createdDate = todayLocalDate();
        project_.modifiedDate = todayLocalDate();
        restoreFilterControls();
        refill();
        // A new project is listed among the recent ones only once it is opened again.
        if (project_.path.empty()) saveProject();
        else saveTo(project_.path);
        notify(kEverything);
        return;
    }
    loadProject();
}

void MainWindowController::loadProject() {
    auto code = std::make_shared<int>(kLoaded);
    runJob(
        "Loading project...", [this, code](const ProgressFn& progress) { *code = pw::loadProject(project_, progress); },
        [this, code] {
            if (*code != kLoaded) {
                const LoadMessage m = loadMessage(*code);
                hideStatus();
                ui_.message({std::string(m.text), std::string(m.title), Icon::Warning, Buttons::Ok});
                resetToEmpty();
                showChooser();
                return;
            }
            restoreFilterControls();
            refill();
            hideStatus();
            notify(kEverything);
        });
}

bool MainWindowController::askToSave() {
    if (!project_.modified) return true;
    const Answer a = ui_.message({"Project not saved!\nSave now?", "Save project?", Icon::Question, Buttons::YesNoCancel});
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) return saveProject();
    return true;
}

void MainWindowController::newProject() {
    if (refuseWhenBusy()) return;
    leavePhase3();
    if (!askToSave()) return;
    const std::optional<std::string> path = askNewProjectPath(ui_, folder_);
    if (!path) return;
    resetToEmpty();
    project_.path = *path;
    prepareWindow();
}

void MainWindowController::openProject() {
    if (refuseWhenBusy()) return;
    leavePhase3();
    if (!askToSave()) return;
    createFolder(folder_.projectsFolder());
    const std::vector<std::string> chosen = ui_.openFiles({{kProjectFilter}, folder_.projectsFolder(), false});
    if (chosen.empty()) return;
    resetToEmpty();
    project_.path = chosen.front();
    addRecentProject(folder_, project_.path);
    prepareWindow();
}

bool MainWindowController::saveTo(const std::string& path) {
    const std::string previous = project_.path;
    project_.path = path;
    if (!pw::saveProject(project_)) {
        project_.path = previous;
        ui_.message({"Cannot save project!", "Error saving", Icon::Error, Buttons::Ok});
        notify(kTabs);
        return false;
    }
    showStatus("Project saved!");
    ui_.informationSound();
    notify(kTabs | kLabels | kStatus);
    return true;
}

// The save dialog; ".pwj" is added unless the name already ends with it.
std::optional<std::string> MainWindowController::askProjectPath() {
    std::optional<std::string> path = ui_.saveFile({{kProjectFilter}, folder_.projectsFolder(), ""});
    if (path && (path->size() < 4 || !endsWithIgnoreCase(*path, ".pwj"))) *path += ".pwj";
    return path;
}

bool MainWindowController::saveProject() {
    if (refuseWhenBusy()) return false;
    leavePhase3();
    const std::optional<std::string> path = project_.path.empty() ? askProjectPath() : project_.path;
    if (!path) return false;
    addRecentProject(folder_, *path);
    return saveTo(*path);
}

bool MainWindowController::saveProjectAs() {
    if (refuseWhenBusy()) return false;
    leavePhase3();
    const std::optional<std::string> chosen = askProjectPath();
    if (!chosen) return false;
    const std::string& path = *chosen;
    if (!saveTo(path)) return false;
    project_.createdDate = project_.modifiedDate;
    addRecentProject(folder_, path);
    notify(kLabels);
    return true;
}

void MainWindowController::closeProject() {
    if (refuseWhenBusy()) return;
    leavePhase3();
    if (!askToSave()) return;
    resetToEmpty();
    showChooser();
}

bool MainWindowController::exitProgram() {
    if (refuseWhenBusy()) return false;
    leavePhase3();
    if (!askToSave()) return false;
    if (onQuit) onQuit();
    return true;
}

// --- tabs and phases ---

void MainWindowController::selectTab(int tab) {
    if (tab < 0 || tab > static_cast<int>(project_.groups.size()) || tab == tab_) return;
    if (refuseWhenBusy()) {
        notify(kTabs);
        return;
    }
    leavePhase3();
    showTab(tab);
}

// Shows the list of the tab: phase 4 ends on the main list and starts
// afresh on another group; the list's filters go back into the controls.
void MainWindowController::showTab(int tab) {
    tab_ = tab;
    if (phase_ == 4 && tab == 0) phase_ = 1;
    else if (phase_ == 4) startPhase4OnList();
    restoreFilterControls();
    refill();
    notify(kTabs | kPhase | kPhase4);
}

void MainWindowController::startPhase4OnList() {
    forms = {};
    ads_.reset();
    refreshKeywordRows();
}

void MainWindowController::refreshKeywordRows() {
    keywordRows_ = tab_ > 0 ? pw::keywordRows(currentList(), forms, notation) : std::vector<std::string>{};
    notify(kPhase4 | kLabels);
}

void MainWindowController::formsChanged() { refreshKeywordRows(); }

// --- phase 1: filters and sorting ---

void MainWindowController::filtersChanged() {
    updateFlashing = true;
    notify(kFilters);
}

void MainWindowController::sortRowsChanged() {
    sortFlashing = true;
    notify(kSortRows);
}

void MainWindowController::chooseSortKey(int row, SortKey key) {
    if (row < 0 || row > 2) return;
    if (key == SortKey::FreeText) {
        for (int other = 0; other < 3; ++other)
            if (other != row && sortRows.keys[other] == SortKey::FreeText) sortRows.keys[other] = SortKey::Alphabetical;
        sortRows.freeText.clear();
    }
    sortRows.keys[row] = key;
    sortRowsChanged();
}

void MainWindowController::update(std::optional<int> firstSelectedRow) {
    if (refuseWhenBusy()) return;
    updateFlashing = false;
    UpdateRequest request;
    request.filters = filters;
    request.order = sortRows;
    request.selectedRow = firstSelectedRow;
    auto result = std::make_shared<UpdateResult>();
    Group* list = &currentList();
    project_.modified = true;
    runJob(
        "Updating list. Please wait...",
        [this, list, request, result](const ProgressFn& progress) mutable {
            request.progress = progress;
            *result = updateFilters(project_, *list, request);
        },
        [this, result] {
            hideStatus();
            if (result->tooManyIgnoreWords)
                ui_.message({"Too many words added in the ignore box! The list will be truncated!",
                             "Over 10,000 ignore words", Icon::Warning, Buttons::Ok});
            if (filters.ignoreOn) filters.ignoreText = result->ignoreBoxText;
            notify(kFilters);
            if (result->refill) {
                refill();
                rowToSelect_ = result->rowToSelect;
                notify(kSelection);
            }
        });
}

void MainWindowController::sortList() {
    if (refuseWhenBusy()) return;
    sortFlashing = false;
    PhraseOrder order = sortRows;
    Group* list = &currentList();
    project_.modified = true;
    runJob(
        "Sorting. Please wait...", [list, order](const ProgressFn&) { sortPhrases(*list, order); },
        [this] {
            hideStatus();
            sortRows.freeText.clear();
            refill();
            notify(kSortRows);
        });
}

void MainWindowController::headerClicked(int column) {
    if (refuseWhenBusy()) return;
    sortRows.keys[0] = column == 0 ? SortKey::Alphabetical : SortKey::HitCount;
    headerReverse_ = !headerReverse_;
    sortRows.reverse[0] = headerReverse_;
    notify(kSortRows);
    sortList();
}

void MainWindowController::feedIgnoreBox(int row) {
    if (busy() || row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
    const Phrase& phrase = currentList().phrases[rows_[row]];
    std::string words;
    for (int i = 0; i < phrase.wordCount(); ++i) words.append(phrase.word(i)).append("\n");
    filters.ignoreText = appendIgnoreLines(filters.ignoreText, words) + "\r\n";
    filters.ignoreOn = true;
    focus_ = Focus::IgnoreBoxEnd;
    filtersChanged();
    notify(kSelection);
}

void MainWindowController::showIgnoredWords(const std::string& word) {
    if (refuseWhenBusy() || word.empty()) return;
    const std::string shown = word.substr(0, 63);
    std::vector<ListRow> found;
    size_t cursor = 0;
    while (const Phrase* p = nextMatching(currentList(), shown, filters.wholeWordsOnly, cursor))
        found.push_back({p->text(), p->hitCount});
    ui_.showIgnoredWords(shown, found);
}

void MainWindowController::editCountries() {
    if (refuseWhenBusy()) return;
    project_.modified = true;
    if (ui_.editCountries(project_, folder_)) filtersChanged();
}

void MainWindowController::editUnwantedCharacters() {
    if (refuseWhenBusy()) return;
    project_.modified = true;
    if (ui_.editUnwantedCharacters(project_, folder_)) filtersChanged();
}

void MainWindowController::importIgnoreBox() {
    if (refuseWhenBusy()) return;
    const std::vector<std::string> chosen = ui_.openFiles({{kTextFilter}, "", false});
    if (chosen.empty()) return;
    project_.modified = true;
    std::string bytes;
    if (!readWholeFile(chosen.front(), bytes)) {
        ui_.message({"Cannot open file for importing!", "File error", Icon::Warning, Buttons::Ok});
        return;
    }
    if (bytes.size() > kLargeIgnoreFile &&
        ui_.message({"Importing large lists into the ignore box is not recommended. Are you sure you want to continue?",
                     "Confirm large ignore list", Icon::Warning, Buttons::YesNo}) != Answer::Yes)
        return;
    filters.ignoreText = appendIgnoreLines(filters.ignoreText, bytes);
    filters.ignoreOn = true;
    filtersChanged();
}

// --- import and export ---

void MainWindowController::importList() {
    if (refuseWhenBusy()) return;
    const std::vector<std::string> files = ui_.openFiles(
        {{kTextFilter, kCsvFilter, {"Excel files (*.xls)", "*.xls"},
          {"All supported types (*.txt, *.csv, *.xls)", "*.csv;*.txt;*.xls"}, {"All files (*.*)", "*.*"}},
         "", true});
    if (files.empty()) return;
    const bool anyXls = std::any_of(files.begin(), files.end(), [](const std::string& f) {
        return f.find(".xls") != std::string::npos || endsWithIgnoreCase(f, ".xls");
    });
    if (files.size() > 1 && anyXls) {
        ui_.message({"Cannot import multiple XLS files at once!", "XLS import", Icon::Warning, Buttons::Ok});
        return;
    }
    if (anyXls) {
        ui_.message({"Spreadsheet files cannot be imported yet. Save the sheet as a CSV file and import that.",
                     "Cannot open XLS file", Icon::Warning, Buttons::Ok});
        return;
    }
    // Columns are settled here, where the column dialog can be shown.
    std::vector<PlannedFile> plan = planImport(files, [this](const std::string& path, int count) {
        return ui_.chooseColumns(fileNameOf(path), count);
    });
    for (const PlannedFile& file : plan)
        if (file.problem == ImportProblem::InvalidFileType) {
            const ImportMessage m = importMessage(file.problem);
            ui_.message(messageOf(m.text, m.caption, Icon::Error));
        }
    project_.modified = true;
    Group* target = &currentList();
    auto report = std::make_shared<ImportReport>();
    runJob(
        "Loading list into memory...",
        [this, target, plan = std::move(plan), report](const ProgressFn& progress) {
            *report = runImport(project_, *target, plan, progress);
        },
        [this, report] {
            hideStatus();
            if (report->problem == ImportProblem::ErrorImporting) {
                const ImportMessage m = importMessage(report->problem);
                ui_.message(messageOf(m.text, m.caption, Icon::Error));
                return;
            }
            refill();
        });
}

bool MainWindowController::exportMenuAllowed() {
    if (!rows_.empty()) return true;
    ui_.message(messageOf(kNothingToExport.text, kNothingToExport.caption, Icon::Information));
    return false;
}

std::optional<std::string> MainWindowController::askExportPath(const FileFilter& filter, const std::string& initialName) {
    if (exportGuard_) return std::nullopt;
    exportGuard_ = true;
    std::optional<std::string> path = ui_.saveFile({{filter}, "", initialName});
    exportGuard_ = false;
    if (!path) return std::nullopt;
    return withExtension(*path, filter.pattern.substr(1));
}

// Writes the export and says how it went; `success` is none for exports
// that finish without a word.
void MainWindowController::writeExport(const std::string& path, const std::string& bytes,
                                       const ExportMessage* success) {
    if (!writeExportFile(path, bytes))
        ui_.message(messageOf(kCannotWriteExport.text, kCannotWriteExport.caption, Icon::Warning));
    else if (success)
        ui_.message(messageOf(success->text, success->caption, Icon::Information));
}

void MainWindowController::exportListText() {
    if (refuseWhenBusy()) return;
    if (const std::optional<std::string> path = askExportPath(kTextFilter, tabCaption(tab_).substr(0, 62)))
        writeExport(*path, listAsText(visibleRows(currentList())), &kListExported);
}

void MainWindowController::exportListCsv() {
    if (refuseWhenBusy()) return;
    const Answer withHits =
        ui_.message({"Export hit counts also?", "Export type", Icon::Question, Buttons::YesNoCancel});
    if (withHits == Answer::Cancel) return;
    if (const std::optional<std::string> path = askExportPath(kCsvFilter, tabCaption(tab_).substr(0, 62)))
        writeExport(*path, listAsCsv(visibleRows(currentList()), withHits == Answer::Yes), &kListExported);
}

void MainWindowController::exportGroupNames() {
    if (project_.groups.empty()) {
        ui_.message(messageOf(kNoGroupsToExport.text, kNoGroupsToExport.caption, Icon::Warning));
        return;
    }
    if (const std::optional<std::string> path = askExportPath(kTextFilter, ""))
        writeExport(*path, groupNamesAsText(project_), &kGroupsExported);
}

void MainWindowController::exportIgnoreBox() {
    if (filters.ignoreText.empty()) {
        ui_.message(messageOf(kEmptyIgnoreBox.text, kEmptyIgnoreBox.caption, Icon::Warning));
        return;
    }
    if (refuseWhenBusy()) return;
    if (const std::optional<std::string> path = askExportPath(kTextFilter, ""))
        writeExport(*path, filters.ignoreText, nullptr);
}

void MainWindowController::copyKeywordsToClipboard() { ui_.setClipboardText(keywordRowsForClipboard(keywordRows_)); }

void MainWindowController::copyRows(const std::vector<int>& rows) {
    if (busy()) return;
    std::string text;
    for (int r : rows)
        if (r >= 0 && static_cast<size_t>(r) < rows_.size()) text.append(rowText(r)).append("\r\n");
    ui_.setClipboardText(text);
}

void MainWindowController::addPhrases() {
    if (refuseWhenBusy()) return;
    const std::optional<std::string> text = ui_.askText({"Add search phrase", "Enter phrases:", "", true});
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
}

int MainWindowController::typeAhead(const std::string& text) {
    if (busy()) return -1;
    const int row = bestPrefixMatch(currentList().phrases, text);
    if (row >= 0) {
        rowToSelect_ = row;
        notify(kSelection);
    }
    return row;
}

// --- skin ---

bool MainWindowController::autoUpdateCheck() const { return settings_.values().autoUpdateCheck; }
void MainWindowController::setAutoUpdateCheck(bool on) { settings_.setAutoUpdateCheck(on); }

void MainWindowController::chooseSkin(int index) {
    if (index >= 0 && index < kSkinPresetCount) {
        settings_.setBackgroundColor(kSkinPresets[index].color());
        skinIndex_ = index;
    } else if (const std::optional<uint32_t> color = ui_.pickColor(settings_.values().backgroundColor)) {
        settings_.setBackgroundColor(*color);
        skinIndex_ = skinIndexForColor(*color);
    } else {
        skinIndex_ = skinIndexForColor(settings_.values().backgroundColor);
    }
    notify(kSkin);
}

}  // namespace pw::ui
