#include "ui/lists/listfilters.h"

#include <memory>

#include "core/atomicfile.h"
#include "core/listmoves.h"
#include "core/phrasefilters.h"
#include "core/textencoding.h"
#include "io/textimport.h"
#include "ui/lists/messages.h"

namespace pw::ui {

void ListFilters::filtersChanged() {
    updateFlashing_ = true;
    lists_.notify(kFilters);
}

void ListFilters::setFilters(FilterSettings edited) {
    lists_.command(Needs::Nothing, [&] {
        filters_ = std::move(edited);
        lists_.project().modified = true;
        filtersChanged();
    });
}

void ListFilters::restore() {
    filters_ = storedFilterSettings(lists_.currentList());
    updateFlashing_ = false;
    lists_.notify(kFilters);
}

void ListFilters::keep() {
    if (!lists_.busy()) storeFilterSettings(lists_.currentList(), filters_);
}

void ListFilters::setSortReverse(int row, bool on) {
    if (row < 0 || row > 2) return;
    sortRows_.reverse[row] = on;
    sortRowsChanged();
}

void ListFilters::setSortFreeText(std::string text) {
    sortRows_.freeText = std::move(text);
    sortRowsChanged();
}

void ListFilters::sortRowsChanged() {
    sortFlashing_ = true;
    lists_.notify(kSortRows);
}

void ListFilters::chooseSortKey(int row, SortKey key) {
    if (row < 0 || row > 2) return;
    if (key == SortKey::FreeText) {
        for (int other = 0; other < 3; ++other)
            if (other != row && sortRows_.keys[other] == SortKey::FreeText) sortRows_.keys[other] = SortKey::Alphabetical;
        sortRows_.freeText.clear();
    }
    sortRows_.keys[row] = key;
    sortRowsChanged();
}

namespace {
// An Update on the worker: it owns the lent list and a copy of the catalogues.
struct UpdateJob {
    Group list;
    UpdateRequest request;
    FilterCatalogues catalogues;
    UpdateResult result;
};
}  // namespace

void ListFilters::update(std::optional<int> firstSelectedRow) {
    lists_.command(Needs::Lists, [&] {
        updateFlashing_ = false;
        Group* list = &lists_.currentList();
        auto job = std::make_shared<UpdateJob>();
        job->request.filters = filters_;
        job->request.order = sortRows_;
        job->request.selectedRow = firstSelectedRow;
        job->catalogues = filterCatalogues(lists_.project());
        job->list = lendList(*list);
        lists_.project().modified = true;
        lists_.runJob(
            "Updating list. Please wait...",
            [job](const ProgressFn& progress) {
                job->request.progress = progress;
                job->result = updateFilters(job->list, job->request, job->catalogues);
            },
            [this, list, job](bool ok) {
                returnList(*list, std::move(job->list));
                if (!ok) return;
                const UpdateResult& result = job->result;
                lists_.project().editedCount += result.editedDelta;
                if (result.tooManyIgnoreWords) lists_.desktop().message(kTooManyIgnoreWords);
                if (filters_.ignoreOn) filters_.ignoreText = result.ignoreBoxText;
                lists_.notify(kFilters);
                if (result.refill) {
                    lists_.refill();
                    lists_.selectRow(result.rowToSelect);
                }
            });
    });
}

void ListFilters::sortList() {
    lists_.command(Needs::Lists, [&] {
        sortFlashing_ = false;
        Group* list = &lists_.currentList();
        auto lent = std::make_shared<Group>(lendList(*list));
        lists_.project().modified = true;
        lists_.runJob(
            "Sorting. Please wait...", [lent, order = sortRows_](const ProgressFn&) { sortPhrases(*lent, order); },
            [this, list, lent](bool ok) {
                returnList(*list, std::move(*lent));
                if (!ok) return;
                sortRows_.freeText.clear();
                lists_.refill();
                lists_.notify(kSortRows | kScrollToTop);
            });
    });
}

void ListFilters::headerClicked(int column) {
    lists_.command(Needs::Lists, [&] {
        sortRows_.keys[0] = column == 0 ? SortKey::Alphabetical : SortKey::HitCount;
        headerReverse_ = !headerReverse_;
        sortRows_.reverse[0] = headerReverse_;
        lists_.notify(kSortRows);
        sortList();
    });
}

void ListFilters::feedIgnoreBox(int row) {
    if (lists_.busy() || row < 0 || static_cast<size_t>(row) >= lists_.rows().size()) return;
    lists_.command(Needs::Lists, [&] {
        const Phrase& phrase = lists_.currentList().phrases[lists_.rows()[row]];
        std::string words;
        for (int i = 0; i < phrase.wordCount(); ++i) words.append(phrase.word(i)).append("\n");
        filters_.ignoreText = appendIgnoreLines(filters_.ignoreText, words) + "\r\n";
        filters_.ignoreOn = true;
        filtersChanged();
        lists_.requestFocus(Focus::IgnoreBoxEnd);
    });
}

// The "Ignored words" window looks for one word of at most this many characters.
constexpr size_t kIgnoredWordCharacters = 63;

void ListFilters::showIgnoredWords(const std::string& word) {
    if (word.empty()) return;
    lists_.command(Needs::Lists, [&] {
        const std::string shown(clipToCharacters(word, kIgnoredWordCharacters));
        std::vector<ListRow> found;
        size_t cursor = 0;
        while (const Phrase* p = nextMatching(lists_.currentList(), shown, filters_.wholeWordsOnly, cursor))
            found.push_back({p->text(), p->hitCount});
        dialogs_.showIgnoredWords(shown, found);
    });
}

void ListFilters::editCountries() {
    editCatalogueChoice(&Project::unwantedCountries, &ListDialogs::editCountries);
}

void ListFilters::editUnwantedCharacters() {
    editCatalogueChoice(&Project::unwantedCharacters, &ListDialogs::editUnwantedCharacters);
}

// The project's choice from a catalogue, edited in its window; OK keeps it.
void ListFilters::editCatalogueChoice(std::string Project::*choice,
                                      std::optional<std::string> (ListDialogs::*edit)(const std::string&)) {
    lists_.command(Needs::Lists, [&] {
        Project& project = lists_.project();
        const std::optional<std::string> edited = (dialogs_.*edit)(project.*choice);
        if (!edited) return;
        project.*choice = *edited;
        project.modified = true;
        filtersChanged();
    });
}

void ListFilters::importIgnoreBox() {
    lists_.command(Needs::Lists, [&] {
        Desktop& desktop = lists_.desktop();
        const std::vector<std::string> chosen = desktop.openFiles({{kTextFiles}, "", false});
        if (chosen.empty()) return;
        std::string bytes;
        if (!readWholeFile(chosen.front(), bytes)) {
            desktop.message(kCannotOpenIgnoreFile);
            return;
        }
        if (bytes.size() > kLargeIgnoreFile && desktop.message(kConfirmLargeIgnoreList) != Answer::Yes) return;
        lists_.project().modified = true;
        filters_.ignoreText = appendIgnoreLines(filters_.ignoreText, bytes);
        filters_.ignoreOn = true;
        filtersChanged();
    });
}

void ListFilters::exportIgnoreBox() {
    lists_.command(Needs::Lists, [&] {
        if (filters_.ignoreText.empty()) {
            lists_.desktop().message(kEmptyIgnoreBox);
            return;
        }
        if (const std::optional<std::string> path = exports_.askPath(kTextFiles, ""))
            exports_.write(*path, filters_.ignoreText, nullptr);
    });
}

}  // namespace pw::ui
