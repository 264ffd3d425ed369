#include "PngButton.h"
#include "LoadPngImage.h"
#include "MessageMap.h"
#include "WinApp.h"

namespace {
enum Frame { kNormal = 0, kHover = 1, kPressed = 2 };
}  // namespace

CPngButton::~CPngButton() {
    m_pImage.reset();
    ReleaseDrawing();
}

const MessageMap* CPngButton::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Mouse<WM_MOUSEMOVE, &CPngButton::OnMouseMove>(),
        msgmap::Message<WM_MOUSEHOVER, &CPngButton::OnMouseHover>(),
        msgmap::Message<WM_MOUSELEAVE, &CPngButton::OnMouseLeave>(),
        msgmap::Mouse<WM_LBUTTONDOWN, &CPngButton::OnLButtonDown>(),
        msgmap::Mouse<WM_LBUTTONUP, &CPngButton::OnLButtonUp>(),
        msgmap::SetCursor<&CPngButton::OnSetCursor>(),
        msgmap::EraseBkgnd<&CPngButton::OnEraseBkgnd>(),
        msgmap::Destroy<&CPngButton::OnDestroy>(),
    };
    static const MessageMap map = MakeMessageMap(&CButton::GetThisMessageMap, entries);
    return &map;
}

void CPngButton::StartGdiPlus() {
    if (StartupGdiPlus(&m_gdiplusToken) != Gdiplus::Ok)
        ::MessageBoxW(nullptr, L"Initialize GDI+ library failed", L"Error", MB_ICONERROR);
}

void CPngButton::SetImage(UINT id) {
    ReleaseDrawing();
    m_pImage = LoadPngImage(AfxGetResourceHandle(), static_cast<WORD>(id));
    m_nWidth = m_pImage ? m_pImage->GetWidth() : 0;
    m_nHeight = m_pImage ? m_pImage->GetHeight() : 0;
    m_nFrameHeight = m_nHeight / 4;
    // No SWP_NOZORDER: the button whose image was set last lies on top.
    SetWindowPos(HWND_TOP, 0, 0, static_cast<int>(m_nWidth), static_cast<int>(m_nFrameHeight), SWP_NOMOVE);
    if (HDC dc = m_windowDC.Acquire(m_hWnd))
        m_pGraphics.reset(new Gdiplus::Graphics(dc));
}

void CPngButton::ReleaseDrawing() {
    m_pGraphics.reset();
    m_windowDC.Release();
}

void CPngButton::PreSubclassWindow() {
    // From now on all painting comes through DrawItem.
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

LRESULT CPngButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // An owner-drawn button takes the second click of a double click as a
    // double-click notification only; make it an ordinary press.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CPngButton::DrawItem(LPDRAWITEMSTRUCT item) {
    if (!m_pGraphics || !m_pImage)
        return;
    int frame = kNormal;
    if (item->itemState & ODS_SELECTED)
        frame = kPressed;
    else if (m_bHover)
        frame = kHover;
    const int width = static_cast<int>(m_nWidth);
    const int height = static_cast<int>(m_nFrameHeight);
    // Always through the window DC, whatever context the item brings.
    m_pGraphics->DrawImage(m_pImage.get(), Gdiplus::Rect(0, 0, width, height), 0, frame * height, width, height,
                           Gdiplus::UnitPixel);
}

void CPngButton::OnMouseMove(UINT, CPoint) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = ::_TrackMouseEvent(&tme);
    }
    Default();
}

LRESULT CPngButton::OnMouseHover(WPARAM, LPARAM) {
    m_bHover = TRUE;
    Invalidate(TRUE);
    return 0;
}

LRESULT CPngButton::OnMouseLeave(WPARAM, LPARAM) {
    m_bTracking = FALSE;
    m_bHover = FALSE;
    Invalidate(TRUE);
    return 0;
}

void CPngButton::OnLButtonDown(UINT, CPoint) {
    Invalidate(TRUE);
    Default();
}

void CPngButton::OnLButtonUp(UINT, CPoint) {
    Invalidate(TRUE);
    Default();
}

BOOL CPngButton::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

BOOL CPngButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPngButton::OnDestroy() {
    // The context belongs to this window; give it back while the window is there.
    ReleaseDrawing();
    Default();
}
