#pragma once
// A seam between the windows: the one quit routine, used by the login panel
// and the game window, defined with the game window. It asks the player,
// and on confirmation ends the program with exit code 16.
void ConfirmQuit();
constexpr int kQuitExitCode = 16;
