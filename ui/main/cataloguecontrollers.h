#pragma once
// What the "Countries" and "Unwanted characters" windows do: two lists,
// available and unwanted, moves between them, "Add..." into the catalogue
// file, and OK writing the unwanted list into the project.

#include <string>
#include <vector>

#include "core/project.h"
#include "io/programfolder.h"
#include "ui/common/uiservices.h"

namespace pw::ui {

// Items moved from one list to the end of the other, in list order.
struct TwoLists {
    std::vector<std::string> available;
    std::vector<std::string> unwanted;
    size_t itemLimit = 0;  // texts are carried over up to this many bytes; 0: whole

    void moveToUnwanted(const std::vector<int>& availableRows);
    void moveToAvailable(const std::vector<int>& unwantedRows);
};

class CountriesController {
public:
    CountriesController(UiServices& ui, ProgramFolder folder, Project& project);
    TwoLists lists;
    // "Add...": refused when the name is in either list already (ignoring case).
    bool add(const std::string& name);
    void ok();

private:
    UiServices& ui_;
    ProgramFolder folder_;
    Project& project_;
};

class UnwantedCharactersController {
public:
    UnwantedCharactersController(UiServices& ui, ProgramFolder folder, Project& project);
    TwoLists lists;
    bool add(char character);
    void ok();

private:
    UiServices& ui_;
    ProgramFolder folder_;
    Project& project_;
};

}  // namespace pw::ui
