#include "Gdi.h"
#include "Wnd.h"
#include "WinApp.h"

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (object == nullptr)
        return FALSE;
    DeleteObject();
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ object = Detach();
    return ::DeleteObject(object);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id)));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc, width, height));
}

int CBitmap::GetBitmap(BITMAP* info) const {
    return ::GetObjectW(m_hObject, sizeof(BITMAP), info);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return Attach(::CreateSolidBrush(color));
}

BOOL CFont::CreatePointFont(int pointSizeTenths, LPCWSTR faceName, HDC dc) {
    HDC screen = dc ? dc : ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(pointSizeTenths, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(lf.lfFaceName, faceName, LF_FACESIZE);
    if (dc == nullptr)
        ::ReleaseDC(nullptr, screen);
    return Attach(::CreateFontIndirectW(&lf));
}

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(HDC dc) {
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(dc);
    m_bOwned = m_hDC != nullptr;
    return m_bOwned;
}

BOOL CDC::DeleteDC() {
    if (!m_bOwned || m_hDC == nullptr)
        return FALSE;
    m_bOwned = false;
    HDC dc = m_hDC;
    m_hDC = nullptr;
    return ::DeleteDC(dc);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) {
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}
