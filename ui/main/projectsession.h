#pragma once
// The open project and its file: save, save as, the question before unsaved
// work is dropped, the project dialogs and the recent projects. Loading runs
// on the main window's worker; a loaded project is swapped in here whole.

#include <optional>
#include <string>

#include "core/project.h"
#include "io/programfolder.h"
#include "ui/common/desktop.h"
#include "ui/main/maindialogs.h"

namespace pw::ui {

class ProjectSession {
public:
    ProjectSession(Desktop& desktop, MainDialogs& dialogs, ProgramFolder folder)
        : desktop_(desktop), dialogs_(dialogs), folder_(std::move(folder)) {}

    Project& project() { return project_; }
    const Project& project() const { return project_; }
    const ProgramFolder& folder() const { return folder_; }

    // Empties the project; the path is forgotten.
    void reset() { resetProject(project_); }
    // Takes over a project loaded elsewhere, path included.
    void adopt(Project&& loaded) { project_ = std::move(loaded); }

    // Saves to the project's path, asking for one while untitled; false when not saved.
    bool save();
    // Asks for a new path; the copy saved there starts its own create date.
    bool saveAs();
    // Writes the project to this path and says so; the path is kept only when it worked.
    bool saveTo(const std::string& path);
    // "Project not saved!\nSave now?": false when the user chose to stay.
    bool askToSave();

    // The dialogs of "New project" and "Open project": the path, or none.
    std::optional<std::string> askNewProject();
    std::optional<std::string> askProjectToOpen();
    void remember(const std::string& path);

private:
    // The save dialog; ".pwj" is added unless the name already ends with it.
    std::optional<std::string> askSavePath();

    Desktop& desktop_;
    MainDialogs& dialogs_;
    ProgramFolder folder_;
    Project project_;
};

}  // namespace pw::ui
