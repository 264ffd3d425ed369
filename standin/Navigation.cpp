// Navigations: BeforeNavigate2 inside the call that starts one, then the
// fetch and its completion events from the message loop, frames after the
// page that holds them, and the top page's DocumentComplete last.
#include <exdispid.h>

#include "Control.h"
#include "Dispatch.h"
#include "Fetch.h"
#include "Log.h"
#include "Text.h"

namespace standin {

namespace {
std::string FrameSuffix(const ComPtr<Frame>& frame) {
    return frame ? " frame=" + Utf8(frame->Name()) : std::string();
}

VARIANTARG DispatchArgument(IDispatch* source) {
    VARIANTARG argument;
    ::VariantInit(&argument);
    argument.vt = VT_DISPATCH;
    argument.pdispVal = source;
    return argument;
}

VARIANTARG BoolReference(VARIANT_BOOL* value) {
    VARIANTARG argument;
    ::VariantInit(&argument);
    argument.vt = VT_BYREF | VT_BOOL;
    argument.pboolVal = value;
    return argument;
}

Page ErrorPage(const std::wstring& url, DWORD status) {
    Page page;
    page.url = url;
    page.document.elements.push_back(
        {Element::Kind::Text, L"The page could not be shown (status " + std::to_wstring(status) + L").", {}});
    return page;
}
}  // namespace

HRESULT BrowserControl::Refresh() {
    if (m_page.url.empty())
        return S_OK;
    QueueRequest({m_page.url, nullptr, m_generation, true});
    return S_OK;
}

bool BrowserControl::StartNavigation(const std::wstring& url, const ComPtr<Frame>& frame, bool partOfTop) {
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    if (FireBeforeNavigate2(frame, url))
        return false;
    if (!frame) {
        // A new top page: whatever the old one still had coming is dropped.
        ++m_generation;
        m_framesLoading = 0;
        if (m_window)
            ::KillTimer(m_window, kRefreshTimer);
    }
    return QueueRequest({url, frame, m_generation, false, partOfTop});
}

bool BrowserControl::QueueRequest(Request request) {
    if (!m_window) {
        standin::WriteLog("Fetch url=" + Utf8(request.url) + " dropped: no window");
        return false;
    }
    m_requests.push_back(std::move(request));
    ::PostMessageW(m_window, kLoadMessage, 0, 0);
    return true;
}

void BrowserControl::LoadNext() {
    if (m_requests.empty())
        return;
    Request request = std::move(m_requests.front());
    m_requests.pop_front();
    if (request.generation == m_generation)
        LoadPage(request);
}

void BrowserControl::LoadPage(Request& request) {
    const FetchResult fetched = Fetch(request.url);
    standin::WriteLog("Fetch url=" + Utf8(request.url) + " status=" + std::to_string(fetched.status) +
                      " bytes=" + std::to_string(fetched.body.size()) + (request.refresh ? " refresh" : ""));
    if (request.refresh) {
        if (fetched.status == 200) {
            m_page.document = ParseHtml(FromUtf8(fetched.body));
            ResolveExternals(m_page);
            Redraw();
        }
        return;
    }
    Page page;
    if (fetched.status == 200) {
        page.url = fetched.url;
        page.document = ParseHtml(FromUtf8(fetched.body));
    } else if (FireNavigateError(request.frame, request.url, fetched.status)) {
        return;
    } else {
        page = ErrorPage(request.url, fetched.status);
    }
    ReadHostInfo();
    ResolveExternals(page);
    const bool loaded = fetched.status == 200;
    if (request.frame) {
        request.frame->page = std::move(page);
        Redraw();
        if (loaded) {
            FireNavigateComplete(DISPID_NAVIGATECOMPLETE2, request.frame, request.frame->page.url);
            FireNavigateComplete(DISPID_DOCUMENTCOMPLETE, request.frame, request.frame->page.url);
        }
        if (request.partOfTop && request.generation == m_generation && --m_framesLoading == 0)
            FireNavigateComplete(DISPID_DOCUMENTCOMPLETE, nullptr, m_page.url);
        return;
    }
    m_page = std::move(page);
    m_frames.clear();
    m_focusedField = 0;
    Redraw();
    if (!loaded)
        return;
    const unsigned generation = m_generation;
    FireNavigateComplete(DISPID_NAVIGATECOMPLETE2, nullptr, m_page.url);
    if (generation != m_generation)
        return;  // a handler navigated elsewhere
    if (m_page.document.refreshSeconds >= 0 && m_window)
        ::SetTimer(m_window, kRefreshTimer, static_cast<UINT>(m_page.document.refreshSeconds) * 1000, nullptr);
    for (const Element& element : m_page.document.elements) {
        if (element.kind == Element::Kind::Frame)
            m_frames.push_back(Frame::Create(element.text, element.target));
    }
    const std::vector<ComPtr<Frame>> frames = m_frames;
    for (const ComPtr<Frame>& frame : frames) {
        ++m_framesLoading;
        const bool started = StartNavigation(CombineUrl(m_page.url, frame->Source()), frame, true);
        if (generation != m_generation)
            return;
        if (!started)
            --m_framesLoading;  // cancelled: the page does not wait for it
    }
    if (m_framesLoading == 0)
        FireNavigateComplete(DISPID_DOCUMENTCOMPLETE, nullptr, m_page.url);
}

bool BrowserControl::FollowLink(int number) {
    std::wstring target;
    ComPtr<Frame> owner;
    int links = 0;
    VisitElements([&](const Element& element, Frame* frame) {
        if (element.kind != Element::Kind::Link || links++ != number)
            return false;
        target = element.target;
        owner = frame;
        return true;
    });
    if (links <= number)
        return false;
    const std::wstring url = CombineUrl(owner ? owner->page.url : m_page.url, target);
    standin::WriteLog("Click link=" + std::to_string(number) + " url=" + Utf8(url));
    StartNavigation(url, owner);
    return true;
}

void BrowserControl::ReadHostInfo() {
    if (!m_hostHandler || !m_window)
        return;
    DOCHOSTUIINFO info = {};
    info.cbSize = sizeof(info);
    const HRESULT hr = m_hostHandler->GetHostInfo(&info);
    standin::WriteLog("GetHostInfo hr=" + HrText(hr) + " flags=" + std::to_string(info.dwFlags) +
                      " dblclk=" + std::to_string(info.dwDoubleClick));
    if (FAILED(hr))
        info.dwFlags = 0;
    // The host decides on the border and the scroll bar.
    LONG_PTR style = ::GetWindowLongPtrW(m_window, GWL_STYLE);
    LONG_PTR exStyle = ::GetWindowLongPtrW(m_window, GWL_EXSTYLE);
    style = info.dwFlags & DOCHOSTUIFLAG_SCROLL_NO ? style & ~WS_VSCROLL : style | WS_VSCROLL;
    exStyle = info.dwFlags & DOCHOSTUIFLAG_NO3DBORDER ? exStyle & ~WS_EX_CLIENTEDGE : exStyle | WS_EX_CLIENTEDGE;
    ::SetWindowLongPtrW(m_window, GWL_STYLE, style);
    ::SetWindowLongPtrW(m_window, GWL_EXSTYLE, exStyle);
    ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// <standin-external name=NAME> shows what a script reading
// window.external.NAME would get.
void BrowserControl::ResolveExternals(Page& page) {
    for (Element& element : page.document.elements) {
        if (element.kind != Element::Kind::External)
            continue;
        std::wstring value = L"undefined";
        ComPtr<IDispatch> external;
        const HRESULT got = m_hostHandler ? m_hostHandler->GetExternal(external.Put()) : E_NOINTERFACE;
        standin::WriteLog("GetExternal hr=" + HrText(got));
        if (SUCCEEDED(got) && external) {
            std::wstring name = element.text;
            LPOLESTR names[] = {name.data()};
            DISPID id = DISPID_UNKNOWN;
            HRESULT hr = external->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
            standin::WriteLog("External.GetIDsOfNames name=" + Utf8(name) + " hr=" + HrText(hr) +
                              " id=" + std::to_string(id));
            if (SUCCEEDED(hr)) {
                DISPPARAMS none = {};
                VARIANT result;
                ::VariantInit(&result);
                hr = external->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                      nullptr, nullptr);
                if (SUCCEEDED(hr))
                    value = ValueText(result);
                standin::WriteLog("External.Invoke id=" + std::to_string(id) + " flags=2 hr=" + HrText(hr) +
                                  " value=" + Utf8(value));
                ::VariantClear(&result);
            }
        }
        element = {Element::Kind::Text, value, {}};
    }
}

IDispatch* BrowserControl::EventSource(const ComPtr<Frame>& frame) {
    return frame ? static_cast<IDispatch*>(frame.Get()) : static_cast<IWebBrowser2*>(this);
}

bool BrowserControl::FireBeforeNavigate2(const ComPtr<Frame>& frame, const std::wstring& url) {
    Variant address(url);
    Variant flags(0L);
    Variant target(frame ? frame->Name() : std::wstring());
    Variant postData;
    Variant headers(std::wstring{});
    VARIANT_BOOL cancel = VARIANT_FALSE;
    // Arguments last to first, as automation passes them.
    VARIANTARG arguments[] = {BoolReference(&cancel), headers.Ref(), postData.Ref(), target.Ref(),
                              flags.Ref(),            address.Ref(), DispatchArgument(EventSource(frame))};
    DISPPARAMS params = {arguments, nullptr, 7, 0};
    m_events.Fire(DISPID_BEFORENAVIGATE2, params);
    const bool cancelled = cancel != VARIANT_FALSE;
    standin::WriteLog("BeforeNavigate2 url=" + Utf8(url) + FrameSuffix(frame) + " cancel=" + (cancelled ? "1" : "0"));
    return cancelled;
}

void BrowserControl::FireNavigateComplete(DISPID id, const ComPtr<Frame>& frame, const std::wstring& url) {
    Variant address(url);
    VARIANTARG arguments[] = {address.Ref(), DispatchArgument(EventSource(frame))};
    DISPPARAMS params = {arguments, nullptr, 2, 0};
    m_events.Fire(id, params);
    standin::WriteLog(std::string(id == DISPID_NAVIGATECOMPLETE2 ? "NavigateComplete2" : "DocumentComplete") +
                      " url=" + Utf8(url) + FrameSuffix(frame));
}

bool BrowserControl::FireNavigateError(const ComPtr<Frame>& frame, const std::wstring& url, DWORD status) {
    Variant address(url);
    Variant target(frame ? frame->Name() : std::wstring());
    Variant code(static_cast<LONG>(status));
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANTARG arguments[] = {BoolReference(&cancel), code.Ref(), target.Ref(), address.Ref(),
                              DispatchArgument(EventSource(frame))};
    DISPPARAMS params = {arguments, nullptr, 5, 0};
    m_events.Fire(DISPID_NAVIGATEERROR, params);
    const bool cancelled = cancel != VARIANT_FALSE;
    standin::WriteLog("NavigateError url=" + Utf8(url) + FrameSuffix(frame) + " status=" + std::to_string(status) +
                      " cancel=" + (cancelled ? "1" : "0"));
    return cancelled;
}

}  // namespace standin
