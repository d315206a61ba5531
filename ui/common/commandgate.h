#pragma once
// The one door every window command passes: refused with the double beep
// while a list job runs when the command needs the lists, and guarded so that
// an unforeseen error shows a message instead of ending the program.

#include <functional>
#include <utility>

#include "ui/common/desktop.h"

namespace pw::ui {

enum class Needs { Nothing, Lists };

class CommandGate {
public:
    CommandGate(Desktop& desktop, std::function<bool()> busy) : desktop_(desktop), busy_(std::move(busy)) {}

    // False when the command was refused or failed.
    template <typename Body>
    bool run(Needs needs, Body&& body) {
        if (needs == Needs::Lists && busy_()) {
            desktop_.doubleBeep();
            return false;
        }
        try {
            std::forward<Body>(body)();
            return true;
        } catch (...) {
            desktop_.message(kUnknownError);
            return false;
        }
    }

private:
    Desktop& desktop_;
    std::function<bool()> busy_;
};

}  // namespace pw::ui
