#pragma once
// The main window as the host of the features plugged into it.

#include "ui/common/featurehost.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::ui {

class MainWindowHost : public FeatureHost {
public:
    MainWindowHost(MainWindowController& window, WindowRegistry& windows) : window_(window), windows_(windows) {}

    void provide(MenuId id, std::function<void()> run, Needs needs) override;
    void provideAdAction(MenuId id, MenuActions::AdAction run, Needs needs) override;
    WindowRegistry& windows() override { return windows_; }
    CommandGate& gate() override { return window_.gate(); }
    bool busy() const override { return window_.busy(); }
    const Project& project() const override { return window_.project(); }
    Group& currentList() override { return window_.currentList(); }
    bool askToSave() override { return window_.askToSave(); }
    void markModified() override { window_.markModified(); }
    void setCloseRefusal(std::function<std::optional<Message>()> refusal) override;
    void setBackgroundStatus(std::function<std::optional<std::string>()> status) override;

private:
    MainWindowController& window_;
    WindowRegistry& windows_;
};

}  // namespace pw::ui
