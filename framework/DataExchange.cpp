#include "DataExchange.h"
#include "OleControlContainer.h"
#include "OleControlSite.h"
#include "Wnd.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd != nullptr || dx->m_pDlgWnd == nullptr)
        return;
    // An OLE control is bound to its site, and to its window when it has one.
    if (COleControlContainer* container = dx->m_pDlgWnd->m_pCtrlCont) {
        if (COleControlSite* site = container->FindItem(static_cast<UINT>(id))) {
            control.m_pCtrlSite = site;
            site->m_pWndCtrl = &control;
            if (site->m_hWnd != nullptr)
                control.SubclassWindow(site->m_hWnd);
            return;
        }
    }
    HWND item = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
    if (item != nullptr)
        control.SubclassWindow(item);
}
