#pragma once
// What the main window and its project windows say.

#include <string>

#include "core/projectfile.h"
#include "io/listexport.h"
#include "io/spreadsheetimport.h"
#include "io/textimport.h"
#include "ui/common/desktop.h"

namespace pw::ui {

inline const Message kNoPhase4OnMainList{"Cannot enter phase 4 while in the main list!", "Phase 4 error",
                                         Icon::Warning, Buttons::Ok};
inline const Message kCannotImportSeveralXls{"Cannot import multiple XLS files at once!", "XLS import",
                                             Icon::Warning, Buttons::Ok};
inline const Message kNothingToExport{"The list is empty! Nothing to export!", "Nothing to export!",
                                      Icon::Information, Buttons::Ok};
inline const Message kNoGroupsToExport{"There are no ad groups in your project! Nothing to export!",
                                       "Nothing to export", Icon::Warning, Buttons::Ok};
inline const Message kListExported{"The list was successfully exported!", "Success", Icon::Information, Buttons::Ok};
inline const Message kGroupsExported{"Ad groups exported OK!", "Success", Icon::Information, Buttons::Ok};
inline const Message kExportHitCounts{"Export hit counts also?", "Export type", Icon::Question, Buttons::YesNoCancel};

inline const Message kCannotSaveProject{"Cannot save project!", "Error saving", Icon::Error, Buttons::Ok};
inline const Message kAskToSaveProject{"Project not saved!\nSave now?", "Save project?", Icon::Question,
                                       Buttons::YesNoCancel};
inline const Message kCannotOpenChosenProject{"The specified project could not be opened!", "Cannot open project",
                                              Icon::Warning, Buttons::Ok};
inline const Message kCannotCopyOntoItself{"A project cannot be copied onto itself! Please choose another name.",
                                           "Copy project", Icon::Warning, Buttons::Ok};
inline const Message kCannotDeleteProjectFile{
    "Cannot delete file! Make sure the file is not in use by another application!", "Delete error", Icon::Warning,
    Buttons::Ok};
inline const Message kCountryExists{"Country already exists!", "Cannot add country", Icon::Warning, Buttons::Ok};

// The project's unwanted characters have a fixed room in its file.
inline Message unwantedCharactersDoNotFit(size_t moved, size_t selected) {
    return {"Only " + std::to_string(moved) + " of the " + std::to_string(selected) +
                " characters fit: a project keeps at most 127 bytes of unwanted characters, and a character "
                "outside ASCII takes two to four.",
            "Cannot add", Icon::Warning, Buttons::Ok};
}
inline Message invalidProjectName(const std::string& problem) {
    return {problem, "Invalid project name", Icon::Warning, Buttons::Ok};
}
inline Message confirmOverwriteProject(const std::string& path) {
    return {"Project '" + path + "' already exists! Overwrite?", "Overwrite project file", Icon::Warning,
            Buttons::YesNo};
}
// Enter answers No: deleting a project cannot be undone.
inline Message confirmDeleteProject(const std::string& name) {
    return {"Are you sure you want to delete project '" + name + "'?", "Confirm delete", Icon::Question,
            Buttons::YesNo, true};
}

// The texts the command line prints too, as the window shows them.
inline Message projectLoadFailed(LoadCode code) {
    const LoadMessage m = loadMessage(code);
    return messageOf(m.text, m.title, Icon::Warning);
}
inline Message importFailed(ImportProblem problem) {
    const ImportMessage m = importMessage(problem);
    return messageOf(m.text, m.caption, Icon::Error);
}
inline Message spreadsheetFailed(ConvertResult result) {
    return messageOf(convertMessage(result), kSpreadsheetErrorCaption, Icon::Warning);
}

}  // namespace pw::ui
