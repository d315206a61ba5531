#pragma once
// Dialogs that ask for one line of text: a new project's name, a country, an
// unwanted character, a group's new name. The button that accepts is enabled
// only while the box holds text.

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QLabel;
class QPlainTextEdit;

namespace pw::ui {

class TextEntryDialog : public QDialog {
public:
    TextEntryDialog(const QString& title, const QString& label, const QString& acceptText, QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    void setMaxLength(int length);
    // Asked on accept; a refusal keeps the dialog open with the text selected.
    std::function<bool(const QString&)> acceptable;

protected:
    void accept() override;

private:
    QLineEdit* edit_;
    QPushButton* ok_;
};

class CDialogNewProject : public TextEntryDialog {
public:
    explicit CDialogNewProject(QWidget* parent = nullptr);
};

// "Add search phrase": several phrases, one per line.
class CDialogAddPhrases : public QDialog {
public:
    explicit CDialogAddPhrases(QWidget* parent = nullptr);
    QString text() const;

private:
    QPlainTextEdit* edit_;
};

}  // namespace pw::ui
