#pragma once
// The desktop as the program shows it: Qt message boxes, file dialogs, the
// colour picker, beeps, the clipboard and the program's own small dialogs.

#include <QWidget>

#include "io/programfolder.h"
#include "ui/common/uiservices.h"

namespace pw::ui {

class QtUiServices : public UiServices {
public:
    explicit QtUiServices(ProgramFolder folder) : folder_(std::move(folder)) {}
    // Dialogs open over this window.
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(const Message& message) override;
    std::vector<std::string> openFiles(const OpenFileRequest& request) override;
    std::optional<std::string> saveFile(const SaveFileRequest& request) override;
    std::optional<uint32_t> pickColor(uint32_t initial) override;
    void doubleBeep() override;
    void informationSound() override;
    void setClipboardText(const std::string& text) override;
    std::optional<std::string> askText(const TextPrompt& prompt) override;
    std::optional<std::string> chooseGroup(const std::vector<std::string>& names) override;
    std::optional<std::string> renameGroup(const std::string& current,
                                           const std::function<bool(const std::string&)>& taken) override;
    std::optional<std::string> findGroup(const std::vector<std::string>& names) override;
    DeleteConfirmation confirmPermanentDelete() override;
    std::optional<ImportColumns> chooseColumns(const std::string& fileLabel, int columnCount) override;
    bool editCountries(Project& project, const ProgramFolder& folder) override;
    bool editUnwantedCharacters(Project& project, const ProgramFolder& folder) override;
    void showIgnoredWords(const std::string& word, const std::vector<ListRow>& rows) override;
    std::optional<std::string> chooseProject() override;
    bool editAd(const AdEditRequest& request) override;
    bool manageAdLists(Group& group) override;
    std::optional<Ad> searchPastAds(const Group* group) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;
    // The past-ads search reads the open project from memory.
    void setProject(const Project* project) { project_ = project; }

private:
    ProgramFolder folder_;
    QWidget* parent_ = nullptr;
    const Project* project_ = nullptr;
};

}  // namespace pw::ui
