#pragma once
// The launcher's push button: no caption, no border, painted from a vertical
// strip of four equal frames (normal, hover, pressed, unused).
#include "Controls.h"
#include "GdiPlus.h"
#include "WindowDC.h"
#include <memory>

class CPngButton : public CButton {
public:
    CPngButton() = default;
    ~CPngButton() override;

    // Starts GDI+ for this button; a failure is shown and otherwise ignored.
    void StartGdiPlus();
    // Loads the strip `id`, sizes the button to one frame without moving it
    // (and raises it among its siblings) and gets ready to paint. A second
    // call replaces the first image.
    void SetImage(UINT id);

    void DrawItem(LPDRAWITEMSTRUCT item) override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    ULONG_PTR m_gdiplusToken = 0;
    std::unique_ptr<Gdiplus::Image> m_pImage;
    std::unique_ptr<Gdiplus::Graphics> m_pGraphics;  // on m_windowDC
    BOOL m_bTracking = FALSE;  // leave and hover asked for this stay of the pointer
    BOOL m_bHover = FALSE;     // the pointer has rested on the button
    UINT m_nWidth = 0;         // strip width, which is the frame width
    UINT m_nHeight = 0;        // strip height
    UINT m_nFrameHeight = 0;
    CWindowDCHolder m_windowDC;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnMouseMove(UINT keys, CPoint point);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    void OnLButtonDown(UINT keys, CPoint point);
    void OnLButtonUp(UINT keys, CPoint point);
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT mouseMessage);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDestroy();

private:
    // The graphics object, then the context it draws on.
    void ReleaseDrawing();
};
