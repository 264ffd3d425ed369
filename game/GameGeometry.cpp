#include "GameGeometry.h"

namespace game_geometry {

CRect NormalWindow(const RECT& centreOn, const RECT& within) {
    return CentreWithin(CRect(0, 0, kNormalWidth, kNormalHeight), centreOn, within);
}

CRect BrowserRect(const RECT& window, bool titleBar) {
    const CRect r(window);
    return CRect(0, titleBar ? kTitleHeight : 0, r.Width(), r.Height());
}

TitleBarRects TitleBar(int clientWidth, const TitleBarWidths& w) {
    // Each button from the left edge of the one to its right.
    auto leftOf = [](const CRect& right, int gap, int width) {
        const int x = right.left - gap - width;
        return CRect(x, 0, x + width, kTitleHeight);
    };
    TitleBarRects r;
    r.close = leftOf(CRect(clientWidth, 0, clientWidth, 0), kCloseMargin, w.close);
    r.restore = leftOf(r.close, 0, w.restore);
    r.min = leftOf(r.restore, 0, w.min);
    r.full = leftOf(r.min, kFullScreenGap, w.full);
    r.boss = leftOf(r.full, 0, w.boss - kCutOff);
    r.clean = leftOf(r.boss, 0, w.clean - kCutOff);
    r.refresh = leftOf(r.clean, 0, w.refresh - kCutOff);
    r.server = leftOf(r.refresh, kServerGap, w.server);
    return r;
}

}  // namespace game_geometry
