#pragma once
// The rounds the hand-over figures come from: the launcher's, from the login
// window to the game window and back to server choice, and the same rounds
// of a bare browser host; with what the process holds after them.
#include <vector>

#include "MemoryMap.h"
#include "ProcessFigures.h"

class LoginSession;

struct CycleFigures {
    std::vector<double> first, fresh, repeat;  // milliseconds to the window shown
    std::vector<double> beforeNavigate;        // from the Navigate call to BeforeNavigate2
    int failures = 0;
    ProcessFigures afterFirst, afterHundred, afterAll;  // after 100: after all when fewer
    MemoryMap mapHundred, mapAll;
};

// The cycle after which the process is looked at a second time.
inline constexpr int kMarkCycle = 100;

// Hand-over, hidden, hand-over again, back to server choice: the player's
// round from the login window to the game and back, `cycles` times.
CycleFigures RunLauncherCycles(LoginSession& session, int cycles);

// The same rounds with a bare browser host of the game window's size:
// created, navigated and shown; hidden, navigated and shown; destroyed.
CycleFigures RunBareHostCycles(int cycles);

// The part of a fresh hand-over that makes the game window (hidden), a few
// times.
std::vector<double> TimeGameWindowCreation();
