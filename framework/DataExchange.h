#pragma once
// Dialog data exchange: binding template controls to member objects.
#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Attaches `control` to the dialog's control `id` the first time it runs
// (subclassing the control's window); later calls leave it attached.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
