#include "WebBrowser2.h"
#include "EventSink.h"

const CLSID CLSID_WebBrowserControl = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

BOOL CWebBrowser2::Create(LPCWSTR, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
    return CreateControl(CLSID_WebBrowserControl, windowName, style, rect, parent, id);
}

HRESULT CWebBrowser2::Navigate(LPCWSTR url) {
    static const BYTE params[] = {VTS_BSTR, VTS_PVARIANT, VTS_PVARIANT, VTS_PVARIANT, VTS_PVARIANT, 0};
    // One empty variant stands for all four optional arguments.
    VARIANT empty;
    ::VariantInit(&empty);
    return InvokeHelper(kDispidNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, params, url, &empty, &empty, &empty, &empty);
}

HRESULT CWebBrowser2::Refresh() {
    return InvokeHelper(kDispidRefresh, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}
