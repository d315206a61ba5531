#include "ui/main/projectchoosercontroller.h"
#include "ui/main/messages.h"

#include <filesystem>
#include <fstream>

#include "core/textencoding.h"
#include "io/projectfiles.h"
#include "io/recentprojects.h"

namespace pw::ui {

ProjectChooserController::ProjectChooserController(Desktop& ui, MainDialogs& dialogs, ProgramFolder folder)
    : ui_(ui), dialogs_(dialogs), folder_(std::move(folder)) {
    fill();
}

void ProjectChooserController::fill() {
    entries_.clear();
    std::vector<std::string> gone;
    for (const std::string& path : recentProjectPaths(folder_)) {
        if (fileExists(path)) entries_.push_back({fileNameOf(path), path});
        else gone.push_back(path);
    }
    for (const std::string& path : gone) removeRecentProject(folder_, path);
}

bool ProjectChooserController::choose(const std::string& path, bool remember) {
    chosen_ = path;
    if (remember) addRecentProject(folder_, path);
    return true;
}

bool ProjectChooserController::openEntry(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return false;
    const std::string path = entries_[index].path.substr(0, 510);
    if (std::ifstream(path, std::ios::binary)) return choose(path, true);
    ui_.message(kCannotOpenChosenProject);
    removeRecentProject(folder_, entries_[index].path);
    fill();
    return false;
}

// Why a typed name cannot be a file name, or none when it can.
std::optional<std::string> projectNameProblem(std::string_view name) {
    if (name.find('/') != std::string_view::npos)
        return "A project name cannot contain \"/\". Please choose another name.";
    if (name.find('\0') != std::string_view::npos) return "A project name cannot contain a NUL character.";
    if (name.find_first_not_of('.') == std::string_view::npos)
        return "A project name cannot be made of dots only. Please choose another name.";
    return std::nullopt;
}

std::optional<std::string> askNewProjectPath(Desktop& ui, MainDialogs& dialogs, const ProgramFolder& folder,
                                             const std::string& copyOf) {
    createFolder(folder.projectsFolder());
    std::optional<std::string> name = dialogs.askText({"New project...", "Please enter project name:", "", false});
    if (!name || name->empty()) return std::nullopt;
    if (const std::optional<std::string> problem = projectNameProblem(*name)) {
        ui.message(invalidProjectName(*problem));
        return std::nullopt;
    }
    const std::string path = newProjectPath(folder, *name);
    // A project copied onto itself would be lost: the overwrite deletes the source.
    if (!copyOf.empty() && sameFile(copyOf, path)) {
        ui.message(kCannotCopyOntoItself);
        return std::nullopt;
    }
    if (fileExists(path) && ui.message(confirmOverwriteProject(path)) != Answer::Yes)
        return std::nullopt;
    return path;
}

bool ProjectChooserController::newProject() {
    const std::optional<std::string> path = askNewProjectPath(ui_, dialogs_, folder_);
    if (!path) return false;
    removeFile(*path);  // the user agreed to replace it with a new project
    return choose(*path, false);
}

// The open dialog over the Projects folder; a second press while it is open is ignored.
std::optional<std::string> ProjectChooserController::pickProjectFile() {
    if (dialogOpen_) return std::nullopt;
    createFolder(folder_.projectsFolder());
    dialogOpen_ = true;
    const std::vector<std::string> chosen = ui_.openFiles({{kProjectFilter}, folder_.projectsFolder(), false});
    dialogOpen_ = false;
    if (chosen.empty()) return std::nullopt;
    return chosen.front();
}

bool ProjectChooserController::openProject() {
    const std::optional<std::string> path = pickProjectFile();
    return path && choose(*path, true);
}

bool ProjectChooserController::copyInto(const std::string& source) {
    const std::optional<std::string> target = askNewProjectPath(ui_, dialogs_, folder_, source);
    if (!target) return false;
    // A vanished source shows as an empty new project.
    if (copyProjectFile(source, *target) == CopyProjectResult::CannotWrite) {
        ui_.message(kCannotSaveProject);
        return false;
    }
    return choose(*target, true);
}

bool ProjectChooserController::copyExisting() {
    const std::optional<std::string> source = pickProjectFile();
    return source && copyInto(*source);
}

bool ProjectChooserController::copyToNewProject(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return false;
    return copyInto(entries_[index].path);
}

void ProjectChooserController::deleteProject(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return;
    const ChooserEntry entry = entries_[index];
    if (ui_.message(confirmDeleteProject(entry.name)) != Answer::Yes)
        return;
    if (!removeFile(entry.path)) {
        ui_.message(kCannotDeleteProjectFile);
        return;
    }
    removeRecentProject(folder_, entry.path);
    fill();
}

std::string ProjectChooserController::menuTitle(int index) const {
    constexpr size_t kMenuTitleCharacters = 62;
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return {};
    return std::string(clipToCharacters(entries_[index].name, kMenuTitleCharacters));
}

}  // namespace pw::ui
