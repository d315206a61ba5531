#pragma once
// The past-ads search: ads of the current group, the open project, recent
// projects and folders of project files that match up to six criteria.

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/project.h"
#include "io/programfolder.h"

namespace pw {

// One field's criterion. An empty field of the ad accepts every criterion.
struct AdCriterion {
    std::string text;
    bool perfectMatch = false;
    bool caseSensitive = false;

    bool accepts(std::string_view field) const;
};

// Title, text 1, text 2, display URL, destination URL, notes.
constexpr int kAdCriterionCount = 6;
using AdQuery = std::array<AdCriterion, kAdCriterionCount>;
bool matches(const AdQuery& query, const Ad& ad);

struct SearchScope {
    bool currentGroup = true;
    bool currentProject = true;
    bool recentProjects = false;
    bool projectsFolder = false;
    bool folder = false;
    std::string folderPath;
};

// The plain "*.pwj" files directly in the folder, as full paths.
std::vector<std::string> projectFilesIn(const std::string& folder);

// The project files a search reads, each once, in the order: the folder, the
// projects folder, the recent projects, else the open project.
std::vector<std::string> projectFilesToSearch(const SearchScope& scope, const std::string& openProjectPath,
                                              const ProgramFolder& programFolder);

struct FoundAd {
    Ad ad;
    std::string group;
    std::string project;
};

struct SearchRequest {
    AdQuery query;
    std::vector<std::string> files;
    const Group* group = nullptr;        // searched first when given
    const Project* openProject = nullptr;  // its own file is searched from memory
    bool adsOnly = true;                   // other files are read without their phrases
};

// Calls `found` for each matching ad in order; stops between projects when
// *stop is raised.
void searchPastAds(const SearchRequest& request, const std::function<void(FoundAd)>& found,
                   const std::atomic<bool>* stop = nullptr, const ProgressFn& progress = {});

}  // namespace pw
