#pragma once
// What the composition hands a main window controller besides its windows:
// the gate over its jobs and the registry of feature actions, which fails the
// test on a wiring fault.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/common/commandgate.h"
#include "ui/common/jobrunner.h"
#include "ui/common/menuactions.h"

namespace pw::ui::test {

// Wiring faults are noted; one a test did not take fails it.
struct WindowWiring {
    WindowWiring(Desktop& desktop, JobRunner& jobs) : gate(desktop, [&jobs] { return jobs.busy(); }) {}
    ~WindowWiring() {
        for (const std::string& fault : faults) ADD_FAILURE() << fault;
    }
    std::vector<std::string> takeFaults() { return std::exchange(faults, {}); }

    CommandGate gate;
    std::vector<std::string> faults;
    MenuActions actions{[this](const std::string& fault) { faults.push_back(fault); }};
};

}  // namespace pw::ui::test
