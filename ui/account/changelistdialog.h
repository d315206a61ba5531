#pragma once
// "Commit changes" (CDialogListChanges): the queued changes, every one
// selected at first; the caller's caption and OK text say what OK does with
// the lines left selected.

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace pw::ui {

constexpr const char* kChangeListOkTooltip = "Click here to select these changes";

class CDialogListChanges : public QDialog {
public:
    CDialogListChanges(const std::string& caption, const std::string& okText, std::vector<std::string> lines,
                       uint32_t background, QWidget* parent = nullptr);
    // The lines left selected, in file order.
    std::vector<std::string> chosen() const;

private:
    std::vector<bool> selection() const;
    void followSelection();

    std::vector<std::string> lines_;
    QTreeWidget* list_;
    QPushButton* ok_;
};

}  // namespace pw::ui
