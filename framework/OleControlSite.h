#pragma once
// The site of one hosted OLE control: the control's client, in-place and
// control site, its ambient properties, its in-place frame, and the sink of
// its events. Owned by its container; created through the control-site
// manager so that a derived site can add interfaces of its own.
#include <windows.h>
#include <ocidl.h>
#include <ole2.h>
#include <cstddef>

#include "ComPtr.h"
#include "Geometry.h"
#include "InvokeArg.h"
#include "SiteInterface.h"

class CWnd;
class COleControlContainer;
class COleControlSite;

struct InterfaceMapEntry {
    const IID* iid;
    IUnknown* (*get)(COleControlSite* site);
};

struct InterfaceMap {
    const InterfaceMap* (*base)();
    const InterfaceMapEntry* entries;
    std::size_t count;
};

template <std::size_t N>
constexpr InterfaceMap MakeInterfaceMap(const InterfaceMap* (*base)(), const InterfaceMapEntry (&entries)[N]) {
    return InterfaceMap{base, entries, N};
}

class COleControlSite {
public:
    explicit COleControlSite(COleControlContainer* container);
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;
    virtual ~COleControlSite();

    // Creates the control, hands it `state` (its persisted stream, or none
    // for a fresh one), connects its events and activates it in place at
    // `rect` (container client pixels). Hidden unless `style` has WS_VISIBLE.
    HRESULT CreateControl(REFCLSID clsid, DWORD style, const RECT& rect, UINT id, const void* state,
                          std::size_t stateSize);
    // Deactivates, disconnects and closes the control; lets go of the bound
    // wrapper. The container deletes the site afterwards.
    void ReleaseControl();

    HRESULT InvokeHelper(DISPID dispid, WORD flags, VARTYPE resultType, void* result, const BYTE* paramInfo,
                         const InvokeArg* args, std::size_t count);
    BOOL MoveWindow(const RECT& rect);
    BOOL ShowWindow(int cmdShow);
    // Activates the control's user interface (as a click into it would) and
    // gives it the keyboard focus, so that its own keys work at once. The
    // window that had the focus, or null.
    HWND SetFocus();
    // Gives a keystroke to the control first; TRUE when it took it.
    BOOL TranslateAccelerator(MSG* msg);

    // One identity and one count for every interface of the site.
    HRESULT ExternalQueryInterface(REFIID iid, void** out);
    ULONG ExternalAddRef() { return ++m_dwRef; }
    ULONG ExternalRelease() { return --m_dwRef; }
    ULONG RefCount() const { return m_dwRef; }

    static const InterfaceMap* GetThisInterfaceMap();
    virtual const InterfaceMap* GetInterfaceMap() const { return GetThisInterfaceMap(); }

    COleControlContainer* m_pCtrlCont;
    CWnd* m_pWndCtrl = nullptr;  // the wrapper bound by data exchange, if any
    HWND m_hWnd = nullptr;       // the control's window
    UINT m_nID = 0;
    CRect m_rect;
    ComPtr<IOleObject> m_pObject;
    ComPtr<IOleInPlaceObject> m_pInPlaceObject;
    ComPtr<IOleInPlaceActiveObject> m_pActiveObject;
    ComPtr<IDispatch> m_pDispatch;
    IID m_iidEvents = IID_NULL;
    DWORD m_dwEventCookie = 0;
    bool m_bInPlaceActive = false;

protected:
    HWND ContainerWindow() const;

    class XOleClientSite : public CNestedInterface<COleControlSite, IOleClientSite> {
    public:
        using CNestedInterface::CNestedInterface;
        STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
        STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** mk) override;
        STDMETHODIMP GetContainer(IOleContainer** container) override;
        STDMETHODIMP ShowObject() override { return S_OK; }
        STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
        STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    } m_xOleClientSite{this};

    class XOleInPlaceSite : public CNestedInterface<COleControlSite, IOleInPlaceSite> {
    public:
        using CNestedInterface::CNestedInterface;
        STDMETHODIMP GetWindow(HWND* wnd) override;
        STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
        STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
        STDMETHODIMP OnInPlaceActivate() override;
        STDMETHODIMP OnUIActivate() override { return S_OK; }
        STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                      LPOLEINPLACEFRAMEINFO info) override;
        STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
        STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
        STDMETHODIMP OnInPlaceDeactivate() override;
        STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
        STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
        STDMETHODIMP OnPosRectChange(LPCRECT pos) override;
    } m_xOleInPlaceSite{this};

    class XOleControlSite : public CNestedInterface<COleControlSite, IOleControlSite> {
    public:
        using CNestedInterface::CNestedInterface;
        STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
        STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
        STDMETHODIMP GetExtendedControl(IDispatch** out) override;
        STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
        STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
        STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
        STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }
    } m_xOleControlSite{this};

    // Ambient properties: the control runs in user mode and keeps its own
    // defaults for everything else.
    class XAmbientProps : public CNestedInterface<COleControlSite, IDispatch> {
    public:
        using CNestedInterface::CNestedInterface;
        STDMETHODIMP GetTypeInfoCount(UINT* count) override;
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
        STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    } m_xAmbientProps{this};

    class XOleInPlaceFrame : public CNestedInterface<COleControlSite, IOleInPlaceFrame> {
    public:
        using CNestedInterface::CNestedInterface;
        STDMETHODIMP GetWindow(HWND* wnd) override;
        STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
        STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
        STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
        STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
        STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override;
        STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
        STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
        STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
        STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
        STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
        STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
    } m_xOleInPlaceFrame{this};

    // The sink has an identity of its own: it answers the control's event
    // interface, which is a dispatch interface.
    class XEventSink : public IDispatch {
    public:
        explicit XEventSink(COleControlSite* site) : m_pSite(site) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override { return m_pSite->ExternalAddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_pSite->ExternalRelease(); }
        STDMETHODIMP GetTypeInfoCount(UINT* count) override;
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

    private:
        COleControlSite* m_pSite;
    } m_xEventSink{this};

    // The event interface to sink when the control does not name its own
    // (IProvideClassInfo2): the framework knows of no control's events, so
    // a site for a particular control says which; IID_NULL sinks none.
    virtual const IID& DefaultEventInterface() const { return IID_NULL; }
    void ConnectEvents();
    void DisconnectEvents();
    void SetActiveObject(IOleInPlaceActiveObject* active);

private:
    ULONG m_dwRef = 0;
};
