#include "ui/main/qtmaindialogs.h"

#include "io/textimport.h"
#include "ui/common/qttext.h"
#include "ui/common/textentrydialog.h"
#include "ui/main/cataloguecontrollers.h"
#include "ui/main/cataloguedialogs.h"
#include "ui/main/projectchooser.h"
#include "ui/main/projectchoosercontroller.h"
#include "ui/main/smalldialogs.h"

namespace pw::ui {

std::optional<std::string> QtMainDialogs::askText(const TextPrompt& prompt) {
    if (prompt.multiLine) {
        CDialogAddPhrases dialog(desktop_.parent());
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return fromQt(dialog.text().replace("\n", "\r\n"));
    }
    TextEntryDialog dialog(QString::fromStdString(prompt.title), QString::fromStdString(prompt.label), "OK", desktop_.parent());
    dialog.setText(toQt(prompt.initial));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQt(dialog.text());
}

DeleteConfirmation QtMainDialogs::confirmPermanentDelete() {
    CDialogConfirmAction dialog(desktop_.parent());
    const bool yes = dialog.exec() == QDialog::Accepted;
    return {yes, dialog.dontShowAgain()};
}

std::optional<int> QtMainDialogs::chooseSheet(const std::string& fileName, const std::vector<std::string>& sheets) {
    QStringList names;
    for (const std::string& sheet : sheets) names << toQt(sheet);
    CDialogXLSSheet dialog(toQt(fileName), names, desktop_.parent());
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) return std::nullopt;
    return dialog.chosen();
}

std::optional<ImportColumns> QtMainDialogs::chooseColumns(const std::string& fileLabel, const ImportColumns& offered) {
    const QString label = fileLabel.find(kSpreadsheetCsvMarker) != std::string::npos ? "Excel sheet columns" : toQt(fileLabel);
    CDialogCSVColumns dialog(label, offered.count, offered.phraseColumn, offered.hitColumn, desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    ImportColumns chosen = offered;
    chosen.phraseColumn = dialog.phraseColumn();
    chosen.hitColumn = dialog.hitColumn();
    return chosen;
}

std::optional<std::string> QtMainDialogs::editCountries(const std::string& unwantedCountries) {
    CountriesController controller(desktop_, folder_, unwantedCountries);
    CDialogCountries dialog(controller, desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.ok();
}

std::optional<std::string> QtMainDialogs::editUnwantedCharacters(const std::string& unwantedCharacters) {
    UnwantedCharactersController controller(desktop_, folder_, unwantedCharacters);
    CUnwantedDialog dialog(controller, desktop_.parent());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return controller.ok();
}

void QtMainDialogs::showIgnoredWords(const std::string& word, const std::vector<ListRow>& rows) {
    CDialogIgnoredWords dialog(toQt(word), rows, desktop_.parent());
    dialog.exec();
}

std::optional<std::string> QtMainDialogs::chooseProject() {
    ProjectChooserController controller(desktop_, *this, folder_);
    ProjectChooser chooser(controller, desktop_.parent());
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return controller.chosen();
}

}  // namespace pw::ui
