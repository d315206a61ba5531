#include "ui/main/projectsession.h"
#include "ui/main/messages.h"

#include "core/atomicfile.h"
#include "core/filetime.h"
#include "core/projectfile.h"
#include "core/text.h"
#include "io/listexport.h"
#include "io/recentprojects.h"
#include "ui/main/projectchoosercontroller.h"

namespace pw::ui {

bool ProjectSession::saveTo(const std::string& path) {
    const std::string previous = project_.path;
    project_.path = path;
    if (!saveProject(project_)) {
        project_.path = previous;
        desktop_.message(kCannotSaveProject);
        return false;
    }
    desktop_.informationSound();
    return true;
}

std::optional<std::string> ProjectSession::askSavePath() {
    std::optional<std::string> path = desktop_.saveFile({{kProjectFilter}, folder_.projectsFolder(), ""});
    if (path) *path = withExtension(*path, ".pwj");
    return path;
}

bool ProjectSession::save() {
    const std::optional<std::string> path = project_.path.empty() ? askSavePath() : project_.path;
    if (!path) return false;
    remember(*path);
    return saveTo(*path);
}

bool ProjectSession::saveAs() {
    const std::optional<std::string> path = askSavePath();
    if (!path) return false;
    // The new file is a project of its own from today; the date is saved with it.
    const std::string previousCreated = project_.createdDate;
    project_.createdDate = todayLocalDate();
    if (!saveTo(*path)) {
        project_.createdDate = previousCreated;
        return false;
    }
    remember(*path);
    return true;
}

bool ProjectSession::askToSave() {
    if (!project_.modified) return true;
    const Answer a = desktop_.message(kAskToSaveProject);
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) return save();
    return true;
}

std::optional<std::string> ProjectSession::askNewProject() {
    std::optional<std::string> path = askNewProjectPath(desktop_, dialogs_, folder_);
    if (path) removeFile(*path);  // the user agreed to replace it with a new project
    return path;
}

std::optional<std::string> ProjectSession::askProjectToOpen() {
    createFolder(folder_.projectsFolder());
    const std::vector<std::string> chosen = desktop_.openFiles({{kProjectFilter}, folder_.projectsFolder(), false});
    if (chosen.empty()) return std::nullopt;
    remember(chosen.front());
    return chosen.front();
}

void ProjectSession::remember(const std::string& path) { addRecentProject(folder_, path); }

}  // namespace pw::ui
