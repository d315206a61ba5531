#pragma once
// ProjectChooser: the "Open/Create project" window shown at start-up and
// after "Close project".

#include <QDialog>

#include "ui/main/projectchoosercontroller.h"

class QTreeWidget;
class QPushButton;

namespace pw::ui {

class ProjectChooser : public QDialog {
public:
    ProjectChooser(ProjectChooserController& controller, QWidget* parent = nullptr);

private:
    void showEntries();
    void finishIf(bool done);
    int selectedEntry() const;

    ProjectChooserController& controller_;
    QTreeWidget* list_;
    QPushButton* delete_;
};

}  // namespace pw::ui
