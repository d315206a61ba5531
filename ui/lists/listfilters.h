#pragma once
// Phase 1 of the main window: the filter controls of the shown list, the
// "Sort by:" rows, Update and Sort list, the ignore box and its catalogues.
// They work on the main window's lists through its workspace.

#include <optional>
#include <string>

#include "core/filterupdate.h"
#include "core/listordering.h"
#include "ui/common/exportfile.h"
#include "ui/common/listworkspace.h"
#include "ui/lists/listdialogs.h"

namespace pw::ui {

class ListFilters {
public:
    ListFilters(ListWorkspace& lists, ListDialogs& dialogs)
        : lists_(lists), dialogs_(dialogs), exports_(lists.desktop()) {}

    // The controls' state; the window changes it through the setters below.
    const FilterSettings& filters() const { return filters_; }
    const PhraseOrder& sortRows() const { return sortRows_; }
    bool updateFlashing() const { return updateFlashing_; }  // "Update" flashes until pressed
    bool sortFlashing() const { return sortFlashing_; }      // "Sort list" likewise

    // What the user typed or ticked, as the window reports it.
    void setFilters(FilterSettings edited);
    void setSortReverse(int row, bool on);
    void setSortFreeText(std::string text);
    void filtersChanged();
    void sortRowsChanged();
    // Choosing "By free text" in one row sends the other rows back to "Alphabetically".
    void chooseSortKey(int row, SortKey key);

    void update(std::optional<int> firstSelectedRow = {});
    void sortList();
    void headerClicked(int column);
    // A double click on a row in phase 1: its words go into the ignore box.
    void feedIgnoreBox(int row);
    void showIgnoredWords(const std::string& word);
    void editCountries();
    void editUnwantedCharacters();
    void importIgnoreBox();
    void exportIgnoreBox();

    // The filter controls belong to the shown list: they are taken from it
    // when it shows, and go back with it when it is saved or another tab is
    // shown, so that nothing typed is lost.
    void restore();
    void keep();

private:
    void editCatalogueChoice(std::string Project::*choice,
                             std::optional<std::string> (ListDialogs::*edit)(const std::string&));

    ListWorkspace& lists_;
    ListDialogs& dialogs_;
    ExportFile exports_;
    FilterSettings filters_;
    PhraseOrder sortRows_;
    bool updateFlashing_ = false;
    bool sortFlashing_ = false;
    bool headerReverse_ = false;
};

}  // namespace pw::ui
