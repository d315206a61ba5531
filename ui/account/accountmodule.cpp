#include "ui/account/accountmodule.h"
#include "ui/account/messages.h"

#include "account/changequeue.h"
#include "account/commitloop.h"
#include "ui/account/accountmanagercontroller.h"

namespace pw::ui {

AccountModule::AccountModule(QtDesktop& desktop, ProgramFolder folder, SettingsStore& settings,
                             std::unique_ptr<QtAccountWindows> windows)
    : desktop_(desktop),
      folder_(std::move(folder)),
      settings_(settings),
      windows_(std::move(windows)),
      commitWatch_(desktop) {}

void AccountModule::install(FeatureHost& host) {
    // Changes a crash or kill left in the middle of a commit go back to the queue.
    recovered_ = commitRecoveryMessage(recoverInterruptedCommit(folder_));
    windows_->setProject(&host.project());
    host.provide(MenuId::ManageProfile, [this] { windows_->chooseProfile(); });
    host.provide(MenuId::ManageAccount, [this] { manageAccount(); });
    // A commit running in the background keeps the program open.
    host.setCloseRefusal([] {
        return commitInProgress() ? std::optional<Message>(kCloseRefusedDuringUpload) : std::nullopt;
    });
    // A commit the manager leaves running shows in the main window's status line.
    host.setBackgroundStatus([this] { return commitWatch_.poll(); });
}

void AccountModule::manageAccount() {
    commitWatch_.managerOpened();
    struct Closed {
        BackgroundCommitWatch& watch;
        ~Closed() { watch.managerClosed(); }
    } closed{commitWatch_};
    manageGoogleAccount(desktop_, *windows_, folder_, settings_);
}

}  // namespace pw::ui
