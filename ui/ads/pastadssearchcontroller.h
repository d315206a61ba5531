#pragma once
// What "Search for past ads" (CDialogSearch) does: six criteria, the scopes
// and how they switch each other, the search on its own worker with a stop,
// the results, and the ad handed back.

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "ads/pastadsearch.h"
#include "ui/common/jobrunner.h"
#include "ui/ads/adwindows.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"

namespace pw::ui {

class PastAdsSearchController {
public:
    // The search's worker reads the open project, so starting it passes
    // `gate` as a command that needs the lists: it never runs beside a list
    // job of the main window. The other commands pass it for its guard.
    PastAdsSearchController(Desktop& ui, CommandGate& gate, Dispatcher& dispatcher, ProgramFolder folder,
                            const Project* project, const Group* group, bool threaded = true);
    ~PastAdsSearchController();

    AdQuery query;
    const SearchScope& scope() const { return scope_; }
    bool currentGroupEnabled() const { return !scope_.recentProjects && !scope_.currentProject; }
    bool currentProjectEnabled() const { return !scope_.recentProjects; }
    void setCurrentGroup(bool on);
    void setCurrentProject(bool on);
    void setRecentProjects(bool on);
    void setProjectsFolder(bool on);
    void setFolder(bool on);
    void setFolderPath(const std::string& path);
    // The folder browser; refused while a search runs.
    void browseFolder();

    // Called with each change the window should show.
    std::function<void()> onChange;

    void startSearch();
    void stopSearch();
    bool searching() const { return jobs_.busy(); }
    int progress() const { return progress_; }
    const std::vector<FoundAd>& results() const { return results_; }

    std::optional<int> selected() const { return selected_; }
    void select(int index);
    // "&Copy into current ad": the chosen result, or none (refused while searching).
    std::optional<int> copyIntoCurrentAd();
    // "&Close": false while a search runs.
    bool close();

private:
    void browseFolderNow();
    void changed() {
        if (onChange) onChange();
    }

    Desktop& ui_;
    CommandGate& gate_;
    Dispatcher& dispatcher_;
    ProgramFolder folder_;
    const Project* project_;
    const Group* group_;
    SearchScope scope_;
    JobRunner jobs_;
    std::atomic<bool> stop_{false};
    std::vector<FoundAd> results_;
    std::optional<int> selected_;
    int progress_ = 0;
};

}  // namespace pw::ui
