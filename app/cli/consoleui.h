#pragma once
// The window's logic run from the command line: messages go to stderr and
// every question is answered "no".

#include <ostream>

#include "ui/common/uiservices.h"

namespace pw::cli {

class ConsoleUi : public ui::UiServices {
public:
    explicit ConsoleUi(std::ostream& err) : err_(err) {}
    int messagesShown = 0;

    ui::Answer message(const ui::Message& m) override {
        ++messagesShown;
        err_ << m.text << "\n";
        return m.buttons == ui::Buttons::Ok ? ui::Answer::Ok : ui::Answer::No;
    }
    std::vector<std::string> openFiles(const ui::OpenFileRequest&) override { return {}; }
    std::optional<std::string> saveFile(const ui::SaveFileRequest&) override { return std::nullopt; }
    std::optional<uint32_t> pickColor(uint32_t) override { return std::nullopt; }
    void doubleBeep() override {}
    void informationSound() override {}
    void setClipboardText(const std::string&) override {}
    std::optional<std::string> askText(const ui::TextPrompt&) override { return std::nullopt; }
    std::optional<std::string> chooseGroup(const std::vector<std::string>&) override { return std::nullopt; }
    std::optional<std::string> renameGroup(const std::string&, const std::function<bool(const std::string&)>&) override {
        return std::nullopt;
    }
    std::optional<std::string> findGroup(const std::vector<std::string>&) override { return std::nullopt; }
    ui::DeleteConfirmation confirmPermanentDelete() override { return {}; }
    std::optional<ImportColumns> chooseColumns(const std::string&, int) override { return std::nullopt; }
    bool editCountries(Project&, const ProgramFolder&) override { return false; }
    bool editUnwantedCharacters(Project&, const ProgramFolder&) override { return false; }
    void showIgnoredWords(const std::string&, const std::vector<ListRow>&) override {}
    std::optional<std::string> chooseProject() override { return std::nullopt; }
    bool editAd(const ui::AdEditRequest&) override { return false; }
    bool manageAdLists(Group&) override { return false; }
    std::optional<Ad> searchPastAds(const Group*) override { return std::nullopt; }
    std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }

private:
    std::ostream& err_;
};

}  // namespace pw::cli
