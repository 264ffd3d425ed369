// The control's window: the page drawn as text, links followed on a click,
// fields typed into, and the messages a test sends from outside.
#include <windowsx.h>

#include <cstdio>

#include "Control.h"
#include "Fetch.h"
#include "Log.h"
#include "StandIn.h"
#include "Text.h"

namespace standin {

namespace {
ATOM RegisterControlClass(WNDPROC procedure) {
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = standin::ModuleInstance();
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = standin::WindowClassName();
        atom = ::RegisterClassExW(&windowClass);
    }
    return atom;
}
}  // namespace

const wchar_t* WindowClassName() { return L"StandInBrowser"; }

UINT ClickLinkMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"StandInBrowser.ClickLink");
    return message;
}

bool ClickLink(HWND browserWindow, int index) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(browserWindow, ClickLinkMessage(), static_cast<WPARAM>(index), 0, SMTO_NORMAL,
                                 10000, &result) &&
           result == TRUE;
}

std::wstring PageText(HWND browserWindow) {
    wchar_t className[64] = {};
    if (!::GetClassNameW(browserWindow, className, 64) || std::wstring(className) != WindowClassName())
        return {};
    // WM_GETTEXT answers the page's text, from this process or another.
    const LRESULT length = ::SendMessageW(browserWindow, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(browserWindow, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::vector<BYTE> PersistedState(HWND browserWindow) {
    const BrowserControl* control = BrowserControl::FromWindow(browserWindow);
    return control ? control->Persisted() : std::vector<BYTE>();
}

BrowserControl* BrowserControl::FromWindow(HWND window) {
    DWORD process = 0;
    wchar_t className[64] = {};
    if (!window || !::GetWindowThreadProcessId(window, &process) || process != ::GetCurrentProcessId() ||
        !::GetClassNameW(window, className, 64) || std::wstring(className) != standin::WindowClassName())
        return nullptr;
    return reinterpret_cast<BrowserControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void BrowserControl::CreateControlWindow(HWND parent) {
    if (!RegisterControlClass(&BrowserControl::WindowProc))
        return;
    m_window = ::CreateWindowExW(WS_EX_CLIENTEDGE, standin::WindowClassName(), L"",
                                 WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL, 0, 0, 0, 0, parent, nullptr,
                                 standin::ModuleInstance(), nullptr);
    if (m_window)
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void BrowserControl::DestroyControlWindow() {
    if (!m_window)
        return;
    HWND window = m_window;
    m_window = nullptr;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ::DestroyWindow(window);
}

LRESULT CALLBACK BrowserControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BrowserControl* control = reinterpret_cast<BrowserControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!control)
        return ::DefWindowProcW(window, message, wParam, lParam);
    // A handler may make the host release the control.
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(control));
    return control->OnMessage(message, wParam, lParam);
}

LRESULT BrowserControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE:
        ::InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case WM_MOUSEACTIVATE:
        UIActivate();
        return MA_ACTIVATE;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_window);
        if (const int field = m_layout.FieldAt(point, Items()); field >= 0) {
            m_focusedField = field;
            Redraw();
        }
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(point);
        return 0;
    case WM_RBUTTONUP:
        OnRightButtonUp(point);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTARROWS;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        OnChar(static_cast<wchar_t>(wParam));
        return 0;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(PageText(Items()).size());
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        const std::wstring text = PageText(Items());
        const size_t copied = std::min<size_t>(text.size(), wParam - 1);
        text.copy(reinterpret_cast<wchar_t*>(lParam), copied);
        reinterpret_cast<wchar_t*>(lParam)[copied] = L'\0';
        return static_cast<LRESULT>(copied);
    }
    case WM_TIMER:
        if (wParam == kRefreshTimer) {
            ::KillTimer(m_window, kRefreshTimer);
            const std::wstring target = m_page.document.refreshUrl.empty()
                                            ? m_page.url
                                            : CombineUrl(m_page.url, m_page.document.refreshUrl);
            StartNavigation(target, nullptr);
        }
        return 0;
    case kLoadMessage:
        LoadNext();
        return 0;
    default:
        if (message == standin::ClickLinkMessage())
            return FollowLink(static_cast<int>(wParam)) ? TRUE : FALSE;
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void BrowserControl::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_window, &paint);
    HGDIOBJ previous = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    RECT client = {};
    ::GetClientRect(m_window, &client);
    const std::vector<PageItem> items = Items();
    m_layout.Build(dc, client.right, items);
    m_layout.Paint(dc, items, ::GetFocus() == m_window ? m_focusedField : -1);
    ::SelectObject(dc, previous);
    ::EndPaint(m_window, &paint);
}

void BrowserControl::Redraw() {
    if (m_window)
        ::InvalidateRect(m_window, nullptr, TRUE);
}

void BrowserControl::OnLeftButtonUp(POINT point) {
    const int link = m_layout.LinkAt(point, Items());
    if (link >= 0)
        FollowLink(link);
}

void BrowserControl::OnRightButtonUp(POINT point) {
    if (!m_hostHandler)
        return;
    POINT screen = point;
    ::ClientToScreen(m_window, &screen);
    const HRESULT hr = m_hostHandler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &screen, nullptr, nullptr);
    standin::WriteLog("ShowContextMenu id=0 x=" + std::to_string(screen.x) + " y=" + std::to_string(screen.y) +
                      " hr=" + HrText(hr));
}

void BrowserControl::OnKeyDown(UINT key) {
    char text[32];
    std::snprintf(text, sizeof(text), "Key vk=0x%x", key);
    standin::WriteLog(text);
    int fields = 0;
    for (const PageItem& item : Items())
        fields += item.kind == PageItem::Kind::Field;
    if (key == VK_TAB && fields > 0) {
        m_focusedField = (m_focusedField + 1) % fields;
        Redraw();
    }
}

void BrowserControl::OnChar(wchar_t code) {
    char text[32];
    std::snprintf(text, sizeof(text), "Char code=0x%x", static_cast<unsigned>(code));
    standin::WriteLog(text);
    std::wstring* value = FieldValue(m_focusedField);
    if (!value)
        return;
    if (code == L'\b') {
        if (!value->empty())
            value->pop_back();
    } else if (code >= L' ') {
        *value += code;
    }
    Redraw();
}

void BrowserControl::UIActivate() {
    if (m_uiActive || !m_inPlaceSite)
        return;
    m_uiActive = true;
    standin::WriteLog("OnUIActivate hr=" + HrText(m_inPlaceSite->OnUIActivate()));
    if (m_inPlaceFrame)
        m_inPlaceFrame->SetActiveObject(this, L"");
}

std::vector<PageItem> BrowserControl::Items() {
    std::vector<PageItem> items;
    int links = 0;
    int fields = 0;
    VisitElements([&](const Element& element, Frame*) {
        switch (element.kind) {
        case Element::Kind::Text:
        case Element::Kind::External:
            items.push_back({PageItem::Kind::Text, element.text});
            break;
        case Element::Kind::Break:
        case Element::Kind::Frame:  // a frame's page starts on a line of its own
            items.push_back({PageItem::Kind::Break, {}});
            break;
        case Element::Kind::Link:
            items.push_back({PageItem::Kind::Link, element.text, links++});
            break;
        case Element::Kind::Field:
            items.push_back({PageItem::Kind::Field, element.text, fields++});
            break;
        }
        return false;
    });
    return items;
}

std::wstring* BrowserControl::FieldValue(int number) {
    std::wstring* value = nullptr;
    int fields = 0;
    VisitElements([&](Element& element, Frame*) {
        if (element.kind == Element::Kind::Field && fields++ == number)
            value = &element.text;
        return value != nullptr;
    });
    return value;
}

}  // namespace standin
