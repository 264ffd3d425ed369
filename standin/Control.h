#pragma once
// The stand-in WebBrowser control: the COM object a host creates by the
// WebBrowser class id, its window, and its navigations.
#include <windows.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <oleidl.h>

#include <deque>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "ConnectionPoint.h"
#include "Frame.h"
#include "Module.h"
#include "PageLayout.h"
#include "WebBrowserBase.h"

namespace standin {

class BrowserControl final : public WebBrowserBase,
                             public IOleObject,
                             public IOleInPlaceObject,
                             public IOleInPlaceActiveObject,
                             public IPersistStreamInit,
                             public IConnectionPointContainer,
                             public IProvideClassInfo2 {
public:
    static HRESULT Create(REFIID iid, void** object);
    // The control whose window `window` is, in this process; else null.
    static BrowserControl* FromWindow(HWND window);

    const std::vector<BYTE>& Persisted() const { return m_persisted; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;
    // IWebBrowser2, what the stand-in serves
    HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override;
    HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) override;
    HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* window) override;
    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD option) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override { return GetClassID(clsid); }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
    // IOleWindow (for both in-place interfaces)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }
    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

private:
    static constexpr UINT kLoadMessage = WM_APP + 1;  // the next queued request
    static constexpr UINT_PTR kRefreshTimer = 1;      // <meta http-equiv="refresh">

    // One navigation waiting for the message loop: a fetch and its events.
    struct Request {
        std::wstring url;
        ComPtr<Frame> frame;     // null for the top page
        unsigned generation;     // the top navigation it belongs to
        bool refresh = false;    // Refresh: no events
        bool partOfTop = false;  // a frame the top page's load waits for
    };

    BrowserControl();
    ~BrowserControl() override;

    // The window
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControlWindow(HWND parent);
    void DestroyControlWindow();
    void OnPaint();
    void OnLeftButtonUp(POINT point);
    void OnRightButtonUp(POINT point);
    void OnKeyDown(UINT key);
    void OnChar(wchar_t code);
    void UIActivate();
    std::vector<PageItem> Items();
    std::wstring* FieldValue(int number);
    // Calls visit(element, frame) for every element in page order: the top
    // page's, with each frame's page (frame not null) after its Frame
    // element. Stops when visit answers true.
    template <typename Visit>
    void VisitElements(Visit visit);
    void Redraw();

    // Navigation
    // False when the navigation was cancelled or could not be queued.
    bool StartNavigation(const std::wstring& url, const ComPtr<Frame>& frame, bool partOfTop = false);
    bool QueueRequest(Request request);
    void LoadNext();
    void LoadPage(Request& request);
    void FinishTopWhenFramesAreDone();
    bool FollowLink(int number);
    void ReadHostInfo();
    void ResolveExternals(Page& page);
    IDispatch* EventSource(const ComPtr<Frame>& frame);
    bool FireBeforeNavigate2(const ComPtr<Frame>& frame, const std::wstring& url);
    void FireNavigateComplete(DISPID id, const ComPtr<Frame>& frame, const std::wstring& url);
    bool FireNavigateError(const ComPtr<Frame>& frame, const std::wstring& url, DWORD status);

    LONG m_references = 1;
    standin::LiveObject m_live;
    ConnectionPoint m_events;
    ComPtr<IOleClientSite> m_site;
    ComPtr<IOleInPlaceSite> m_inPlaceSite;
    ComPtr<IDocHostUIHandler> m_hostHandler;
    ComPtr<IOleInPlaceFrame> m_inPlaceFrame;
    HWND m_window = nullptr;
    bool m_inPlaceActive = false;
    bool m_uiActive = false;
    std::vector<BYTE> m_persisted;

    Page m_page;
    std::vector<ComPtr<Frame>> m_frames;
    std::deque<Request> m_requests;
    unsigned m_generation = 0;
    int m_framesLoading = 0;
    PageLayout m_layout;
    int m_focusedField = 0;
};

template <typename Visit>
void BrowserControl::VisitElements(Visit visit) {
    size_t frame = 0;
    for (Element& element : m_page.document.elements) {
        if (visit(element, static_cast<Frame*>(nullptr)))
            return;
        if (element.kind != Element::Kind::Frame || frame >= m_frames.size())
            continue;
        Frame* owner = m_frames[frame++].Get();
        for (Element& inner : owner->page.document.elements) {
            if (visit(inner, owner))
                return;
        }
    }
}

}  // namespace standin
