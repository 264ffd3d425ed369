#include "OleControlSite.h"
#include "Diagnostics.h"
#include "OleControlContainer.h"
#include "Wnd.h"
#include <olectl.h>
#include <cstring>
#include <vector>

COleControlSite::COleControlSite(COleControlContainer* container) : m_pCtrlCont(container) {}

COleControlSite::~COleControlSite() {
    ReleaseControl();
}

const InterfaceMap* COleControlSite::GetThisInterfaceMap() {
    static const InterfaceMapEntry entries[] = {
        {&IID_IUnknown, [](COleControlSite* s) -> IUnknown* { return &s->m_xOleClientSite; }},
        {&IID_IOleClientSite, [](COleControlSite* s) -> IUnknown* { return &s->m_xOleClientSite; }},
        {&IID_IOleInPlaceSite, [](COleControlSite* s) -> IUnknown* { return &s->m_xOleInPlaceSite; }},
        {&IID_IOleWindow, [](COleControlSite* s) -> IUnknown* { return &s->m_xOleInPlaceSite; }},
        {&IID_IOleControlSite, [](COleControlSite* s) -> IUnknown* { return &s->m_xOleControlSite; }},
        {&IID_IDispatch, [](COleControlSite* s) -> IUnknown* { return &s->m_xAmbientProps; }},
        {&IID_IOleInPlaceFrame, [](COleControlSite* s) -> IUnknown* { return &s->m_xOleInPlaceFrame; }},
        {&IID_IOleInPlaceUIWindow, [](COleControlSite* s) -> IUnknown* { return &s->m_xOleInPlaceFrame; }},
    };
    static const InterfaceMap map = MakeInterfaceMap(nullptr, entries);
    return &map;
}

HRESULT COleControlSite::ExternalQueryInterface(REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    // The most derived site's interfaces first.
    for (const InterfaceMap* map = GetInterfaceMap(); map != nullptr; map = map->base ? map->base() : nullptr) {
        for (std::size_t i = 0; i < map->count; ++i) {
            if (IsEqualIID(iid, *map->entries[i].iid)) {
                *out = map->entries[i].get(this);
                ExternalAddRef();
                return S_OK;
            }
        }
    }
    return E_NOINTERFACE;
}

HWND COleControlSite::ContainerWindow() const {
    return m_pCtrlCont && m_pCtrlCont->m_pWnd ? m_pCtrlCont->m_pWnd->m_hWnd : nullptr;
}

HRESULT COleControlSite::CreateControl(REFCLSID clsid, DWORD style, const RECT& rect, UINT id, const void* state,
                                       std::size_t stateSize) {
    m_nID = id;
    m_rect = rect;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IOleObject,
                                    reinterpret_cast<void**>(m_pObject.Put()));
    if (FAILED(hr)) {
        AfxReportFailure("creating a hosted control (CoCreateInstance)", static_cast<unsigned long>(hr));
        return hr;
    }
    m_pObject->SetClientSite(&m_xOleClientSite);

    if (const auto persist = m_pObject.As<IPersistStreamInit>(IID_IPersistStreamInit)) {
        ComPtr<IStream> stream;
        if (state != nullptr && stateSize > 0) {
            // The control reads its state from a stream over an unchanged copy.
            HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, stateSize);
            if (block != nullptr) {
                std::memcpy(::GlobalLock(block), state, stateSize);
                ::GlobalUnlock(block);
                if (FAILED(::CreateStreamOnHGlobal(block, TRUE, stream.Put())))
                    ::GlobalFree(block);
            }
        }
        if (stream)
            persist->Load(stream.Get());
        else
            persist->InitNew();
    }

    m_pDispatch = m_pObject.As<IDispatch>(IID_IDispatch);
    ConnectEvents();

    HWND container = ContainerWindow();
    RECT pos = m_rect;
    hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_xOleClientSite, 0, container, &pos);
    if (FAILED(hr))
        AfxReportFailure("activating a hosted control in place", static_cast<unsigned long>(hr));
    if (!m_pInPlaceObject)
        m_pInPlaceObject = m_pObject.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (m_pInPlaceObject)
        m_pInPlaceObject->GetWindow(&m_hWnd);
    if (!m_pActiveObject)
        m_pActiveObject = m_pObject.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    if (m_hWnd != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(id));
        if (!(style & WS_VISIBLE))
            ::ShowWindow(m_hWnd, SW_HIDE);
    }
    return hr;
}

void COleControlSite::ReleaseControl() {
    if (m_pWndCtrl != nullptr) {
        CWnd* wrapper = m_pWndCtrl;
        m_pWndCtrl = nullptr;
        wrapper->m_pCtrlSite = nullptr;
        if (wrapper->m_hWnd != nullptr)
            wrapper->UnsubclassWindow();
    }
    if (!m_pObject)
        return;
    if (m_pInPlaceObject) {
        m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject.Reset();
    }
    DisconnectEvents();
    SetActiveObject(nullptr);
    m_pDispatch.Reset();
    // Taken out first: what the control calls back during its close finds
    // no control here any more.
    const ComPtr<IOleObject> object = std::move(m_pObject);
    object->SetClientSite(nullptr);
    object->Close(OLECLOSE_NOSAVE);
    m_hWnd = nullptr;
}

void COleControlSite::ConnectEvents() {
    m_iidEvents = DefaultEventInterface();
    if (const auto info = m_pObject.As<IProvideClassInfo2>(IID_IProvideClassInfo2)) {
        IID iid;
        if (SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid)))
            m_iidEvents = iid;
    }
    if (IsEqualIID(m_iidEvents, IID_NULL))
        return;
    ComPtr<IConnectionPoint> point;
    if (const auto points = m_pObject.As<IConnectionPointContainer>(IID_IConnectionPointContainer))
        if (SUCCEEDED(points->FindConnectionPoint(m_iidEvents, point.Put())))
            point->Advise(&m_xEventSink, &m_dwEventCookie);
}

void COleControlSite::DisconnectEvents() {
    if (m_dwEventCookie == 0 || !m_pObject)
        return;
    ComPtr<IConnectionPoint> point;
    if (const auto points = m_pObject.As<IConnectionPointContainer>(IID_IConnectionPointContainer))
        if (SUCCEEDED(points->FindConnectionPoint(m_iidEvents, point.Put())))
            point->Unadvise(m_dwEventCookie);
    m_dwEventCookie = 0;
}

void COleControlSite::SetActiveObject(IOleInPlaceActiveObject* active) {
    m_pActiveObject = active;
}

HRESULT COleControlSite::InvokeHelper(DISPID dispid, WORD flags, VARTYPE resultType, void* result,
                                      const BYTE* paramInfo, const InvokeArg* args, std::size_t count) {
    if (!m_pDispatch)
        return E_UNEXPECTED;
    const std::size_t expected = paramInfo ? std::strlen(reinterpret_cast<const char*>(paramInfo)) : 0;
    if (expected != count)
        return E_INVALIDARG;

    // Arguments go last first.
    std::vector<VARIANT> values(count);
    HRESULT hr = S_OK;
    for (std::size_t i = 0; i < count; ++i) {
        VARIANT& v = values[count - 1 - i];
        ::VariantInit(&v);
        const InvokeArg& a = args[i];
        switch (paramInfo[i]) {
        case VTS_BSTR:
            if (a.kind != InvokeArg::Kind::Bstr) { hr = E_INVALIDARG; break; }
            V_VT(&v) = VT_BSTR;
            V_BSTR(&v) = ::SysAllocString(a.text);
            break;
        case VTS_PVARIANT:
            if (a.kind != InvokeArg::Kind::PVariant) { hr = E_INVALIDARG; break; }
            V_VT(&v) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&v) = a.variant;
            break;
        case VTS_DISPATCH:
            if (a.kind != InvokeArg::Kind::Dispatch) { hr = E_INVALIDARG; break; }
            V_VT(&v) = VT_DISPATCH;
            V_DISPATCH(&v) = a.dispatch;
            break;
        case VTS_PBOOL:
            if (a.kind != InvokeArg::Kind::PBool) { hr = E_INVALIDARG; break; }
            V_VT(&v) = VT_BYREF | VT_BOOL;
            V_BOOLREF(&v) = a.flag;
            break;
        case VTS_I4:
            if (a.kind != InvokeArg::Kind::I4) { hr = E_INVALIDARG; break; }
            V_VT(&v) = VT_I4;
            V_I4(&v) = a.number;
            break;
        default:
            hr = E_INVALIDARG;
        }
    }

    VARIANT out;
    ::VariantInit(&out);
    if (SUCCEEDED(hr)) {
        DISPPARAMS params{count ? values.data() : nullptr, nullptr, static_cast<UINT>(count), 0};
        DISPID named = DISPID_PROPERTYPUT;
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            params.rgdispidNamedArgs = &named;
            params.cNamedArgs = 1;
        }
        EXCEPINFO exception{};
        UINT argError = 0;
        hr = m_pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                 resultType != VT_EMPTY ? &out : nullptr, &exception, &argError);
        ::SysFreeString(exception.bstrSource);
        ::SysFreeString(exception.bstrDescription);
        ::SysFreeString(exception.bstrHelpFile);
    }
    for (std::size_t i = 0; i < count; ++i)
        if (V_VT(&values[i]) == VT_BSTR)
            ::VariantClear(&values[i]);

    if (SUCCEEDED(hr) && resultType != VT_EMPTY && result != nullptr) {
        hr = ::VariantChangeType(&out, &out, 0, resultType);
        if (SUCCEEDED(hr)) {
            switch (resultType) {
            case VT_BSTR: *static_cast<BSTR*>(result) = V_BSTR(&out); V_VT(&out) = VT_EMPTY; break;
            case VT_I4: *static_cast<long*>(result) = V_I4(&out); break;
            case VT_BOOL: *static_cast<VARIANT_BOOL*>(result) = V_BOOL(&out); break;
            case VT_DISPATCH: *static_cast<IDispatch**>(result) = V_DISPATCH(&out); V_VT(&out) = VT_EMPTY; break;
            default: hr = E_INVALIDARG;
            }
        }
    }
    ::VariantClear(&out);
    return hr;
}

BOOL COleControlSite::MoveWindow(const RECT& rect) {
    m_rect = rect;
    if (m_pInPlaceObject)
        return SUCCEEDED(m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect));
    return m_hWnd != nullptr && ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

BOOL COleControlSite::ShowWindow(int cmdShow) {
    if (cmdShow != SW_HIDE && !m_bInPlaceActive && m_pObject) {
        RECT pos = m_rect;
        m_pObject->DoVerb(OLEIVERB_SHOW, nullptr, &m_xOleClientSite, 0, ContainerWindow(), &pos);
    }
    return m_hWnd != nullptr && ::ShowWindow(m_hWnd, cmdShow);
}

HWND COleControlSite::SetFocus() {
    const HWND previous = ::GetFocus();
    if (m_pObject) {
        RECT pos = m_rect;
        m_pObject->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &m_xOleClientSite, 0, ContainerWindow(), &pos);
    }
    // A control may put the focus into a window of its own inside its
    // window; only where it did not is its window given the focus.
    const HWND focus = ::GetFocus();
    if (m_hWnd != nullptr && focus != m_hWnd && !::IsChild(m_hWnd, focus))
        ::SetFocus(m_hWnd);
    return previous;
}

BOOL COleControlSite::TranslateAccelerator(MSG* msg) {
    return m_pActiveObject && m_pActiveObject->TranslateAccelerator(msg) == S_OK;
}

// IOleClientSite

STDMETHODIMP COleControlSite::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker** mk) {
    if (mk != nullptr)
        *mk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XOleClientSite::GetContainer(IOleContainer** container) {
    if (container != nullptr)
        *container = nullptr;
    return E_NOINTERFACE;
}

// IOleInPlaceSite

STDMETHODIMP COleControlSite::XOleInPlaceSite::GetWindow(HWND* wnd) {
    if (wnd == nullptr)
        return E_POINTER;
    *wnd = m_pOuter->ContainerWindow();
    return *wnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControlSite::XOleInPlaceSite::OnInPlaceActivate() {
    m_pOuter->m_bInPlaceActive = true;
    if (!m_pOuter->m_pInPlaceObject && m_pOuter->m_pObject)
        m_pOuter->m_pInPlaceObject = m_pOuter->m_pObject.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleInPlaceSite::OnInPlaceDeactivate() {
    m_pOuter->m_bInPlaceActive = false;
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleInPlaceSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                                                LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame == nullptr || doc == nullptr || pos == nullptr || clip == nullptr)
        return E_POINTER;
    *frame = &m_pOuter->m_xOleInPlaceFrame;
    (*frame)->AddRef();
    *doc = nullptr;
    *pos = m_pOuter->m_rect;
    *clip = m_pOuter->m_rect;
    if (info != nullptr) {
        info->fMDIApp = FALSE;
        info->hwndFrame = m_pOuter->ContainerWindow();
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleInPlaceSite::OnPosRectChange(LPCRECT pos) {
    if (pos == nullptr)
        return E_POINTER;
    m_pOuter->m_rect = *pos;
    if (m_pOuter->m_pInPlaceObject)
        m_pOuter->m_pInPlaceObject->SetObjectRects(&m_pOuter->m_rect, &m_pOuter->m_rect);
    return S_OK;
}

// IOleControlSite

STDMETHODIMP COleControlSite::XOleControlSite::GetExtendedControl(IDispatch** out) {
    if (out != nullptr)
        *out = nullptr;
    return E_NOTIMPL;
}

// Ambient properties

STDMETHODIMP COleControlSite::XAmbientProps::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP COleControlSite::XAmbientProps::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                                    EXCEPINFO*, UINT*) {
    if (dispid != DISPID_AMBIENT_USERMODE)
        return DISP_E_MEMBERNOTFOUND;
    if (result != nullptr) {
        ::VariantInit(result);
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
    }
    return S_OK;
}

// IOleInPlaceFrame

STDMETHODIMP COleControlSite::XOleInPlaceFrame::GetWindow(HWND* wnd) {
    if (wnd == nullptr)
        return E_POINTER;
    *wnd = m_pOuter->ContainerWindow();
    return *wnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControlSite::XOleInPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) {
    m_pOuter->SetActiveObject(active);
    return S_OK;
}

// Event sink

STDMETHODIMP COleControlSite::XEventSink::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, m_pSite->m_iidEvents)) {
        *out = this;
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP COleControlSite::XEventSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP COleControlSite::XEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                 EXCEPINFO*, UINT*) {
    if (m_pSite->m_pCtrlCont != nullptr)
        m_pSite->m_pCtrlCont->OnEvent(m_pSite, dispid, params);
    return S_OK;
}
