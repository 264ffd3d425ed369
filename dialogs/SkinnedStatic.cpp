#include "SkinnedStatic.h"
#include "Gdi.h"
#include "Wnd.h"

HBRUSH PaintStaticOverDialog(CWnd* dialog, CDC* dc, CWnd* control, COLORREF textColor) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(textColor);
    CRect rect;
    control->GetWindowRect(&rect);
    dialog->ScreenToClient(&rect);
    CClientDC dialogDC(dialog->m_hWnd);
    dc->BitBlt(0, 0, rect.Width(), rect.Height(), dialogDC, rect.left, rect.top, SRCCOPY);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void PaintStretchedBackground(CWnd* dialog, HBITMAP bitmap) {
    CPaintDC dc(dialog);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    HGDIOBJ old = memory.SelectObject(bitmap);
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    CRect client;
    dialog->GetClientRect(&client);
    dc.StretchBlt(0, 0, client.Width(), client.Height(), memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    memory.SelectObject(old);
}
