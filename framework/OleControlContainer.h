#pragma once
// The OLE controls hosted by one window, each with its site.
#include <windows.h>
#include <oaidl.h>
#include <memory>
#include <vector>

class CWnd;
class COleControlSite;

class COleControlContainer {
public:
    explicit COleControlContainer(CWnd* wnd) : m_pWnd(wnd) {}
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;
    virtual ~COleControlContainer();

    COleControlSite* Add(std::unique_ptr<COleControlSite> site);
    // Tears the control down and deletes its site.
    void Remove(COleControlSite* site);
    COleControlSite* FindItem(UINT id) const;
    // The site whose control window is `hWnd` or holds it.
    COleControlSite* SiteForWindow(HWND hWnd) const;
    // An event of one of the controls, for the window's event-sink map.
    void OnEvent(COleControlSite* site, DISPID dispid, const DISPPARAMS* params);

    CWnd* m_pWnd;

private:
    std::vector<std::unique_ptr<COleControlSite>> m_sites;
};
