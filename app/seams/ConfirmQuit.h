#pragma once
// The one quit routine: asks the player, and on confirmation ends the
// program with exit code 16.
void ConfirmQuit();
constexpr int kQuitExitCode = 16;
