#pragma once
// The menu items, tab-menu items and buttons of the main window whose action
// a feature supplies, by id. A feature may provide its action before or after
// the window is built: the window enables and connects the item when the
// action arrives. An id provided twice, or one the window has no item for, is
// a wiring fault and is reported loudly, never ignored.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/ad.h"
#include "ui/common/commandgate.h"

namespace pw::ui {

enum class MenuId {
    // Tools
    SearchTopAds,
    ManageAccount,
    ManageProfile,
    ResearchTool,
    // Plugins
    QuillmarkTokenize,
    QuillmarkDefaultValues,
    Folioforge,
    // Help
    UserManual,
    ViewTutorials,
    PhrasewrightOnline,
    CheckForUpdates,
    About,
    // Main-window buttons
    ImportResearch,
    // The web commands on one ad: the ad editor's buttons and the ad previews' menu
    AdCopyFromGoogle,
    AdCopyIntoConsole,
    AdSetTokens,
};

// The commands on one ad: they show in the ad editor and the preview menus,
// which ask for them each time they open, not in the main window's items.
constexpr bool isAdCommand(MenuId id) {
    return id == MenuId::AdCopyFromGoogle || id == MenuId::AdCopyIntoConsole || id == MenuId::AdSetTokens;
}

// A readable name for reports and test output.
std::string_view menuIdName(MenuId id);

class MenuActions {
public:
    using Action = std::function<void()>;
    // A command on one ad: told the ad and the network it is written for, it
    // says whether it changed the ad (the caller keeps the change).
    using AdAction = std::function<bool(Ad& ad, SearchEngine network)>;
    // How a wiring fault is reported: the program logs it, tests fail on it.
    using FaultReport = std::function<void(const std::string& fault)>;

    explicit MenuActions(FaultReport report = logFault) : report_(std::move(report)) {}

    // Supplies the action of `id`; a second action for one id is refused and
    // reported. An action that reads the project waits for the main window's
    // list jobs (`needs`); one that does not (About) runs at any time.
    void provide(MenuId id, Action run, Needs needs = Needs::Lists);
    void provideAdAction(MenuId id, AdAction run, Needs needs = Needs::Lists);
    // Takes the action back (its window is going).
    void withdraw(MenuId id) {
        actions_.erase(id);
        adActions_.erase(id);
    }
    bool provided(MenuId id) const { return actions_.count(id) != 0 || adActions_.count(id) != 0; }
    Needs needs(MenuId id) const;
    // Runs the action of `id`, when one was provided.
    void run(MenuId id) const;
    // Runs the ad command `id` on `ad`; false when none was provided or it left the ad as it was.
    bool runOnAd(MenuId id, Ad& ad, SearchEngine network) const;
    // The ids provided so far, in id order.
    std::vector<MenuId> providedIds() const;

    // Told of every action provided from now on (the window enables its item).
    void setListener(std::function<void(MenuId)> listener) { listener_ = std::move(listener); }
    // Reports an id that nothing shows (the window calls it).
    void reportUnknown(MenuId id) const;

    static void logFault(const std::string& fault);

private:
    FaultReport report_;
    struct Provided {
        Action run;
        Needs needs;
    };
    std::map<MenuId, Provided> actions_;
    struct ProvidedAdAction {
        AdAction run;
        Needs needs;
    };
    std::map<MenuId, ProvidedAdAction> adActions_;
    bool accepted(MenuId id, bool empty);
    std::function<void(MenuId)> listener_;
};

}  // namespace pw::ui
