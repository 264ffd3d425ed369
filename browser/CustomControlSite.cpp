#include "CustomControlSite.h"
#include "ScriptExternal.h"

CCustomControlSite::~CCustomControlSite() = default;

const InterfaceMap* CCustomControlSite::GetThisInterfaceMap() {
    static const InterfaceMapEntry entries[] = {
        {&IID_IDocHostUIHandler, [](COleControlSite* s) -> IUnknown* {
             return &static_cast<CCustomControlSite*>(s)->m_xDocHostUIHandler;
         }},
    };
    static const InterfaceMap map = MakeInterfaceMap(&COleControlSite::GetThisInterfaceMap, entries);
    return &map;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* info) {
    if (info == nullptr)
        return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetExternal(IDispatch** external) {
    if (external == nullptr)
        return E_POINTER;
    // A reference of its own for the page, which releases it.
    *external = ComPtr<IDispatch>(AfxGetScriptExternal()).Detach();
    return S_OK;
}
