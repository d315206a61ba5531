#pragma once
// The desktop as the program shows it: Qt message boxes, file dialogs, the
// colour picker, beeps and the clipboard.

#include <QPointer>
#include <QWidget>

#include "ui/common/desktop.h"

namespace pw::ui {

class QtDesktop : public Desktop {
public:
    // Dialogs open over this window.
    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

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
