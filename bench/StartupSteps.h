#pragma once
// The login window made in this process step by step, in the order the
// application's start-up makes it, each step timed: what keeps the backdrop
// off the screen.
#include <string>
#include <vector>

#include "StepClock.h"

struct StartupSteps {
    std::vector<Step> steps;  // in the order they ran
    bool opened = false;
    std::vector<std::wstring> newModules;  // loaded during the steps
};

// Once in the process: the start-up's process-wide state (control-site
// manager, external object) and GDI+, as steps of their own; then the
// login window, shown, then closed again.
StartupSteps RunStartupSteps();
