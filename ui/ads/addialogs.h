#pragma once
// "Manage ads lists" (CDialogManageLists), "Select Ad" (CDialogSelectAd)
// and "Search for past ads" (CDialogSearch).

#include <QDialog>

#include <array>
#include <vector>

#include "core/project.h"
#include "ui/ads/managelistscontroller.h"
#include "ui/ads/pastadssearchcontroller.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTreeWidget;

namespace pw::ui {

class AdPreview;

class CDialogManageLists : public QDialog {
public:
    CDialogManageLists(ManageListsController& controller, QWidget* parent = nullptr);

private:
    void showPanes();

    ManageListsController& controller_;
    QComboBox* lists_[2];
    std::array<std::array<AdPreview*, kPanePreviews>, 2> previews_{};
    QScrollBar* scroll_[2];
};

class CDialogSelectAd : public QDialog {
public:
    CDialogSelectAd(Project& project, QWidget* parent = nullptr);
    Ad* chosen() const { return chosen_; }

private:
    void showAds();

    Project& project_;
    QComboBox* group_;
    QComboBox* list_;
    QScrollBar* scroll_;
    std::array<AdPreview*, 3> previews_{};
    Ad* chosen_ = nullptr;
};

class CDialogSearch : public QDialog {
public:
    CDialogSearch(PastAdsSearchController& controller, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    void showState();
    void readCriteria();

    PastAdsSearchController& controller_;
    std::array<QLineEdit*, kAdCriterionCount> texts_{};
    std::array<QCheckBox*, kAdCriterionCount> perfect_{};
    std::array<QCheckBox*, kAdCriterionCount> caseSensitive_{};
    QCheckBox* currentGroup_;
    QCheckBox* currentProject_;
    QCheckBox* recent_;
    QCheckBox* projectsFolder_;
    QCheckBox* folder_;
    QLineEdit* folderPath_;
    QPushButton* stop_;
    QPushButton* copy_;
    QTreeWidget* results_;
    AdPreview* preview_;
    QLineEdit* destination_;
    QLineEdit* notes_;
    QLabel* status_;
    QProgressBar* progress_;
    int shownResults_ = 0;
};

}  // namespace pw::ui
