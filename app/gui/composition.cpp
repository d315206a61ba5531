#include "app/gui/composition.h"

#include <QCoreApplication>
#include <QTimer>

#include "account/changequeue.h"
#include "account/toolinstall.h"
#include "app/gui/accountscreenshots.h"
#include "app/gui/screenshottour.h"
#include "ui/account/accountmodule.h"
#include "ui/common/commandgate.h"
#include "ui/common/qtdispatcher.h"
#include "ui/common/windowregistry.h"
#include "ui/groups/qtgroupdialogs.h"
#include "ui/main/mainwindowhost.h"
#include "ui/main/qtmaindialogs.h"

namespace pw::app {

namespace {

std::unique_ptr<ui::QtAdWindows> adWindowsFor(const ProgramOptions& options, ui::QtDesktop& desktop,
                                              const ProgramFolder& folder, ui::CommandGate& gate,
                                              const ui::MenuActions& actions) {
    if (!options.tourPictures.isEmpty())
        return std::make_unique<TourAdWindows>(desktop, folder, gate, actions, options.tourPictures);
    return std::make_unique<ui::QtAdWindows>(desktop, folder, gate, actions);
}

std::unique_ptr<ui::QtAccountWindows> accountWindowsFor(const ProgramOptions& options, ui::QtDesktop& desktop,
                                                        const ProgramFolder& folder, SettingsStore& settings,
                                                        ui::AccountWindowLinks links,
                                                        const ScreenshotAccountWindows*& pictureWindows) {
    // Campaign changes wait in the change queue until the user commits them.
    ui::QueueChange queue = [folder](const std::string& line) { return queueChange(folder, line); };
    if (options.accountPictures.isEmpty())
        return std::make_unique<ui::QtAccountWindows>(desktop, folder, settings, links, std::move(queue));
    auto windows = std::make_unique<ScreenshotAccountWindows>(desktop, folder, settings, links, std::move(queue),
                                                              options.accountPictures);
    pictureWindows = windows.get();
    return windows;
}

ProgramFolder preparedFolder(const ProgramOptions& options) {
    ProgramFolder folder = ProgramFolder::standard(options.dataDir);
    createFolder(folder.root());
    installAccountTool(folder, options.accountTool.empty() ? builtAccountToolPath() : options.accountTool);
    return folder;
}

// Members in the order they are built; they go in the reverse order, the
// windows before what they show.
class ComposedProgram : public Program {
public:
    explicit ComposedProgram(const ProgramOptions& options)
        : folder_(preparedFolder(options)),
          settings_(folder_),
          menuActions_(options.menuFault),
          dialogs_(desktop_, folder_),
          groupDialogs_(desktop_),
          adWindows_(adWindowsFor(options, desktop_, folder_, gate_, menuActions_)),
          controller_({desktop_, dialogs_, groupDialogs_, *adWindows_}, jobs_, dispatcher_, gate_, menuActions_,
                      folder_, settings_),
          host_(controller_, featureWindows_),
          account_(desktop_, folder_, settings_,
                   accountWindowsFor(options, desktop_, folder_, settings_, {gate_, *adWindows_, groupDialogs_},
                                     accountPictureWindows_)) {
        adWindows_->setProject(&controller_.project());
        controller_.setQuitHandler(options.quit ? options.quit : [] { QCoreApplication::quit(); });
        // The feature windows that work on the project close with it.
        controller_.setProjectLeaving([this] { featureWindows_.closeAll(); });
        account_.install(host_);
        window_ = std::make_unique<ui::CDialogMain>(controller_);
        // What the worker reports reaches the controller only while its window exists.
        dispatcher_.setReceiver(window_.get());
        desktop_.bind(window_.get());
    }
    ~ComposedProgram() override {
        controller_.setQuitHandler(nullptr);
        featureWindows_.closeAll();
        jobs_.wait();
        dispatcher_.setReceiver(nullptr);
        window_.reset();
    }

    ui::CDialogMain& window() override { return *window_; }
    ui::MainWindowController& controller() override { return controller_; }
    ui::QtDesktop& desktop() override { return desktop_; }
    ui::WindowRegistry& featureWindows() override { return featureWindows_; }
    ui::QtMainDialogs& dialogs() override { return dialogs_; }
    ui::JobRunner& jobs() override { return jobs_; }
    const ProgramFolder& folder() const override { return folder_; }
    SettingsStore& settings() override { return settings_; }
    const ScreenshotAccountWindows* accountPictureWindows() const override { return accountPictureWindows_; }

    void showStartupNotices() override {
        const std::string recovered = account_.recoveredChanges();
        if (recovered.empty()) return;
        QTimer::singleShot(0, window_.get(), [this, recovered] {
            desktop_.message({recovered, "Google upload", ui::Icon::Information, ui::Buttons::Ok});
        });
    }

private:
    ProgramFolder folder_;
    SettingsStore settings_;
    ui::MenuActions menuActions_;
    ui::QtDesktop desktop_;
    ui::QtDispatcher dispatcher_;
    ui::JobRunner jobs_{dispatcher_, true};
    ui::CommandGate gate_{desktop_, [this] { return jobs_.busy(); }};
    ui::QtMainDialogs dialogs_;
    ui::QtGroupDialogs groupDialogs_;
    std::unique_ptr<ui::QtAdWindows> adWindows_;
    ui::MainWindowController controller_;
    ui::MainWindowHost host_;
    const ScreenshotAccountWindows* accountPictureWindows_ = nullptr;  // set while account_ is built
    ui::AccountModule account_;
    // Feature windows go before the controllers, gate and desktop they use.
    ui::WindowRegistry featureWindows_;
    std::unique_ptr<ui::CDialogMain> window_;
};

}  // namespace

std::unique_ptr<Program> composeProgram(const ProgramOptions& options) {
    return std::make_unique<ComposedProgram>(options);
}

}  // namespace pw::app
