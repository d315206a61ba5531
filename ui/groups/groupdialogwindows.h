#pragma once
// "Select group" (CDialogExistingGroup) and "Find group...".

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace pw::ui {

class CDialogExistingGroup : public QDialog {
public:
    CDialogExistingGroup(const QStringList& names, QWidget* parent = nullptr);
    int chosenIndex() const;

private:
    QComboBox* groups_;
};

class CDialogFindGroup : public QDialog {
public:
    CDialogFindGroup(const QStringList& names, QWidget* parent = nullptr);
    QString chosen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* part_;
    QListWidget* list_;
};

}  // namespace pw::ui
