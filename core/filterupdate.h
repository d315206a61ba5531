#pragma once
// "Update": makes the whole list active again and applies the filters that
// are switched on, in a fixed order, counting what each one hides.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/listordering.h"
#include "core/progress.h"
#include "core/project.h"

namespace pw {

constexpr size_t kMaxIgnoreWords = 10000;

// What the filter controls hold when "Update" is pressed.
struct FilterSettings {
    bool ignoreOn = false;
    std::string ignoreText;  // the ignore box, words separated by CR LF
    bool wholeWordsOnly = true;
    bool maxWordsOn = false;
    std::string maxWordsText;  // the number box
    bool unwantedCharacters = false;
    bool duplicates = false;
    bool countries = false;
};

struct UpdateRequest {
    FilterSettings filters;
    PhraseOrder order;              // the user's sort rows, used again after "Delete duplicates"
    std::optional<int> selectedRow;  // first selected row of the view
    bool needsReload = false;       // a fill was cancelled earlier
    ProgressFn progress;            // 0..100 as the filters go through the list
};

struct UpdateResult {
    int changed = 0;
    bool refill = false;              // the view must be filled again
    bool tooManyIgnoreWords = false;  // warn that the list was truncated
    std::string ignoreBoxText;        // the ignore words to show, one per CR LF
    std::optional<int> rowToSelect;
    int editedDelta = 0;  // the change to "Edited list"
    int visibleBefore = 0;
    int visibleAfter = 0;
};

// The ignore box cut into words at CR, LF and space, at most 10,000 of them,
// each kept only the first time it occurs (ignoring case).
struct IgnoreWords {
    std::vector<std::string_view> words;
    bool truncated = false;
};
IgnoreWords parseIgnoreWords(std::string_view boxText);

// The number box read as a decimal number; no digits give 0.
int parseNumberBox(std::string_view text);

// The project's catalogues the filters read: a job takes its own copy.
struct FilterCatalogues {
    std::string unwantedCharacters;
    std::string unwantedCountries;
};
FilterCatalogues filterCatalogues(const Project& project);

UpdateResult updateFilters(Group& list, const UpdateRequest& request, const FilterCatalogues& catalogues);
// The same, adding the change to the project's "Edited list".
UpdateResult updateFilters(Project& project, Group& list, const UpdateRequest& request);

// Keeps the controls' settings with the list, as "Update" would, without
// filtering: what a person typed is saved even before "Update".
void storeFilterSettings(Group& list, const FilterSettings& settings);

// Filter settings as the controls show them for a list.
FilterSettings storedFilterSettings(const Group& list);

}  // namespace pw
