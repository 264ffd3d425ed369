#include "Controls.h"
#include <commctrl.h>

BOOL CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *result = TRUE;
    return TRUE;
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CRect(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT),
                    parent, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, LPCWSTR text, LPCRECT rect, UINT_PTR toolId) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    if (rect == nullptr && toolId == 0) {
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = ::GetParent(tool->m_hWnd);
        ti.uId = reinterpret_cast<UINT_PTR>(tool->m_hWnd);
    } else {
        ti.hwnd = tool->m_hWnd;
        ti.uId = toolId;
        if (rect != nullptr)
            ti.rect = *rect;
    }
    ti.lpszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}
