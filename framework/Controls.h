#pragma once
// Wrappers of the standard controls the windows use.
#include "Wnd.h"
#include <commctrl.h>

class CButton : public CWnd {
public:
    // Called for each repaint of an owner-drawn button.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CStatic : public CWnd {};

class CToolTipCtrl : public CWnd {
public:
    // A tooltip popup owned by `parent`.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tool for `tool`: with no rectangle and id 0 the tool is the window
    // itself (identified by its handle).
    BOOL AddTool(CWnd* tool, LPCWSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
};
