#pragma once
// The open project: the main list, the groups in tab order, the project's
// unwanted characters and countries, its counters and dates.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/group.h"

namespace pw {

constexpr std::string_view kDefaultUnwantedCharacters = "~!@#$%^&*()_+";
constexpr size_t kUnwantedCharactersSize = 128;  // bytes on disk, NUL included
constexpr size_t kDateSize = 11;                 // "mm/dd/yy" and its NUL, on disk

struct Project {
    bool modified = false;
    Group mainList{kMainListName};
    std::vector<std::unique_ptr<Group>> groups;  // tab order; addresses stay put
    std::string unwantedCharacters{kDefaultUnwantedCharacters};
    std::string unwantedCountries;  // names, each followed by LF
    std::string path;               // empty while untitled
    int32_t importedCount = 0;      // "Original list"
    int32_t editedCount = 0;        // "Edited list"
    std::string createdDate;
    std::string modifiedDate;
};

void resetProject(Project& project);

Group* findGroup(Project& project, std::string_view name);
int groupIndex(const Project& project, std::string_view name);
Group* groupAt(Project& project, int position);
// Tab 0 is the main list; tab k is group k-1. White outside the groups.
Rgb groupColorAt(const Project& project, int tabPosition);
// The list a tab shows: the main list for tab 0, else that group (or none).
Group* listOfTab(Project& project, int tab);

Group& appendGroup(Project& project, std::string_view name);
// Inserted before the first group whose name is not less in byte order; none
// when the name is taken.
Group* insertGroupSorted(Project& project, std::string_view name, int* position = nullptr);
bool deleteGroup(Project& project, const Group* group);

// Finds the list a command names: "main list" (or nothing) is the main list,
// anything else the group of that exact name.
Group* findList(Project& project, std::string_view name);

}  // namespace pw
