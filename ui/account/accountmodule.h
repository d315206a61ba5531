#pragma once
// The advertising account as a feature of the main window: "Manage your
// Google profile" and "Manage your Google account", the commit that keeps
// the program open while it runs, and its status line once the manager closed.

#include <memory>
#include <string>

#include "io/appsettings.h"
#include "ui/account/commitprogress.h"
#include "ui/account/qtaccountwindows.h"
#include "ui/common/featurehost.h"

namespace pw::ui {

class AccountModule {
public:
    // `windows` shows the account windows (the screenshot run photographs them).
    AccountModule(QtDesktop& desktop, ProgramFolder folder, SettingsStore& settings,
                  std::unique_ptr<QtAccountWindows> windows);

    // Puts back what a crash left in the middle of a commit, supplies the two
    // menu items and follows a commit the manager leaves running.
    void install(FeatureHost& host);
    // The message that says changes went back to the queue; empty when none did.
    const std::string& recoveredChanges() const { return recovered_; }

private:
    void manageAccount();

    QtDesktop& desktop_;
    ProgramFolder folder_;
    SettingsStore& settings_;
    std::unique_ptr<QtAccountWindows> windows_;
    BackgroundCommitWatch commitWatch_;
    std::string recovered_;
};

}  // namespace pw::ui
