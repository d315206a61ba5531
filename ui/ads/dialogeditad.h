#pragma once
// CDialogEditAd: the ad editor, with a counter per limited box and a live
// preview. Its logic is AdEditorController.

#include <QDialog>

#include <array>

#include "ui/ads/adeditorcontroller.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pw::ui {

class AdPreview;

class CDialogEditAd : public QDialog {
public:
    CDialogEditAd(AdEditorController& controller, AdWindows& ui, const Group* group, QWidget* parent = nullptr);

    // Escape, the close box and "Cancel" ask first when the ad changed.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBoxes();
    void showCountersAndPreview();
    void boxEdited(EditorBox box);
    QWidget* widgetOf(EditorBox box) const;
    // The one-line boxes and what each holds.
    std::array<std::pair<QLineEdit*, EditorBox>, 5> lineBoxes() const;
    void focusBox(EditorBox box);

    AdEditorController& controller_;
    AdWindows& ui_;
    const Group* group_;
    bool updating_ = false;
    QComboBox* network_;
    QCheckBox* validate_;
    QLineEdit* title_;
    QLineEdit* text1_;
    QPlainTextEdit* description_ = nullptr;
    QLineEdit* text2_;
    QLineEdit* displayUrl_;
    QLineEdit* destinationUrl_;
    QPlainTextEdit* notes_ = nullptr;
    QLabel* text1Label_;
    QLabel* text2Label_;
    std::array<QLabel*, kLimitedFieldCount> counters_{};
    AdPreview* preview_;
    QPushButton* copyInto_;
    QPushButton* delete_;
};

}  // namespace pw::ui
