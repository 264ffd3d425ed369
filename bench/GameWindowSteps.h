#pragma once
// The game window made step by step as CGameDialog makes itself, each step
// timed, then shown as the hand-over shows it; and the repeat hand-over's
// steps. The first game window of a process is measured in a process of its
// own (this program started again with --game-window-steps FILE), so that
// the hand-over benchmark's own first hand-over stays the first.
#include <string>
#include <vector>

#include "StepsText.h"

// In the child: opens the login window, makes game windows and writes their
// steps to `path`. False when nothing could be written.
bool WriteGameWindowSteps(const std::string& path);

// In the parent: starts the child and reads what it wrote.
GameWindowSteps RunGameWindowSteps();

