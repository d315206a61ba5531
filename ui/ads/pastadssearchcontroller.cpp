#include "ui/ads/pastadssearchcontroller.h"

#include "core/textencoding.h"

namespace pw::ui {

PastAdsSearchController::PastAdsSearchController(Desktop& ui, CommandGate& gate, Dispatcher& dispatcher,
                                                 ProgramFolder folder, const Project* project, const Group* group,
                                                 bool threaded)
    : ui_(ui),
      gate_(gate),
      dispatcher_(dispatcher),
      folder_(std::move(folder)),
      project_(project),
      group_(group),
      jobs_(dispatcher, threaded) {}

PastAdsSearchController::~PastAdsSearchController() {
    stop_ = true;
    jobs_.wait();
}

void PastAdsSearchController::setCurrentGroup(bool on) {
    gate_.run(Needs::Nothing, [&] {
        if (currentGroupEnabled()) scope_.currentGroup = on;
    });
}

void PastAdsSearchController::setCurrentProject(bool on) {
    gate_.run(Needs::Nothing, [&] {
        if (!currentProjectEnabled()) return;
        scope_.currentProject = on;
        if (on) scope_.currentGroup = true;  // and its box is disabled
    });
}

void PastAdsSearchController::setRecentProjects(bool on) {
    gate_.run(Needs::Nothing, [&] {
        scope_.recentProjects = on;
        if (on) {
            scope_.currentGroup = scope_.currentProject = true;
        } else if (scope_.currentProject) {
            scope_.currentGroup = true;
        }
    });
}

void PastAdsSearchController::setProjectsFolder(bool on) {
    gate_.run(Needs::Nothing, [&] { scope_.projectsFolder = on; });
}

void PastAdsSearchController::setFolder(bool on) {
    gate_.run(Needs::Nothing, [&] {
        scope_.folder = on;
        if (on && scope_.folderPath.empty()) {
            browseFolderNow();
            if (scope_.folderPath.empty()) scope_.folder = false;
        }
    });
}

// The folder box holds a 512-character buffer's worth.
constexpr size_t kFolderPathCharacters = 511;

void PastAdsSearchController::setFolderPath(const std::string& path) {
    gate_.run(Needs::Nothing, [&] { scope_.folderPath = clipToCharacters(path, kFolderPathCharacters); });
}

void PastAdsSearchController::browseFolder() {
    gate_.run(Needs::Nothing, [this] { browseFolderNow(); });
}

void PastAdsSearchController::browseFolderNow() {
    if (searching()) {
        ui_.doubleBeep();
        return;
    }
    if (const std::optional<std::string> chosen = ui_.chooseFolder("Choose Phrasewright projects folder"))
        scope_.folderPath = clipToCharacters(*chosen, kFolderPathCharacters);
}

void PastAdsSearchController::stopSearch() {
    gate_.run(Needs::Nothing, [this] { stop_ = true; });
}

void PastAdsSearchController::startSearch() {
    gate_.run(Needs::Lists, [this] {
        if (searching()) return;
        stop_ = false;
        results_.clear();
        selected_.reset();
        progress_ = 0;
        SearchRequest request;
        request.query = query;
        request.openProject = project_;
        request.files = projectFilesToSearch(scope_, project_ ? project_->path : std::string(), folder_);
        if (!scope_.recentProjects && scope_.currentGroup) request.group = group_;
        changed();
        jobs_.start(
            [this, request] {
                searchPastAds(
                    request,
                    [this](FoundAd found) {
                        dispatcher_.post([this, found = std::move(found)]() mutable {
                            results_.push_back(std::move(found));
                            changed();
                        });
                    },
                    &stop_,
                    [this](int percent) {
                        dispatcher_.post([this, percent] {
                            progress_ = percent;
                            changed();
                        });
                    });
            },
            [this](bool) { changed(); });
    });
}

void PastAdsSearchController::select(int index) {
    gate_.run(Needs::Nothing, [&] {
        if (index >= 0 && static_cast<size_t>(index) < results_.size()) selected_ = index;
        else selected_.reset();
        changed();
    });
}

std::optional<int> PastAdsSearchController::copyIntoCurrentAd() {
    std::optional<int> chosen;
    gate_.run(Needs::Nothing, [&] {
        if (searching()) ui_.doubleBeep();
        else chosen = selected_;
    });
    return chosen;
}

bool PastAdsSearchController::close() {
    bool closes = false;
    gate_.run(Needs::Nothing, [&] {
        closes = !searching();
        if (!closes) ui_.doubleBeep();
    });
    return closes;
}

}  // namespace pw::ui
