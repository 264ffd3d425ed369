#pragma once
// See-through top-level windows: presented from a PNG with per-pixel alpha,
// or colour-keyed with a constant opacity.
#include "GdiPlusPng.h"

// An image and the window it is presented on.
class CLayeredPng {
public:
    // Makes the window layered and hands it the image, unscaled, at the
    // window's present top-left corner; the window takes the image's size.
    // Does nothing without an image or without a window.
    void Present();

    CGdiPlusPngResource m_png;
    HWND m_hWndTarget = nullptr;
};

// Pixels of `key` (0x00BBGGRR) become fully transparent, the rest is drawn
// with opacity `alpha`.
void ApplyLayeredColorKey(HWND window, COLORREF key, BYTE alpha);
