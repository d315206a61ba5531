#pragma once
// What the "Countries" and "Unwanted characters" windows do: two lists,
// available and unwanted, moves between them, "Add..." into the catalogue
// file, and OK writing the unwanted list into the project.

#include <string>
#include <vector>

#include "core/project.h"
#include "io/programfolder.h"
#include "ui/common/desktop.h"

namespace pw::ui {

// Items moved from one list to the end of the other, in list order.
struct TwoLists {
    std::vector<std::string> available;
    std::vector<std::string> unwanted;
    size_t itemLimit = 0;      // texts are carried over up to this many characters; 0: whole
    size_t unwantedBytes = 0;  // the unwanted items together take at most this many bytes; 0: any

    // Moves the rows that fit, in list order; returns how many moved.
    size_t moveToUnwanted(const std::vector<int>& availableRows);
    void moveToAvailable(const std::vector<int>& unwantedRows);
};

class CountriesController {
public:
    CountriesController(Desktop& ui, ProgramFolder folder, const std::string& unwantedCountries);
    TwoLists lists;
    // "Add...": refused when the name is in either list already (ignoring case).
    bool add(const std::string& name);
    // OK: the unwanted list as the project keeps it.
    std::string ok() const;

private:
    Desktop& ui_;
    ProgramFolder folder_;
};

class UnwantedCharactersController {
public:
    UnwantedCharactersController(Desktop& ui, ProgramFolder folder, const std::string& unwantedCharacters);
    TwoLists lists;
    bool add(std::string_view character);
    // Moves what fits in the project's room and says when some did not.
    void moveToUnwanted(const std::vector<int>& availableRows);
    std::string ok() const;

private:
    Desktop& ui_;
    ProgramFolder folder_;
};

}  // namespace pw::ui
