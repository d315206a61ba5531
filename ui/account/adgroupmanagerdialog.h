#pragma once
// "Manage Ad Groups": shows the ad group manager's controller and forwards
// what the user does.

#include <QDialog>

#include <array>
#include <cstdint>

#include "ui/account/adgroupmanagercontroller.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTreeWidget;

namespace pw::ui {

class AdPreview;

class CDialogManageAdGroups : public QDialog {
public:
    CDialogManageAdGroups(AdGroupManagerController& controller, uint32_t background, QWidget* parent = nullptr);
    // A read that ends later no longer reaches this window.
    ~CDialogManageAdGroups() override;
    void showState();

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showGroups();
    void showFields();
    void showKeywords();
    void showAds();
    void trySaveGroup(bool asDelete);
    void focusRefusedField();
    std::string caretLine() const;
    std::string boxText() const;
    void showAdMenu(int preview, const QPoint& at);

    AdGroupManagerController& controller_;
    QLabel* campaign_;
    QTreeWidget* groups_;
    QPushButton* newGroup_;
    QPushButton* deleteGroup_;
    QLineEdit* name_;
    QLineEdit* maxCpc_;
    QLineEdit* maxCpm_;
    QLineEdit* maxContentCpc_;
    QComboBox* status_;
    QPushButton* saveGroup_;
    QPushButton* importGroup_;
    QLabel* note_;
    QPlainTextEdit* keywords_;
    QLineEdit* bid_;
    QPushButton* loadKeywords_;
    QPushButton* importKeywords_;
    QPushButton* saveKeywords_;
    std::array<AdPreview*, kAdGroupPreviews> previews_{};
    QScrollBar* adScroll_;
    QCheckBox* showDeleted_;
    QPushButton* newAd_;
    QPushButton* deleteAd_;
    QPushButton* editAd_;
    QPushButton* loadAds_;
    QPushButton* importAd_;
    QPushButton* refresh_;
    QPushButton* stop_;
    QPushButton* close_;
    QLabel* statusLine_;
    QProgressBar* progress_;
    int shownKeywordRevision_ = -1;
};

}  // namespace pw::ui
