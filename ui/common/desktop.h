#pragma once
// What every window asks of the desktop: message boxes, file and folder
// dialogs, the colour picker, sounds, the clipboard and opening an address.
// The program shows the real ones; tests replace them with a script.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw::ui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// A message box: its text, caption, icon and buttons.
struct Message {
    std::string text;
    std::string caption;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    // Enter answers No: for questions whose Yes cannot be undone.
    bool noByDefault = false;
    bool operator==(const Message&) const = default;
};

// A text the engine defines (and the command line prints too) in a box.
inline Message messageOf(std::string_view text, std::string_view caption, Icon icon, Buttons buttons = Buttons::Ok) {
    return {std::string(text), std::string(caption), icon, buttons};
}

// Shown by every window when a command fails in a way nobody foresaw.
inline const Message kUnknownError{"An unknown error has occured!", "Unknown error", Icon::Error, Buttons::Ok};

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

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual Answer message(const Message& message) = 0;
    // Empty when cancelled.
    virtual std::vector<std::string> openFiles(const OpenFileRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const SaveFileRequest& request) = 0;
    // A folder browser with this title.
    virtual std::optional<std::string> chooseFolder(const std::string& title) = 0;
    virtual std::optional<uint32_t> pickColor(uint32_t initial) = 0;
    virtual void doubleBeep() = 0;
    virtual void informationSound() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    // Opens a document or web address with the user's default program.
    virtual void openAddress(const std::string& address) = 0;
};

}  // namespace pw::ui
