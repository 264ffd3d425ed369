// The game window's geometry, from the screen's rectangles alone.
#include <gtest/gtest.h>

#include "GameGeometry.h"

namespace g = game_geometry;

namespace {
// The frame widths of the skin's strips.
constexpr g::TitleBarWidths kSkin{30, 29, 29, 64, 106, 87, 82, 61};

struct Span {
    const char* button;
    CRect g::TitleBarRects::*rect;
    int left, right;
};
}  // namespace

TEST(GameGeometry, TitleBarButtonsRunRightToLeftFromTheClientWidth) {
    // The worked example: a client 1000 pixels wide.
    const Span spans[] = {
        {"close", &g::TitleBarRects::close, 968, 998},   {"restore", &g::TitleBarRects::restore, 939, 968},
        {"min", &g::TitleBarRects::min, 910, 939},       {"full", &g::TitleBarRects::full, 806, 870},
        {"boss", &g::TitleBarRects::boss, 702, 806},     {"clean", &g::TitleBarRects::clean, 617, 702},
        {"refresh", &g::TitleBarRects::refresh, 537, 617}, {"server", &g::TitleBarRects::server, 474, 535},
    };
    const g::TitleBarRects r = g::TitleBar(1000, kSkin);
    for (const Span& s : spans) {
        SCOPED_TRACE(s.button);
        EXPECT_EQ(r.*s.rect, CRect(s.left, 0, s.right, 30));
    }
    // Wider or narrower, everything moves with the right edge; nothing stops
    // the buttons at the logo or at x = 0.
    for (int width : {1280, 400, 100}) {
        const g::TitleBarRects moved = g::TitleBar(width, kSkin);
        for (const Span& s : spans) {
            SCOPED_TRACE(std::string(s.button) + " at " + std::to_string(width));
            EXPECT_EQ(moved.*s.rect, CRect(s.left + width - 1000, 0, s.right + width - 1000, 30));
        }
    }
}

TEST(GameGeometry, EachModePlacesTheWindowAndTheBrowser) {
    struct Case {
        const char* what;
        CRect window, expected;
        bool titleBar;
    };
    const CRect desktop(0, 0, 1280, 1024);
    const CRect bottomTaskbar(0, 0, 1280, 984), topTaskbar(0, 40, 1280, 1024);
    const CRect login(80, 145, 1200, 838);  // the 1120 x 693 login window, centred
    const Case cases[] = {
        {"full screen", g::FullScreenWindow(desktop), {0, 0, 1280, 1024}, false},
        {"work area", g::WorkAreaWindow(bottomTaskbar), {0, 0, 1280, 984}, true},
        // At the origin whatever side the taskbar is on.
        {"work area below a top taskbar", g::WorkAreaWindow(topTaskbar), {0, 0, 1280, 984}, true},
        {"1000 x 700 over the login window", g::NormalWindow(login, bottomTaskbar), {140, 141, 1140, 841}, true},
        // A hidden or minimised login window: the work area is centred on.
        {"1000 x 700 in the work area", g::NormalWindow(bottomTaskbar, bottomTaskbar), {140, 142, 1140, 842}, true},
        // A work area smaller than the window: its left and top edges win.
        {"1000 x 700 in a small work area", g::NormalWindow(CRect(0, 0, 800, 600), CRect(0, 0, 800, 600)),
         {0, 0, 1000, 700}, true},
        // Centred on a login window dragged half off the screen, then kept in.
        {"1000 x 700 over a login window off the right", g::NormalWindow(CRect(900, 500, 2020, 1193), bottomTaskbar),
         {280, 284, 1280, 984}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.window, c.expected);
        EXPECT_EQ(g::BrowserRect(c.window, c.titleBar),
                  CRect(0, c.titleBar ? 30 : 0, c.expected.Width(), c.expected.Height()));
    }
}
