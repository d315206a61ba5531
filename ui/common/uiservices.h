#pragma once
// Everything a window asks of the desktop: message boxes, file dialogs, the
// colour picker, sounds, the clipboard, and the small dialogs that return one
// answer. The program shows real windows; tests replace it with a script.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ad.h"
#include "core/delimitedline.h"
#include "io/listexport.h"

namespace pw {
struct Project;
struct Group;
class ProgramFolder;
}  // namespace pw

namespace pw::ui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    std::string text;
    std::string caption;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
};

struct FileFilter {
    std::string name;     // "Text files (*.txt)"
    std::string pattern;  // "*.txt"
};

struct OpenFileRequest {
    std::vector<FileFilter> filters;
    std::string folder;
    bool multiple = false;
};

struct SaveFileRequest {
    std::vector<FileFilter> filters;
    std::string folder;
    std::string initialName;
};

// A dialog with one text box: new project name, phrases to add.
struct TextPrompt {
    std::string title;
    std::string label;
    std::string initial;
    bool multiLine = false;
};

// What the ad editor opens on.
struct AdEditRequest {
    Ad* ad = nullptr;        // written only on "&Save ad"
    AdList* list = nullptr;  // the list that holds it (none for a new ad or a copy)
    bool newAd = false;
    bool copy = false;
    bool accountMode = false;
    const Group* group = nullptr;  // searched first by "Search..."
};

struct DeleteConfirmation {
    bool yes = false;
    bool dontShowAgain = false;
};

class UiServices {
public:
    virtual ~UiServices() = default;

    virtual Answer message(const Message& message) = 0;
    // Empty when cancelled.
    virtual std::vector<std::string> openFiles(const OpenFileRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const SaveFileRequest& request) = 0;
    virtual std::optional<uint32_t> pickColor(uint32_t initial) = 0;
    virtual void doubleBeep() = 0;
    virtual void informationSound() = 0;
    virtual void setClipboardText(const std::string& text) = 0;

    virtual std::optional<std::string> askText(const TextPrompt& prompt) = 0;
    // "Select group": one of the names, or none.
    virtual std::optional<std::string> chooseGroup(const std::vector<std::string>& names) = 0;
    // "Rename group": `taken` tells whether a typed name belongs to another group.
    virtual std::optional<std::string> renameGroup(const std::string& current,
                                                   const std::function<bool(const std::string&)>& taken) = 0;
    virtual std::optional<std::string> findGroup(const std::vector<std::string>& names) = 0;
    // The "Confirm action" window before a permanent delete.
    virtual DeleteConfirmation confirmPermanentDelete() = 0;
    // "Select CSV columns" for a file of three or more columns.
    virtual std::optional<ImportColumns> chooseColumns(const std::string& fileLabel, int columnCount) = 0;
    // The catalogue windows; true on OK (they change the project themselves).
    virtual bool editCountries(Project& project, const ProgramFolder& folder) = 0;
    virtual bool editUnwantedCharacters(Project& project, const ProgramFolder& folder) = 0;
    // The "Ignored words" window.
    virtual void showIgnoredWords(const std::string& word, const std::vector<ListRow>& rows) = 0;
    // The "Open/Create project" window: the chosen project's path, or none.
    virtual std::optional<std::string> chooseProject() = 0;

    // The ad editor; true when the ad was saved or deleted.
    virtual bool editAd(const AdEditRequest& request) = 0;
    // "Manage ads lists"; true when an ad moved.
    virtual bool manageAdLists(Group& group) = 0;
    // "Search for past ads": the ad picked, or none.
    virtual std::optional<Ad> searchPastAds(const Group* group) = 0;
    // A folder browser with this title.
    virtual std::optional<std::string> chooseFolder(const std::string& title) = 0;
};

}  // namespace pw::ui
