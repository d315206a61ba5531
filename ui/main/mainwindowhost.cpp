#include "ui/main/mainwindowhost.h"

namespace pw::ui {

void MainWindowHost::provide(MenuId id, std::function<void()> run, Needs needs) {
    // The window runs it through the gate when the item is chosen.
    window_.menuActions().provide(id, std::move(run), needs);
}

void MainWindowHost::provideAdAction(MenuId id, MenuActions::AdAction run, Needs needs) {
    window_.menuActions().provideAdAction(id, std::move(run), needs);
}

void MainWindowHost::setCloseRefusal(std::function<std::optional<Message>()> refusal) {
    window_.setCloseRefusal(std::move(refusal));
}

void MainWindowHost::setBackgroundStatus(std::function<std::optional<std::string>()> status) {
    window_.setBackgroundStatus(std::move(status));
}

}  // namespace pw::ui
