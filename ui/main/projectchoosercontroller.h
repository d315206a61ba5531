#pragma once
// What the "Open/Create project" window does: the recent projects (those
// whose files are gone are dropped), open, new, copy and delete.

#include <optional>
#include <string>
#include <vector>

#include "io/programfolder.h"
#include "ui/common/desktop.h"
#include "ui/main/maindialogs.h"

namespace pw::ui {

inline const FileFilter kProjectFilter{"Phrasewright project files (*.pwj)", "*.pwj"};

struct ChooserEntry {
    std::string name;  // the file name
    std::string path;
};

// Asks for a new project's name and gives its path in the Projects folder
// (".pwj" added), after asking before an existing file there is replaced.
// Nothing is deleted here. For a copy, `copyOf` is the project copied: a
// name that is that same file is refused.
std::optional<std::string> askNewProjectPath(Desktop& desktop, MainDialogs& dialogs, const ProgramFolder& folder,
                                             const std::string& copyOf = {});

class ProjectChooserController {
public:
    ProjectChooserController(Desktop& ui, MainDialogs& dialogs, ProgramFolder folder);

    const std::vector<ChooserEntry>& entries() const { return entries_; }
    // The title of an entry's right-click menu: its name, cut short.
    std::string menuTitle(int index) const;
    // Set when the window ends with OK: the project to open or create.
    const std::optional<std::string>& chosen() const { return chosen_; }

    void fill();
    // Each returns true when the window is to close with OK.
    bool openEntry(int index);
    bool newProject();
    bool openProject();
    bool copyExisting();
    bool copyToNewProject(int index);
    void deleteProject(int index);

private:
    std::optional<std::string> pickProjectFile();
    bool copyInto(const std::string& source);
    bool choose(const std::string& path, bool remember);

    Desktop& ui_;
    MainDialogs& dialogs_;
    ProgramFolder folder_;
    std::vector<ChooserEntry> entries_;
    std::optional<std::string> chosen_;
    bool dialogOpen_ = false;
};

}  // namespace pw::ui
