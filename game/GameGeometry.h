#pragma once
// Where the game window, its browser and its title-bar buttons go, worked out
// from the screen's rectangles alone, so that the arithmetic can be checked
// without a window.
#include <windows.h>

#include "Geometry.h"

namespace game_geometry {

constexpr int kTitleHeight = 30;                  // the skinned title bar's band
constexpr int kNormalWidth = 1000, kNormalHeight = 700;
constexpr int kLogoWidth = 83;
constexpr int kCloseMargin = 2;                   // right of the close button
constexpr int kFullScreenGap = 40;                // between minimise and full screen
constexpr int kServerGap = 2;                     // between refresh and server
// Boss, clean and refresh are this much narrower than their frames: their
// right-most columns are cut off by the art's design.
constexpr int kCutOff = 2;

// Full screen: the desktop window's client rectangle.
inline CRect FullScreenWindow(const RECT& desktopClient) {
    return desktopClient;
}
// The work area's size at the screen's origin, whatever side the taskbar is
// on: the same corner as full screen, so that F11 back and forth never moves
// the game's top-left corner (a taskbar at the top or left is covered; the
// same strip at the other side stays free).
inline CRect WorkAreaWindow(const RECT& workArea) {
    return CRect(0, 0, workArea.right - workArea.left, workArea.bottom - workArea.top);
}
// 1000 x 700, centred on `centreOn` (the login window when it is on screen,
// else the work area) and kept inside `within`.
CRect NormalWindow(const RECT& centreOn, const RECT& within);
// The browser in client coordinates of a window `window`: all of it in full
// screen, below the title bar otherwise.
CRect BrowserRect(const RECT& window, bool titleBar);

// The title bar's buttons, right to left from the client's width.
struct TitleBarWidths {  // each button's frame width
    int close, restore, min, full, boss, clean, refresh, server;
};
struct TitleBarRects {  // client coordinates; max shares restore's place
    CRect close, restore, min, full, boss, clean, refresh, server;
};
TitleBarRects TitleBar(int clientWidth, const TitleBarWidths& widths);

}  // namespace game_geometry
