#pragma once
// Small value types over the platform's POINT, SIZE and RECT.
#include <windows.h>

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(POINT p) : POINT(p) {}
    // From a message's packed coordinates (signed 16-bit x and y).
    explicit CPoint(LPARAM packed)
        : POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))} {}
};

struct CSize : SIZE {
    CSize() : SIZE{0, 0} {}
    CSize(int cx_, int cy_) : SIZE{cx_, cy_} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return {left, top}; }
    bool operator==(const RECT& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const RECT& o) const { return !(*this == o); }
};

// `window` moved (not resized) so that it is centred on `centreOn`, then
// kept inside `within`: pushed left and up where it reaches past the right
// and bottom, then right and down where it starts before the left and top.
inline CRect CentreWithin(const RECT& window, const RECT& centreOn, const RECT& within) {
    const int width = window.right - window.left, height = window.bottom - window.top;
    int left = (centreOn.left + centreOn.right) / 2 - width / 2;
    int top = (centreOn.top + centreOn.bottom) / 2 - height / 2;
    if (left + width > within.right)
        left = within.right - width;
    if (left < within.left)
        left = within.left;
    if (top + height > within.bottom)
        top = within.bottom - height;
    if (top < within.top)
        top = within.top;
    return CRect(left, top, left + width, top + height);
}
