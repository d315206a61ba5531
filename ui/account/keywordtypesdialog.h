#pragma once
// "Set default properties" (CDialogSelectKeywordTypes): shows its controller
// and forwards what the user does.

#include <QDialog>

#include <cstdint>

#include "ui/account/keywordtypescontroller.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace pw::ui {

class CDialogSelectKeywordTypes : public QDialog {
public:
    CDialogSelectKeywordTypes(KeywordTypesController& controller, uint32_t background, QWidget* parent = nullptr);

private:
    void showChecks();
    void tryAccept();

    KeywordTypesController& controller_;
    QLineEdit* maxCpc_;
    QLineEdit* maxCpm_;
    QLineEdit* maxContentCpc_;
    QCheckBox* all_;
    QCheckBox* broad_;
    QCheckBox* phrase_;
    QCheckBox* exact_;
    QPushButton* ok_;
};

}  // namespace pw::ui
