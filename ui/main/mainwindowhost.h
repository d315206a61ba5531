#pragma once
// The main window as the host of the features plugged into it.

#include "ui/common/featurehost.h"
#include "ui/main/mainwindowcontroller.h"

namespace pw::ui {

class MainWindowHost : public FeatureHost {
public:
    explicit MainWindowHost(MainWindowController& window) : window_(window) {}

    void provide(MenuId id, std::function<void()> run, Needs needs) override;
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
};

}  // namespace pw::ui
