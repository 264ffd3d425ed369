#pragma once
// The game window made step by step as CGameDialog makes itself, each step
// timed, then shown as the hand-over shows it; and the repeat hand-over's
// steps. The first game window of a process is measured in a process of its
// own (this program started again with --game-window-steps FILE), so that
// the hand-over benchmark's own first hand-over stays the first.
#include <string>
#include <vector>

#include "StepClock.h"

struct GameWindowSteps {
    std::vector<Step> first;               // the first game window of the process
    std::vector<std::vector<Step>> fresh;  // each one after it
    std::vector<std::vector<Step>> repeat; // hidden, then handed over again
    bool complete = false;
};

// In the child: opens the login window, makes game windows and writes their
// steps to `path`. False when nothing could be written.
bool WriteGameWindowSteps(const std::string& path);

// In the parent: starts the child and reads what it wrote.
GameWindowSteps RunGameWindowSteps();

// The median of each step (by position) over `runs`, named as in the first.
std::vector<Step> MedianSteps(const std::vector<std::vector<Step>>& runs);
