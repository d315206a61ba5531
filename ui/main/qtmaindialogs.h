#pragma once
// The main window's small windows, shown with Qt.

#include "io/programfolder.h"
#include "ui/common/qtdesktop.h"
#include "ui/main/maindialogs.h"

namespace pw::ui {

class QtMainDialogs : public MainDialogs {
public:
    QtMainDialogs(QtDesktop& desktop, ProgramFolder folder) : desktop_(desktop), folder_(std::move(folder)) {}

    std::optional<std::string> askText(const TextPrompt& prompt) override;
    DeleteConfirmation confirmPermanentDelete() override;
    std::optional<int> chooseSheet(const std::string& fileName, const std::vector<std::string>& sheets) override;
    std::optional<ImportColumns> chooseColumns(const std::string& fileLabel, const ImportColumns& offered) override;
    std::optional<std::string> editCountries(const std::string& unwantedCountries) override;
    std::optional<std::string> editUnwantedCharacters(const std::string& unwantedCharacters) override;
    void showIgnoredWords(const std::string& word, const std::vector<ListRow>& rows) override;
    std::optional<std::string> chooseProject() override;

private:
    QtDesktop& desktop_;
    ProgramFolder folder_;
};

}  // namespace pw::ui
