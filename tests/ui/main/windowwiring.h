#pragma once
// What the composition hands a main window controller besides its windows:
// the gate over its jobs and the registry of feature actions, which fails the
// test on a wiring fault.

#include <gtest/gtest.h>

#include "ui/common/commandgate.h"
#include "ui/common/jobrunner.h"
#include "ui/common/menuactions.h"

namespace pw::ui::test {

inline void failOnMenuFault(const std::string& fault) { ADD_FAILURE() << fault; }

struct WindowWiring {
    WindowWiring(Desktop& desktop, JobRunner& jobs) : gate(desktop, [&jobs] { return jobs.busy(); }) {}
    CommandGate gate;
    MenuActions actions{failOnMenuFault};
};

}  // namespace pw::ui::test
