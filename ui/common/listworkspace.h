#pragma once
// The lists of the main window as the controllers of its features see them:
// the open project, the selected tab, the gate every command passes and the
// notices that tell the window what to redraw. The main window keeps them;
// its feature controllers (filters, the 'Delete' box, the side lists, the
// group commands) work on them through this.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/progress.h"
#include "core/project.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"

namespace pw::ui {

// What changed, so that the window redraws only that.
enum Change : unsigned {
    kRows = 1 << 0,       // the list view
    kDeleteBox = 1 << 1,  // the 'Delete' box
    kPages = 1 << 2,      // phase-3 lists, their boxes and the page scroll bar
    kLabels = 1 << 3,     // counts and dates
    kStatus = 1 << 4,     // status line and progress bar
    kTabs = 1 << 5,       // names, colours, selection
    kPhase = 1 << 6,      // which phase's controls show
    kFilters = 1 << 7,    // the filter controls
    kSortRows = 1 << 8,   // the "Sort by:" rows
    kPhase4 = 1 << 9,     // the keyword view
    kSelection = 1 << 10, // a row to select and show, or a box to focus
    kSkin = 1 << 11,
    kScrollToTop = 1 << 12,  // after a sort the list shows its first rows
    kProjectShown = 1 << 13, // another project (or none) shows: what was typed for the last one goes
    kEverything = ~0u,
};

// The four phases of the keyword road.
enum class Phase { Filter = 1, Delete = 2, Group = 3, Ads = 4 };

// A box the window should give the focus to.
enum class Focus { None, List1Name, List2Name, List1Filter, List2Filter, IgnoreBoxEnd };

class ListWorkspace {
public:
    virtual ~ListWorkspace() = default;

    virtual Project& project() = 0;
    virtual Desktop& desktop() = 0;
    // 0 for the main list, group + 1 for a group.
    virtual int currentTab() const = 0;
    // The list of the selected tab: a group, or the main list.
    virtual Group& currentList() = 0;
    virtual const Group& currentList() const = 0;
    // The positions in the current list of the rows the list view shows.
    virtual const std::vector<uint32_t>& rows() const = 0;
    virtual Phase phase() const = 0;
    // A list job runs: the lists are lent to it.
    virtual bool busy() const = 0;
    // Shows another tab: its rows, its filters, the phase it allows.
    virtual void showTab(int tab) = 0;
    // The same list keeps showing under another tab number (a tab came or went before it).
    virtual void renumberTab(int tab) = 0;
    // Puts the phase-3 side lists back before the groups change under them.
    virtual void leavePhase3() = 0;
    // The list view shows the current list again.
    virtual void refill() = 0;
    virtual void notify(unsigned changes) = 0;
    virtual void markModified() = 0;
    // Runs a command through the gate; false when refused or failed.
    virtual bool command(Needs needs, const std::function<void()>& body) = 0;
    // Runs `work` on the worker with the status text and progress bar; `done`
    // runs on the window's thread, told whether the work finished. A job owns
    // what it works on: lists are lent to it and come back in `done`.
    virtual void runJob(const std::string& statusText, std::function<void(const ProgressFn&)> work,
                        std::function<void(bool ok)> done) = 0;
    // Asks the window to focus a box, or to select and show a row of the list view.
    virtual void requestFocus(Focus focus) = 0;
    virtual void selectRow(std::optional<int> row) = 0;
};

}  // namespace pw::ui
