#pragma once
// The desktop as the program shows it: Qt message boxes, file dialogs, the
// colour picker, beeps and the clipboard.

#include <QPointer>
#include <QWidget>

#include "ui/common/desktop.h"

namespace pw::ui {

// Each window has a desktop of its own, so that its message boxes centre on
// it and belong to it. A window's controller exists before the window: its
// desktop starts on the window it opens over (or none) and is bound to the
// window once that exists.
class QtDesktop : public Desktop {
public:
    explicit QtDesktop(QWidget* window = nullptr) : parent_(window) {}
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    void bind(QWidget* window) { parent_ = window; }
    // The window this desktop's boxes belong to.
    QWidget* parent() const { return parent_; }
    // The window a new window opens over: the modal window in front (the one
    // whose button opened it), else this desktop's own.
    QWidget* frontWindow() const;

    Answer message(const Message& message) override;
    std::vector<std::string> openFiles(const OpenFileRequest& request) override;
    std::optional<std::string> saveFile(const SaveFileRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;
    std::optional<uint32_t> pickColor(uint32_t initial) override;
    void doubleBeep() override;
    void informationSound() override;
    void setClipboardText(const std::string& text) override;
    void openAddress(const std::string& address) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace pw::ui
