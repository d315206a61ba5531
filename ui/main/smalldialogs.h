#pragma once
// The small windows of the keyword road: "Confirm action" before a permanent
// delete, "Select CSV columns" and the "Ignored words" viewer.

#include <QDialog>

#include <string>
#include <vector>

#include "io/listexport.h"

class QCheckBox;
class QComboBox;

namespace pw::ui {

class CDialogConfirmAction : public QDialog {
public:
    explicit CDialogConfirmAction(QWidget* parent = nullptr);
    bool dontShowAgain() const;

private:
    QCheckBox* dontShow_;
};

class CDialogCSVColumns : public QDialog {
public:
    // Preselects `phraseColumn` and `hitColumn` (-1: "None").
    CDialogCSVColumns(const QString& fileLabel, int columnCount, int phraseColumn, int hitColumn,
                      QWidget* parent = nullptr);
    int phraseColumn() const;
    int hitColumn() const;  // -1: none

private:
    QComboBox* phrase_;
    QComboBox* hits_;
};

// "Select XLS sheet": one sheet of a workbook to import.
class CDialogXLSSheet : public QDialog {
public:
    CDialogXLSSheet(const QString& fileName, const QStringList& sheets, QWidget* parent = nullptr);
    int chosen() const;

private:
    QComboBox* sheets_;
};

class CDialogIgnoredWords : public QDialog {
public:
    CDialogIgnoredWords(const QString& word, const std::vector<ListRow>& rows, QWidget* parent = nullptr);
};

}  // namespace pw::ui
