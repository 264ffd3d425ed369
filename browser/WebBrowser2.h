#pragma once
// The wrapper through which a window holds and drives one WebBrowser control.
#include <olectl.h>

#include "Wnd.h"

// {8856F961-340A-11D0-A96B-00C04FD705A2}
extern const CLSID CLSID_WebBrowserControl;

class CWebBrowser2 : public CWnd {
public:
    // IWebBrowser2's Navigate (the platform's headers name no number for it)
    // and the stock Refresh method.
    static constexpr DISPID kDispidNavigate = 104;
    static constexpr DISPID kDispidRefresh = DISPID_REFRESH;

    // Creates a browser in code (no persisted state); the class name and the
    // creation context are not used.
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                void* context = nullptr);

    // Loads `url` with the control's defaults for flags, target frame, post
    // data and headers. Without a control nothing happens.
    HRESULT Navigate(LPCWSTR url);
    // Reloads the current page.
    HRESULT Refresh();
};
