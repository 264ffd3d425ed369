#include "LayeredWindow.h"
#include "Gdi.h"
#include "Geometry.h"
#include "UpdateLayeredTool.h"

namespace {
// Writes the extended style only when the bit is missing: every write
// notifies the window of a style change.
void AddLayeredStyle(HWND window) {
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        ::SetWindowLongW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
}
}  // namespace

void CLayeredPng::Present() {
    if (!m_png.m_pImage || !::IsWindow(m_hWndTarget))
        return;
    // Released in reverse order of declaration: memory DC, bitmap, window DC.
    CClientDC windowDC(m_hWndTarget);
    CRect rect;
    ::GetWindowRect(m_hWndTarget, &rect);
    POINT destination = rect.TopLeft();
    const int width = static_cast<int>(m_png.GetWidth());
    const int height = static_cast<int>(m_png.GetHeight());
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(windowDC, width, height);
    CDC memoryDC;
    memoryDC.CreateCompatibleDC(windowDC);
    memoryDC.SelectObject(bitmap);
    {
        Gdiplus::Graphics graphics(memoryDC);
        const Gdiplus::Point corners[3] = {{0, 0}, {width, 0}, {0, height}};
        graphics.DrawImage(m_png.m_pImage.get(), corners, 3);
    }

    AddLayeredStyle(m_hWndTarget);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredTool* tool = UpdateLayeredTool::Instance();
    if (tool->m_pfnUpdateLayeredWindow != nullptr) {
        SIZE size{width, height};
        POINT source{0, 0};
        tool->m_pfnUpdateLayeredWindow(m_hWndTarget, windowDC, &destination, &size, memoryDC, &source, 0, &blend,
                                       ULW_ALPHA);
    }
}

void ApplyLayeredColorKey(HWND window, COLORREF key, BYTE alpha) {
    AddLayeredStyle(window);
    UpdateLayeredTool* tool = UpdateLayeredTool::Instance();
    if (tool->m_pfnSetLayeredWindowAttributes != nullptr)
        tool->m_pfnSetLayeredWindowAttributes(window, key, alpha, LWA_COLORKEY | LWA_ALPHA);
}
