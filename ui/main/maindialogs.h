#pragma once
// The main window's own small windows. Each returns what the user chose;
// the controller applies it to the project.

#include <optional>
#include <string>
#include <vector>

#include "core/delimitedline.h"
#include "io/listexport.h"
#include "ui/lists/listdialogs.h"

namespace pw::ui {

// A dialog with one text box: new project name, phrases to add.
struct TextPrompt {
    std::string title;
    std::string label;
    std::string initial;
    bool multiLine = false;
};

class MainDialogs : public ListDialogs {
public:

    virtual std::optional<std::string> askText(const TextPrompt& prompt) = 0;
    // "Select XLS sheet": the position of the chosen sheet among `sheets` (the
    // names as the chooser shows them), or none.
    virtual std::optional<int> chooseSheet(const std::string& fileName, const std::vector<std::string>& sheets) = 0;
    // "Select CSV columns" for a file of three or more columns, the offered
    // phrase and hit-count columns preselected; the answer is `offered` with
    // the user's two columns.
    virtual std::optional<ImportColumns> chooseColumns(const std::string& fileLabel, const ImportColumns& offered) = 0;
    // The "Open/Create project" window: the chosen project's path, or none.
    virtual std::optional<std::string> chooseProject() = 0;
};

}  // namespace pw::ui
