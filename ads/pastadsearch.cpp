#include "ads/pastadsearch.h"

#include <algorithm>
#include <filesystem>

#include "core/projectfile.h"
#include "core/text.h"
#include "io/recentprojects.h"

namespace pw {

bool AdCriterion::accepts(std::string_view field) const {
    if (field.empty()) return true;
    if (perfectMatch) return caseSensitive ? field == text : equalsIgnoreCase(field, text);
    return caseSensitive ? field.find(text) != std::string_view::npos : containsIgnoreCase(field, text);
}

bool matches(const AdQuery& query, const Ad& ad) {
    const std::array<const std::string*, kAdCriterionCount> fields = {&ad.title,      &ad.line1,          &ad.line2,
                                                                      &ad.displayUrl, &ad.destinationUrl, &ad.notes};
    for (int i = 0; i < kAdCriterionCount; ++i)
        if (!query[i].accepts(*fields[i])) return false;
    return true;
}

std::vector<std::string> projectFilesIn(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return files;
    std::string base = folder;
    if (base.empty() || base.back() != '/') base.push_back('/');
    for (const auto& entry : it) {
        if (entry.is_directory(error)) continue;
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && equalsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".pwj"))
            files.push_back(base + name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> projectFilesToSearch(const SearchScope& scope, const std::string& openProjectPath,
                                              const ProgramFolder& programFolder) {
    std::vector<std::string> files;
    auto add = [&files](const std::string& path) {
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
    };
    if (scope.folder)
        for (const std::string& f : projectFilesIn(scope.folderPath)) add(f);
    if (scope.projectsFolder)
        for (const std::string& f : projectFilesIn(programFolder.projectsFolder())) add(f);
    if (scope.recentProjects) {
        for (const std::string& f : recentProjectPaths(programFolder)) add(f);
    } else if (scope.currentProject) {
        add(openProjectPath);
    }
    return files;
}

namespace {
void searchGroup(const AdQuery& query, const Group& group, const std::string& project,
                 const std::function<void(FoundAd)>& found) {
    for (const AdList& list : group.adLists)
        for (const Ad& ad : list)
            if (matches(query, ad)) found({ad, group.name, project});
}

// `done` was searched already (the current group) and is not listed twice.
void searchProject(const AdQuery& query, const Project& project, const std::string& path,
                   const std::function<void(FoundAd)>& found, const Group* done = nullptr) {
    if (&project.mainList != done) searchGroup(query, project.mainList, path, found);
    for (const auto& group : project.groups)
        if (group.get() != done) searchGroup(query, *group, path, found);
}
}  // namespace

void searchPastAds(const SearchRequest& request, const std::function<void(FoundAd)>& found,
                   const std::atomic<bool>* stop, const ProgressFn& progress) {
    const std::string openPath = request.openProject ? request.openProject->path : std::string();
    if (request.group) searchGroup(request.query, *request.group, openPath, found);
    for (size_t i = 0; i < request.files.size(); ++i) {
        if (cancelled(stop)) return;
        const std::string& path = request.files[i];
        if (request.openProject && !openPath.empty() && equalsIgnoreCase(path, openPath)) {
            searchProject(request.query, *request.openProject, path, found, request.group);
        } else {
            Project other;
            other.path = path;
            if (loadProject(other, {}, request.adsOnly) == LoadCode::Loaded) searchProject(request.query, other, path, found);
        }
        report(progress, static_cast<int>((i + 1) * 100 / request.files.size()));
    }
}

}  // namespace pw
