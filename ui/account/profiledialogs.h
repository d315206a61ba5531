#pragma once
// The profile windows: "Select Google profile", "Manage Google profile" and
// "Rename profile". They show their controllers and forward what the user does.

#include <QDialog>

#include <cstdint>

#include "ui/account/profilecontrollers.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace pw::ui {

class CDialogSelectGoogleAccount : public QDialog {
public:
    CDialogSelectGoogleAccount(ProfileChooserController& controller, uint32_t background, QWidget* parent = nullptr);

private:
    void showRows();
    void showButtons();

    ProfileChooserController& controller_;
    QTreeWidget* list_;
    QPushButton* setDefault_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* rename_;
};

class CDialogEditGoogleAccount : public QDialog {
public:
    CDialogEditGoogleAccount(ProfileEditorController& controller, uint32_t background, QWidget* parent = nullptr);

private:
    void showEnabled();
    void trySave();

    ProfileEditorController& controller_;
    QLineEdit* name_;
    QLineEdit* email_;
    QLineEdit* password_;
    QLineEdit* client_;
    QLineEdit* token_;
    QCheckBox* useProxy_;
    QComboBox* proxyType_;
    QLineEdit* address_;
    QLineEdit* port_;
    QLineEdit* proxyUser_;
    QLineEdit* proxyPassword_;
    QPushButton* save_;
};

class CDialogRenameProfile : public QDialog {
public:
    CDialogRenameProfile(const std::string& name, uint32_t background, QWidget* parent = nullptr);
    std::string name() const;

private:
    QLineEdit* field_;
};

}  // namespace pw::ui
