#pragma once
// CDialogCountries and CUnwantedDialog: available and unwanted items side by
// side, with move buttons, "Add...", OK and Cancel.

#include <QDialog>

#include <functional>

#include "ui/main/cataloguecontrollers.h"

class QListWidget;
class QPushButton;

namespace pw::ui {

class CatalogueDialog : public QDialog {
protected:
    CatalogueDialog(const QString& title, const QString& availableLabel, const QString& unwantedLabel,
                    TwoLists& lists, QWidget* parent);
    void showLists();
    // "Add...": asks for the item and adds it through the controller.
    std::function<void()> onAdd;
    // ">>": moves the available rows through the controller (none: straight).
    std::function<void(const std::vector<int>&)> onMoveToUnwanted;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateButtons();

    TwoLists& lists_;
    QListWidget* available_;
    QListWidget* unwanted_;
    QPushButton* toUnwanted_;
    QPushButton* toAvailable_;
};

class CDialogCountries : public CatalogueDialog {
public:
    CDialogCountries(CountriesController& controller, QWidget* parent = nullptr);
};

class CUnwantedDialog : public CatalogueDialog {
public:
    CUnwantedDialog(UnwantedCharactersController& controller, QWidget* parent = nullptr);
};

}  // namespace pw::ui
