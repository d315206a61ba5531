#include "core/filterupdate.h"

#include <algorithm>
#include <unordered_set>

#include "core/phraselist.h"
#include "core/phrasefilters.h"
#include "core/text.h"
#include "core/unwantedcountries.h"

namespace pw {

IgnoreWords parseIgnoreWords(std::string_view boxText) {
    IgnoreWords result;
    // A pasted list may hold tabs: a word never holds one.
    std::vector<std::string_view> all = splitAny(boxText, "\r\n \t");
    if (all.size() > kMaxIgnoreWords) {
        all.resize(kMaxIgnoreWords);
        result.truncated = true;
    }
    std::unordered_set<std::string> seen;
    for (std::string_view word : all)
        if (seen.insert(foldedCopy(word)).second) result.words.push_back(word);
    return result;
}

int parseNumberBox(std::string_view text) { return std::max(0, parseLeadingInt(text)); }

FilterCatalogues filterCatalogues(const Project& project) {
    return {project.unwantedCharacters, project.unwantedCountries};
}

UpdateResult updateFilters(Project& project, Group& list, const UpdateRequest& request) {
    UpdateResult result = updateFilters(list, request, filterCatalogues(project));
    project.editedCount += result.editedDelta;
    return result;
}

UpdateResult updateFilters(Group& list, const UpdateRequest& request, const FilterCatalogues& project) {
    const FilterSettings& f = request.filters;
    UpdateResult result;

    const int rememberedPosition = request.selectedRow ? positionOfActive(list.phrases, *request.selectedRow) : -1;
    result.visibleBefore = visibleCount(list.phrases);

    int changed = reactivateAll(list);
    storeFilterSettings(list, f);

    if (f.ignoreOn) {
        const IgnoreWords ignore = parseIgnoreWords(f.ignoreText);
        result.tooManyIgnoreWords = ignore.truncated;
        for (std::string_view word : ignore.words) {
            result.ignoreBoxText.append(word);
            result.ignoreBoxText.append("\r\n");
        }
        changed += deactivateMatchingAny(list, ignore.words, list.wholeWordsOnly, request.progress);
    }

    report(request.progress, 80);
    if (f.maxWordsOn) changed += deactivateLongerThan(list, list.maxWords);

    if (f.unwantedCharacters) changed += deactivateWithCharacters(list, project.unwantedCharacters);

    if (f.duplicates) {
        changed += removeDuplicates(list);
        sortPhrases(list, request.order);
    }

    report(request.progress, 95);
    if (f.countries && !project.unwantedCountries.empty())
        changed += deactivateMatchingAny(list, countryNames(project.unwantedCountries), true);

    report(request.progress, 100);
    result.changed = changed;
    result.visibleAfter = visibleCount(list.phrases);
    if (changed < 1 && !request.needsReload) return result;

    result.refill = true;
    result.editedDelta = result.visibleAfter - result.visibleBefore;
    if (rememberedPosition >= 0) {
        const int row = activeBefore(list.phrases, rememberedPosition);
        if (row > 0) result.rowToSelect = row;
    }
    return result;
}

void storeFilterSettings(Group& list, const FilterSettings& f) {
    if (f.ignoreOn) list.ignoreText = f.ignoreText;
    else list.ignoreText.reset();
    list.wholeWordsOnly = f.wholeWordsOnly;
    list.maxWords = f.maxWordsOn ? parseNumberBox(f.maxWordsText) : 0;
    list.deleteUnwantedCharacters = f.unwantedCharacters;
    list.deleteDuplicates = f.duplicates;
    list.deleteCountries = f.countries;
}

FilterSettings storedFilterSettings(const Group& list) {
    FilterSettings f;
    f.ignoreOn = list.ignoreText.has_value();
    f.ignoreText = list.ignoreText.value_or("");
    f.wholeWordsOnly = list.wholeWordsOnly;
    f.maxWordsOn = list.maxWords > 0;
    if (f.maxWordsOn) f.maxWordsText = std::to_string(list.maxWords);
    f.unwantedCharacters = list.deleteUnwantedCharacters;
    f.duplicates = list.deleteDuplicates;
    f.countries = list.deleteCountries;
    return f;
}

}  // namespace pw
