#include "ui/common/qtuiservices.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "io/textimport.h"
#include "ui/ads/addialogs.h"
#include "ui/main/cataloguedialogs.h"
#include "ui/ads/dialogeditad.h"
#include "ui/common/qtdispatcher.h"
#include "ui/groups/groupdialogs.h"
#include "ui/main/projectchooser.h"
#include "ui/common/qttext.h"
#include "ui/main/smalldialogs.h"
#include "ui/common/textentrydialog.h"

namespace pw::ui {

namespace {
QString filterString(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const FileFilter& f : filters) {
        QString patterns = QString::fromStdString(f.pattern);
        patterns.replace(';', ' ');
        parts << QString::fromStdString(f.name).section(" (", 0, 0) + " (" + patterns + ")";
    }
    return parts.join(";;");
}

QStringList toQtList(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& s : items) list << toQt(s);
    return list;
}

// The name as it came in, when the user picked one of the offered names.
std::string originalOf(const QString& shown, const std::vector<std::string>& names) {
    for (const std::string& n : names)
        if (toQt(n) == shown) return n;
    return fromQt(shown);
}
}  // namespace

Answer QtUiServices::message(const Message& m) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(m.caption));
    box.setText(toQt(m.text));
    switch (m.icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::None: break;
    }
    switch (m.buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return m.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::vector<std::string> QtUiServices::openFiles(const OpenFileRequest& request) {
    const QString filters = filterString(request.filters);
    const QString folder = QString::fromStdString(request.folder);
    std::vector<std::string> chosen;
    if (request.multiple) {
        for (const QString& f : QFileDialog::getOpenFileNames(parent_, QString(), folder, filters))
            chosen.push_back(fromQt(f));
    } else if (const QString f = QFileDialog::getOpenFileName(parent_, QString(), folder, filters); !f.isEmpty()) {
        chosen.push_back(fromQt(f));
    }
    return chosen;
}

std::optional<std::string> QtUiServices::saveFile(const SaveFileRequest& request) {
    QString start = QString::fromStdString(request.folder);
    if (!request.initialName.empty()) start = start.isEmpty() ? toQt(request.initialName) : start + "/" + toQt(request.initialName);
    const QString f = QFileDialog::getSaveFileName(parent_, QString(), start, filterString(request.filters));
    if (f.isEmpty()) return std::nullopt;
    return fromQt(f);
}

std::optional<uint32_t> QtUiServices::pickColor(uint32_t initial) {
    const QColor picked = QColorDialog::getColor(QColor(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF),
                                                 parent_);
    if (!picked.isValid()) return std::nullopt;
    return static_cast<uint32_t>(picked.red() | (picked.green() << 8) | (picked.blue() << 16));
}

void QtUiServices::doubleBeep() {
    QApplication::beep();
    QTimer::singleShot(70, [] { QApplication::beep(); });
}

void QtUiServices::informationSound() { QApplication::beep(); }

void QtUiServices::setClipboardText(const std::string& text) { QApplication::clipboard()->setText(toQt(text)); }

std::optional<std::string> QtUiServices::askText(const TextPrompt& prompt) {
    if (prompt.multiLine) {
        CDialogAddPhrases dialog(parent_);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return fromQt(dialog.text().replace("\n", "\r\n"));
    }
    TextEntryDialog dialog(QString::fromStdString(prompt.title), QString::fromStdString(prompt.label), "OK", parent_);
    dialog.setText(toQt(prompt.initial));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQt(dialog.text());
}

std::optional<std::string> QtUiServices::chooseGroup(const std::vector<std::string>& names) {
    CDialogExistingGroup dialog(toQtList(names), parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return originalOf(dialog.chosen(), names);
}

std::optional<std::string> QtUiServices::renameGroup(const std::string& current,
                                                     const std::function<bool(const std::string&)>& taken) {
    TextEntryDialog dialog("Rename group", "Enter group name:", "OK", parent_);
    dialog.setMaxLength(127);
    dialog.setText(toQt(current));
    dialog.acceptable = [&](const QString& typed) {
        if (!taken(fromQt(typed))) return true;
        QMessageBox::warning(&dialog, "Cannot rename group", "A group with this name already exists!");
        return false;
    };
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQt(dialog.text());
}

std::optional<std::string> QtUiServices::findGroup(const std::vector<std::string>& names) {
    CDialogFindGroup dialog(toQtList(names), parent_);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty()) return std::nullopt;
    return originalOf(dialog.chosen(), names);
}

DeleteConfirmation QtUiServices::confirmPermanentDelete() {
    CDialogConfirmAction dialog(parent_);
    const bool yes = dialog.exec() == QDialog::Accepted;
    return {yes, dialog.dontShowAgain()};
}

std::optional<ImportColumns> QtUiServices::chooseColumns(const std::string& fileLabel, int columnCount) {
    const QString label = fileLabel.find(kSpreadsheetCsvMarker) != std::string::npos ? "Excel sheet columns" : toQt(fileLabel);
    CDialogCSVColumns dialog(label, columnCount, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ImportColumns{columnCount, dialog.phraseColumn(), dialog.hitColumn()};
}

bool QtUiServices::editCountries(Project& project, const ProgramFolder& folder) {
    CountriesController controller(*this, folder, project);
    CDialogCountries dialog(controller, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUiServices::editUnwantedCharacters(Project& project, const ProgramFolder& folder) {
    UnwantedCharactersController controller(*this, folder, project);
    CUnwantedDialog dialog(controller, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtUiServices::showIgnoredWords(const std::string& word, const std::vector<ListRow>& rows) {
    CDialogIgnoredWords dialog(toQt(word), rows, parent_);
    dialog.exec();
}

std::optional<std::string> QtUiServices::chooseProject() {
    ProjectChooserController controller(*this, folder_);
    ProjectChooser chooser(controller, parent_);
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return controller.chosen();
}

bool QtUiServices::editAd(const AdEditRequest& request) {
    AdEditorController controller(*this, request);
    CDialogEditAd dialog(controller, *this, request.group, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUiServices::manageAdLists(Group& group) {
    ManageListsController controller(*this, group);
    CDialogManageLists dialog(controller, parent_);
    dialog.exec();
    return controller.changed();
}

std::optional<Ad> QtUiServices::searchPastAds(const Group* group) {
    QtDispatcher dispatcher;
    PastAdsSearchController controller(*this, dispatcher, folder_, project_, group);
    CDialogSearch dialog(controller, parent_);
    if (dialog.exec() != QDialog::Accepted || !controller.selected()) return std::nullopt;
    return controller.results()[*controller.selected()].ad;
}

std::optional<std::string> QtUiServices::chooseFolder(const std::string& title) {
    const QString folder = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(title));
    if (folder.isEmpty()) return std::nullopt;
    return fromQt(folder);
}

}  // namespace pw::ui
