#pragma once
// The player's hands: mouse clicks through the system's input queue wherever
// a pointer can reach, and window messages where it cannot (the tray icon
// lives in the shell's window, and only the browser control knows where it
// drew a link).
#include <windows.h>

// Moves the pointer to the screen's bottom-right corner, on the taskbar,
// where no window of the launcher lies outside full screen. Every click
// ends there. Wine without a window manager raises a window over the others
// when the display server reports the pointer over it, and that report can
// come late, after another window was shown over it: a pointer resting on
// the login window could lift it over a game window opened later.
void ParkPointer();
// Clicks the centre of control `id` of `dialog`; false if there is none, or
// if another window lies over that point.
bool ClickControl(HWND dialog, int id);
// Clicks client point (x, y) of `window`.
void ClickClientPoint(HWND window, int x, int y);
// Clicks the middle of `window`.
void ClickMiddle(HWND window);
// What the shell tells the game window when its tray icon is right-clicked.
void RightClickTrayIcon(HWND gameWindow);
// What the shell tells the game window when its tray icon is double-clicked.
void DoubleClickTrayIcon(HWND gameWindow);
// Follows the `index`-th link (0-based, in page order) of the page shown.
bool FollowLink(HWND browser, int index);
