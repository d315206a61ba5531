#include "ui/main/cataloguecontrollers.h"
#include "ui/main/messages.h"

#include <algorithm>

#include "core/listmoves.h"
#include "core/text.h"
#include "core/textencoding.h"
#include "core/unwantedcountries.h"
#include "io/charactercatalogue.h"
#include "io/countrycatalogue.h"

namespace pw::ui {

namespace {
void moveRows(std::vector<std::string>& from, std::vector<std::string>& to, const std::vector<int>& rows,
              size_t limit) {
    for (std::string& item : takePositions(from, validRows(rows, from.size())))
        to.push_back(limit ? std::string(clipToCharacters(item, limit)) : std::move(item));
}

bool containsIgnoringCase(const std::vector<std::string>& items, const std::string& text) {
    return std::any_of(items.begin(), items.end(), [&](const std::string& i) { return equalsIgnoreCase(i, text); });
}
}  // namespace

size_t TwoLists::moveToUnwanted(const std::vector<int>& rows) {
    std::vector<int> fitting = validRows(rows, available.size());
    if (unwantedBytes > 0) {
        size_t used = 0;
        for (const std::string& item : unwanted) used += item.size();
        std::erase_if(fitting, [&](int row) {
            if (used + available[row].size() > unwantedBytes) return true;
            used += available[row].size();
            return false;
        });
    }
    moveRows(available, unwanted, fitting, itemLimit);
    return fitting.size();
}
void TwoLists::moveToAvailable(const std::vector<int>& rows) { moveRows(unwanted, available, rows, itemLimit); }

CountriesController::CountriesController(Desktop& ui, ProgramFolder folder, const std::string& unwantedCountries)
    : ui_(ui), folder_(std::move(folder)) {
    lists.itemLimit = 62;
    lists.available = loadCountryCatalogue(folder_);
    for (std::string_view name : countryNames(unwantedCountries)) {
        lists.unwanted.emplace_back(name);
        std::erase_if(lists.available, [&](const std::string& a) { return equalsIgnoreCase(a, name); });
    }
}

bool CountriesController::add(const std::string& name) {
    if (name.empty()) return false;
    if (containsIgnoringCase(lists.available, name) || containsIgnoringCase(lists.unwanted, name)) {
        ui_.message(kCountryExists);
        return false;
    }
    if (!appendCountry(folder_, name)) return false;
    lists.available.push_back(name);
    return true;
}

std::string CountriesController::ok() const { return countriesText(lists.unwanted); }

UnwantedCharactersController::UnwantedCharactersController(Desktop& ui, ProgramFolder folder,
                                                           const std::string& unwantedCharacters)
    : ui_(ui), folder_(std::move(folder)) {
    lists.unwantedBytes = kUnwantedCharactersSize - 1;
    lists.available = catalogueCharacters(folder_);
    for (std::string_view c : splitCharacters(unwantedCharacters)) {
        lists.unwanted.emplace_back(c);
        std::erase(lists.available, std::string(c));
    }
}

// One character, as typed ("€" is one).
bool UnwantedCharactersController::add(std::string_view character) {
    const AddCharacterResult result = addCharacter(folder_, character);
    if (result == AddCharacterResult::Added) {
        lists.available.emplace_back(splitCharacters(character).front());
        return true;
    }
    const CatalogueMessage m = addCharacterMessage(result);
    ui_.message({std::string(m.text), std::string(m.caption),
                 result == AddCharacterResult::AlreadyPresent ? Icon::Information : Icon::Warning, Buttons::Ok});
    return false;
}

void UnwantedCharactersController::moveToUnwanted(const std::vector<int>& rows) {
    const size_t selected = validRows(rows, lists.available.size()).size();
    const size_t moved = lists.moveToUnwanted(rows);
    if (moved < selected) ui_.message(unwantedCharactersDoNotFit(moved, selected));
}

// Moves keep the unwanted list within the project's room.
std::string UnwantedCharactersController::ok() const {
    std::string characters;
    for (const std::string& item : lists.unwanted) characters += item;
    return characters;
}

}  // namespace pw::ui
