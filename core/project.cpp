#include "core/project.h"

#include <algorithm>

namespace pw {

void resetProject(Project& project) {
    project.modified = false;
    clearGroup(project.mainList);
    project.unwantedCharacters = kDefaultUnwantedCharacters;
    project.path.clear();
    project.importedCount = 0;
    project.editedCount = 0;
    project.createdDate.clear();
    project.modifiedDate.clear();
    project.unwantedCountries.clear();
    project.groups.clear();
}

Group* findGroup(Project& project, std::string_view name) {
    const int index = groupIndex(project, name);
    return index < 0 ? nullptr : project.groups[index].get();
}

int groupIndex(const Project& project, std::string_view name) {
    for (size_t i = 0; i < project.groups.size(); ++i)
        if (project.groups[i]->name == name) return static_cast<int>(i);
    return -1;
}

Group* groupAt(Project& project, int position) {
    if (position < 0 || static_cast<size_t>(position) >= project.groups.size()) return nullptr;
    return project.groups[position].get();
}

Rgb groupColorAt(const Project& project, int tabPosition) {
    const int index = tabPosition - 1;
    if (index < 0 || static_cast<size_t>(index) >= project.groups.size()) return kWhite;
    return groupColor(project.groups[index]->colorIndex);
}

Group* listOfTab(Project& project, int tab) {
    return tab == 0 ? &project.mainList : groupAt(project, tab - 1);
}

Group& appendGroup(Project& project, std::string_view name) {
    project.groups.push_back(std::make_unique<Group>(name));
    return *project.groups.back();
}

Group* insertGroupSorted(Project& project, std::string_view name, int* position) {
    if (findGroup(project, name)) return nullptr;
    const auto at = std::find_if(project.groups.begin(), project.groups.end(),
                                 [&](const auto& g) { return !(std::string_view(g->name) < name); });
    const auto inserted = project.groups.insert(at, std::make_unique<Group>(name));
    if (position) *position = static_cast<int>(inserted - project.groups.begin());
    return inserted->get();
}

bool deleteGroup(Project& project, const Group* group) {
    const auto it = std::find_if(project.groups.begin(), project.groups.end(),
                                 [&](const auto& g) { return g.get() == group; });
    if (it == project.groups.end()) return false;
    project.groups.erase(it);
    return true;
}

Group* findList(Project& project, std::string_view name) {
    if (name.empty() || name == kMainListName) return &project.mainList;
    return findGroup(project, name);
}

}  // namespace pw
