#pragma once
// What a feature (the account windows, the browser windows, the landing
// pages) may ask of the main window that hosts it: to supply its menu items
// and buttons, the command gate, the open project, and the project's save
// state. Nothing else of the main window is in its reach.

#include <functional>
#include <optional>
#include <string>

#include "core/project.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"
#include "ui/common/menuactions.h"

namespace pw::ui {

class WindowRegistry;

class FeatureHost {
public:
    virtual ~FeatureHost() = default;

    // Supplies the action of one of the main window's items; it runs through
    // the gate, refused while a list job changes the project when it `needs` the lists.
    virtual void provide(MenuId id, std::function<void()> run, Needs needs = Needs::Lists) = 0;
    // Supplies a command on one ad (the ad editor's and the previews' web commands).
    virtual void provideAdAction(MenuId id, MenuActions::AdAction run, Needs needs = Needs::Lists) = 0;
    // Where the feature's modeless windows go: they close with the project.
    virtual WindowRegistry& windows() = 0;
    virtual CommandGate& gate() = 0;
    virtual bool busy() const = 0;
    // The open project; the same record for the whole run.
    virtual const Project& project() const = 0;
    // The group of the selected tab, or the main list: where phrases a feature brings go.
    virtual Group& currentList() = 0;
    // "Project not saved!\nSave now?" when modified; false when the user cancelled.
    virtual bool askToSave() = 0;
    virtual void markModified() = 0;
    // Work of the feature that keeps the program open: the message that says so, or none.
    virtual void setCloseRefusal(std::function<std::optional<Message>()> refusal) = 0;
    // The status line of the feature's background work, polled while it runs.
    virtual void setBackgroundStatus(std::function<std::optional<std::string>()> status) = 0;
};

}  // namespace pw::ui
