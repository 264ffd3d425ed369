#include "Control.h"

#include <exdisp.h>
#include <olectl.h>

#include "Dispatch.h"
#include "Log.h"
#include "StandIn.h"
#include "Text.h"

namespace standin {

namespace {
// The command group of the HTML engine's keystrokes (CGID_MSHTML).
const GUID kEngineCommands = {0xde4ba900, 0x59ca, 0x11cf, {0x95, 0x92, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

const DispatchName kNames[] = {
    {L"Navigate", kDispidNavigate},         {L"Navigate2", kDispidNavigate2},
    {L"Refresh", kDispidRefresh},           {L"LocationURL", kDispidLocationUrl},
    {L"LocationName", kDispidLocationName},
};

std::string RectText(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

// Reads one ambient property of the site, for the record only: the control
// keeps its defaults.
void LogAmbient(IDispatch& ambient, const char* name, DISPID id) {
    DISPPARAMS none = {};
    VARIANT value;
    ::VariantInit(&value);
    const HRESULT hr =
        ambient.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    standin::WriteLog(std::string("Ambient ") + name + " hr=" + HrText(hr) +
                      (SUCCEEDED(hr) ? " value=" + Utf8(ValueText(value)) : std::string()));
    ::VariantClear(&value);
}

// The string argument at `position` (0 = first in calling order).
bool ArgumentText(const DISPPARAMS* params, UINT position, std::wstring* text) {
    if (!params || !params->rgvarg || position >= params->cArgs)
        return false;
    return StringArgument(params->rgvarg[params->cArgs - 1 - position], text);
}
}  // namespace

HRESULT BrowserControl::Create(REFIID iid, void** object) {
    BrowserControl* control = new BrowserControl();
    const HRESULT hr = control->QueryInterface(iid, object);
    control->Release();
    return hr;
}

BrowserControl::BrowserControl() : m_events(*this, DIID_DWebBrowserEvents2) {}

BrowserControl::~BrowserControl() {
    m_events.Clear();
    DestroyControlWindow();
}

// IUnknown

HRESULT BrowserControl::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IWebBrowser || iid == IID_IWebBrowserApp ||
        iid == IID_IWebBrowser2)
        *object = static_cast<IWebBrowser2*>(this);
    else if (iid == IID_IOleObject)
        *object = static_cast<IOleObject*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
        *object = static_cast<IOleInPlaceObject*>(this);
    else if (iid == IID_IOleInPlaceActiveObject)
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    else if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
        *object = static_cast<IPersistStreamInit*>(this);
    else if (iid == IID_IConnectionPointContainer)
        *object = static_cast<IConnectionPointContainer*>(this);
    else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
        *object = static_cast<IProvideClassInfo2*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG BrowserControl::AddRef() { return ::InterlockedIncrement(&m_references); }

ULONG BrowserControl::Release() {
    const LONG count = ::InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return count;
}

// IDispatch

HRESULT BrowserControl::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT BrowserControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return LookUpNames(kNames, names, count, ids);
}

HRESULT BrowserControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                               UINT*) {
    standin::WriteLog("Invoke dispid=" + std::to_string(id) + " flags=" + std::to_string(flags) +
                      " args=" + DescribeArguments(params));
    std::wstring url;
    switch (id) {
    case kDispidNavigate:
    case kDispidNavigate2:
        if (!(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        if (!ArgumentText(params, 0, &url))
            return DISP_E_TYPEMISMATCH;
        StartNavigation(url, nullptr);
        return S_OK;
    case kDispidRefresh:
        if (!(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        return Refresh();
    case kDispidLocationUrl:
    case kDispidLocationName:
        if (!(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        return StringResult(m_page.url, result);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

// IWebBrowser2

HRESULT BrowserControl::Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    if (!url)
        return E_INVALIDARG;
    StartNavigation(std::wstring(url, ::SysStringLen(url)), nullptr);
    return S_OK;
}

HRESULT BrowserControl::Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    std::wstring text;
    if (!url || !StringArgument(*url, &text))
        return E_INVALIDARG;
    StartNavigation(text, nullptr);
    return S_OK;
}

HRESULT BrowserControl::get_LocationURL(BSTR* url) {
    if (!url)
        return E_POINTER;
    *url = ::SysAllocStringLen(m_page.url.data(), static_cast<UINT>(m_page.url.size()));
    return S_OK;
}

HRESULT BrowserControl::get_LocationName(BSTR* name) { return get_LocationURL(name); }

HRESULT BrowserControl::get_HWND(SHANDLE_PTR* window) {
    if (!window)
        return E_POINTER;
    *window = reinterpret_cast<SHANDLE_PTR>(m_window);
    return m_window ? S_OK : E_FAIL;
}

// IOleObject

HRESULT BrowserControl::SetClientSite(IOleClientSite* site) {
    standin::WriteLog(std::string("SetClientSite site=") + (site ? "1" : "0"));
    if (!site) {
        DestroyControlWindow();
        m_inPlaceFrame.Reset();
        m_hostHandler.Reset();
        m_inPlaceSite.Reset();
        m_site.Reset();
        return S_OK;
    }
    m_site = site;
    ComPtr<IDispatch> ambient = m_site.As<IDispatch>(IID_IDispatch);
    standin::WriteLog("QueryInterface IDispatch hr=" + HrText(ambient ? S_OK : E_NOINTERFACE));
    if (ambient) {
        LogAmbient(*ambient.Get(), "UserMode", DISPID_AMBIENT_USERMODE);
        LogAmbient(*ambient.Get(), "DLControl", kDispidAmbientDownloadControl);
    }
    m_hostHandler = m_site.As<IDocHostUIHandler>(IID_IDocHostUIHandler);
    standin::WriteLog("QueryInterface IDocHostUIHandler hr=" + HrText(m_hostHandler ? S_OK : E_NOINTERFACE));
    m_inPlaceSite = m_site.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
    standin::WriteLog("QueryInterface IOleInPlaceSite hr=" + HrText(m_inPlaceSite ? S_OK : E_NOINTERFACE));
    if (m_inPlaceSite && !m_window) {
        HWND parent = nullptr;
        const HRESULT hr = m_inPlaceSite->GetWindow(&parent);
        standin::WriteLog("GetWindow hr=" + HrText(hr));
        if (SUCCEEDED(hr) && parent)
            CreateControlWindow(parent);
    }
    return S_OK;
}

HRESULT BrowserControl::GetClientSite(IOleClientSite** site) {
    if (!site)
        return E_POINTER;
    *site = m_site.Get();
    if (*site)
        (*site)->AddRef();
    return S_OK;
}

HRESULT BrowserControl::Close(DWORD) {
    standin::WriteLog("Close");
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    InPlaceDeactivate();
    DestroyControlWindow();
    m_requests.clear();
    return S_OK;
}

HRESULT BrowserControl::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
    standin::WriteLog("DoVerb verb=" + std::to_string(verb));
    if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_UIACTIVATE)
        return verb == OLEIVERB_HIDE ? InPlaceDeactivate() : OLEOBJ_S_INVALIDVERB;
    if (!m_inPlaceSite || !m_window)
        return E_UNEXPECTED;
    if (!m_inPlaceActive) {
        HRESULT hr = m_inPlaceSite->CanInPlaceActivate();
        standin::WriteLog("CanInPlaceActivate hr=" + HrText(hr));
        if (hr != S_OK)
            return E_FAIL;
        hr = m_inPlaceSite->OnInPlaceActivate();
        standin::WriteLog("OnInPlaceActivate hr=" + HrText(hr));
        m_inPlaceActive = true;
        ComPtr<IOleInPlaceUIWindow> document;
        RECT position = {};
        RECT clip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof(frameInfo);
        hr = m_inPlaceSite->GetWindowContext(m_inPlaceFrame.Put(), document.Put(), &position, &clip, &frameInfo);
        standin::WriteLog("GetWindowContext hr=" + HrText(hr) + " pos=" + RectText(position));
        if (SUCCEEDED(hr))
            ::SetWindowPos(m_window, nullptr, position.left, position.top, position.right - position.left,
                           position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(m_window, SW_SHOWNA);
    }
    if (verb == OLEIVERB_UIACTIVATE)
        UIActivate();
    return S_OK;
}

HRESULT BrowserControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status)
        return E_POINTER;
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
              OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

// IOleWindow, IOleInPlaceObject

HRESULT BrowserControl::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_window;
    return m_window ? S_OK : E_FAIL;
}

HRESULT BrowserControl::InPlaceDeactivate() {
    if (!m_inPlaceActive)
        return S_OK;
    standin::WriteLog("InPlaceDeactivate");
    UIDeactivate();
    m_inPlaceActive = false;
    if (m_window)
        ::ShowWindow(m_window, SW_HIDE);
    if (m_inPlaceSite)
        standin::WriteLog("OnInPlaceDeactivate hr=" + HrText(m_inPlaceSite->OnInPlaceDeactivate()));
    m_inPlaceFrame.Reset();
    return S_OK;
}

HRESULT BrowserControl::UIDeactivate() {
    if (!m_uiActive)
        return S_OK;
    standin::WriteLog("UIDeactivate");
    m_uiActive = false;
    if (m_inPlaceFrame)
        m_inPlaceFrame->SetActiveObject(nullptr, nullptr);
    if (m_inPlaceSite)
        standin::WriteLog("OnUIDeactivate hr=" + HrText(m_inPlaceSite->OnUIDeactivate(FALSE)));
    return S_OK;
}

HRESULT BrowserControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position)
        return E_POINTER;
    standin::WriteLog("SetObjectRects pos=" + RectText(*position));
    if (m_window)
        ::SetWindowPos(m_window, nullptr, position->left, position->top, position->right - position->left,
                       position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
}

// IOleInPlaceActiveObject

HRESULT BrowserControl::TranslateAccelerator(LPMSG message) {
    if (!message)
        return E_POINTER;
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return S_FALSE;
    char text[64];
    std::snprintf(text, sizeof(text), "TranslateAccelerator msg=0x%x vk=0x%x", message->message,
                  static_cast<unsigned>(message->wParam));
    standin::WriteLog(text);
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    if (m_hostHandler) {
        const HRESULT hr = m_hostHandler->TranslateAccelerator(message, &kEngineCommands, 0);
        std::snprintf(text, sizeof(text), "IDocHostUIHandler::TranslateAccelerator vk=0x%x hr=",
                      static_cast<unsigned>(message->wParam));
        standin::WriteLog(text + HrText(hr));
        if (hr == S_OK)
            return S_OK;
    }
    // The page takes every key but the system ones (Alt+F4 stays the
    // window's): translated and handed to its window here.
    if (message->message == WM_SYSKEYDOWN || message->message == WM_SYSKEYUP || message->message == WM_SYSCHAR)
        return S_FALSE;
    ::TranslateMessage(message);
    ::DispatchMessageW(message);
    return S_OK;
}

// IPersistStreamInit

HRESULT BrowserControl::GetClassID(CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_WebBrowser;
    return S_OK;
}

HRESULT BrowserControl::Load(LPSTREAM stream) {
    if (!stream)
        return E_POINTER;
    m_persisted.clear();
    BYTE buffer[256];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof(buffer), &read)) && read > 0)
        m_persisted.insert(m_persisted.end(), buffer, buffer + read);
    standin::WriteLog("Load bytes=" + std::to_string(m_persisted.size()) +
                      " data=" + Hex(m_persisted.data(), m_persisted.size()));
    return S_OK;
}

HRESULT BrowserControl::Save(LPSTREAM stream, BOOL) {
    if (!stream)
        return E_POINTER;
    ULONG written = 0;
    return stream->Write(m_persisted.data(), static_cast<ULONG>(m_persisted.size()), &written);
}

HRESULT BrowserControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size)
        return E_POINTER;
    size->QuadPart = m_persisted.size();
    return S_OK;
}

HRESULT BrowserControl::InitNew() {
    standin::WriteLog("InitNew");
    m_persisted.clear();
    return S_OK;
}

// IConnectionPointContainer, IProvideClassInfo2

HRESULT BrowserControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (iid != DIID_DWebBrowserEvents2)
        return CONNECT_E_NOCONNECTION;
    *point = &m_events;
    m_events.AddRef();
    return S_OK;
}

HRESULT BrowserControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
        return E_INVALIDARG;
    *guid = DIID_DWebBrowserEvents2;
    return S_OK;
}

}  // namespace standin
