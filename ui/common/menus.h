#pragma once
// Menus as data: a window's controller lists its items and the widget builds
// them. An item without an action shows disabled, so a part of the program
// that arrives later only supplies the action.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/common/menuactions.h"

namespace pw::ui {

struct MenuItem {
    std::string text;  // with its "&" mnemonic; empty for a separator
    std::function<void()> run;
    std::string shortcut;            // "Ctrl+S"
    std::vector<MenuItem> submenu;   // a submenu when not empty
    std::function<bool()> checked;   // check-marked items: their state
    std::function<void(bool)> toggle;
    std::optional<MenuId> id;        // an item whose action a feature supplies

    bool separator() const { return text.empty(); }
    bool enabled() const { return run || toggle || !submenu.empty(); }
};

inline MenuItem menuSeparator() { return {}; }

inline MenuItem menuItem(std::string text, std::function<void()> run, std::string shortcut = {}) {
    MenuItem m;
    m.text = std::move(text);
    m.run = std::move(run);
    m.shortcut = std::move(shortcut);
    return m;
}

inline MenuItem subMenu(std::string text, std::vector<MenuItem> items) {
    MenuItem m;
    m.text = std::move(text);
    m.submenu = std::move(items);
    return m;
}

}  // namespace pw::ui
