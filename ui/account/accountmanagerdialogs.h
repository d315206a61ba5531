#pragma once
// "Google Manager" and "Manage Google Campaign": they show their controllers
// and forward what the user does.

#include <QDialog>

#include <array>
#include <string>
#include <vector>

#include <cstdint>

#include "ui/account/accountmanagercontroller.h"
#include "ui/account/campaigneditorcontroller.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace pw::ui {

class CDialogGoogleManager : public QDialog {
public:
    CDialogGoogleManager(AccountManagerController& controller, uint32_t background, QWidget* parent = nullptr);
    void showState();

protected:
    void done(int result) override;

private:
    void followCommit();
    void showRows();

    AccountManagerController& controller_;
    // The rows as last shown, so that an unchanged list is not rebuilt.
    std::vector<std::array<std::string, kCampaignColumnCount>> shownRows_;
    int shownSelection_ = -1;
    QLineEdit* managing_;
    QTreeWidget* list_;
    QLabel* note_;
    QLabel* status_;
    QProgressBar* progress_;
    QCheckBox* activeOnly_;
    QPushButton* refresh_;
    QPushButton* create_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* commit_;
    QPushButton* clear_;
    QPushButton* stop_;
    // While a commit runs: the bar moves every 35 ms, the commit is polled every 500 ms.
    QTimer* progressTimer_;
    QTimer* statusTimer_;
};

class CDialogManageCampaign : public QDialog {
public:
    CDialogManageCampaign(CampaignEditorController& controller, uint32_t background, QWidget* parent = nullptr);

private:
    void showChosen();
    void showChecks();
    void trySave();

    CampaignEditorController& controller_;
    QLineEdit* name_;
    QComboBox* status_;
    QLineEdit* budget_;
    QCalendarWidget* start_;
    QCalendarWidget* end_;
    QListWidget* countries_;
    QListWidget* chosenCountries_;
    QListWidget* languages_;
    QListWidget* chosenLanguages_;
    QCheckBox* search_;
    QCheckBox* network_;
    QCheckBox* content_;
    QCheckBox* separateBids_;
};

}  // namespace pw::ui
