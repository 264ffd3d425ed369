#include "Wnd.h"
#include "DataExchange.h"
#include "OccManager.h"
#include "OleControlContainer.h"
#include "OleControlSite.h"
#include "ThreadState.h"
#include "WinApp.h"

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_pCtrlSite != nullptr)
        DestroyWindow();  // the control is torn down through its site
    if (m_hWnd != nullptr && !m_bTemporary)
        ::DestroyWindow(m_hWnd);
    delete m_pCtrlCont;
    m_pCtrlCont = nullptr;
    if (m_hWnd != nullptr)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    auto& map = AfxGetThreadState().permanentMap;
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd))
        return wnd;
    auto& temps = AfxGetThreadState().temporaryMap;
    auto& slot = temps[hWnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hWnd;
        slot->m_bTemporary = true;
    }
    return slot.get();
}

BOOL CWnd::Attach(HWND hWnd) {
    if (hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = hWnd;
    AfxGetThreadState().permanentMap[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && !m_bTemporary) {
        auto& map = AfxGetThreadState().permanentMap;
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

namespace {
// Routes the window's messages through the framework; the procedure it had
// becomes the one default processing calls.
void RouteThroughFramework(HWND hWnd, WNDPROC* super) {
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        *super = old;
}

// Removes then adds bits of one of the window's style words.
BOOL ModifyStyleWord(HWND hWnd, int which, DWORD remove, DWORD add, UINT flags) {
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(hWnd, which));
    const DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, which, static_cast<LONG>(newStyle));
    if (flags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}
}  // namespace

void CWnd::AttachAndSubclass(HWND hWnd) {
    // A window of the framework's own making: attached during its creation,
    // before it could be told anything, so without PreSubclassWindow.
    Attach(hWnd);
    RouteThroughFramework(hWnd, &m_pfnSuper);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    RouteThroughFramework(hWnd, &m_pfnSuper);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND item = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return item != nullptr && SubclassWindow(item);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::OnFinalNcDestroy() {
    if (m_hWnd == nullptr)
        return;
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id) {
    if (m_hWnd != nullptr)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top,
                                  parent ? parent->m_hWnd : nullptr,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  AfxGetInstanceHandle(), nullptr);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (m_pCtrlSite != nullptr) {
        COleControlSite* site = m_pCtrlSite;
        site->m_pCtrlCont->Remove(site);  // lets go of this wrapper too
        return TRUE;
    }
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    if (m_pCtrlSite != nullptr)
        return m_pCtrlSite->MoveWindow(CRect(x, y, x + width, y + height));
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWnd::ShowWindow(int cmdShow) {
    if (m_pCtrlSite != nullptr)
        return m_pCtrlSite->ShowWindow(cmdShow);
    return ::ShowWindow(m_hWnd, cmdShow);
}

CWnd* CWnd::SetFocus() {
    if (m_pCtrlSite != nullptr)
        return FromHandle(m_pCtrlSite->SetFocus());
    return FromHandle(::SetFocus(m_hWnd));
}

HRESULT CWnd::InvokeHelperV(DISPID dispid, WORD flags, VARTYPE resultType, void* result, const BYTE* paramInfo,
                            const InvokeArg* args, std::size_t count) {
    if (m_pCtrlSite == nullptr)
        return E_UNEXPECTED;
    return m_pCtrlSite->InvokeHelper(dispid, flags, resultType, result, paramInfo, args, count);
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                         const void* state, std::size_t stateSize) {
    COccManager* manager = AfxGetOccManager();
    if (manager == nullptr || parent == nullptr || parent->m_hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (parent->m_pCtrlCont == nullptr)
        parent->m_pCtrlCont = manager->CreateContainer(parent);
    std::unique_ptr<COleControlSite> owned(manager->CreateSite(parent->m_pCtrlCont, nullptr));
    COleControlSite* site = parent->m_pCtrlCont->Add(std::move(owned));
    if (FAILED(site->CreateControl(clsid, style, rect, id, state, stateSize))) {
        parent->m_pCtrlCont->Remove(site);
        return FALSE;
    }
    if (windowName != nullptr && site->m_hWnd != nullptr)
        ::SetWindowTextW(site->m_hWnd, windowName);
    m_pCtrlSite = site;
    site->m_pWndCtrl = this;
    if (site->m_hWnd != nullptr)
        SubclassWindow(site->m_hWnd);
    return TRUE;
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageMap map{&CCmdTarget::GetThisMessageMap, nullptr, 0};
    return &map;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && m_pCtrlCont != nullptr) {
        // Hosted controls go while their windows still exist.
        COleControlContainer* container = m_pCtrlCont;
        m_pCtrlCont = nullptr;
        delete container;
    }
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 0;
        return TRUE;
    }
    if (const MessageMapEntry* entry = FindEntry(message, 0, 0)) {
        *result = entry->handler(this, wParam, lParam);
        return TRUE;
    }
    // Owner-drawn controls paint themselves: the parent hands the request on.
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM) {
        HWND child = nullptr;
        if (message == WM_DRAWITEM)
            child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
        else if (wParam != 0)
            child = ::GetDlgItem(m_hWnd, static_cast<int>(wParam));
        CWnd* control = FromHandlePermanent(child);
        if (control != nullptr && control->OnChildNotify(message, wParam, lParam, result))
            return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetThreadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::ScreenToClient(RECT* r) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2);
}

void CWnd::ClientToScreen(RECT* r) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return ModifyStyleWord(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return ModifyStyleWord(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::GetCentringRects(CWnd* alternateOwner, CRect* centreOn, CRect* within) const {
    const DWORD style = GetStyle();
    HWND center = nullptr;
    if (alternateOwner != nullptr)
        center = alternateOwner->m_hWnd;
    else if (style & WS_CHILD)
        center = ::GetParent(m_hWnd);
    else
        center = ::GetWindow(m_hWnd, GW_OWNER);

    if (style & WS_CHILD) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, within);
        if (center != nullptr && center != parent) {
            ::GetClientRect(center, centreOn);
            ::MapWindowPoints(center, parent, reinterpret_cast<POINT*>(centreOn), 2);
        } else {
            *centreOn = *within;
        }
        return;
    }
    // Never centre over a window the player cannot see.
    if (center != nullptr) {
        const DWORD centerStyle = static_cast<DWORD>(::GetWindowLongW(center, GWL_STYLE));
        if (!(centerStyle & WS_VISIBLE) || (centerStyle & WS_MINIMIZE))
            center = nullptr;
    }
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (center == nullptr) {
        CWnd* mainWnd = AfxGetMainWnd();
        HWND hMain = mainWnd ? mainWnd->m_hWnd : nullptr;
        ::GetMonitorInfoW(::MonitorFromWindow(hMain, MONITOR_DEFAULTTOPRIMARY), &mi);
        *centreOn = mi.rcWork;
    } else {
        ::GetWindowRect(center, centreOn);
        ::GetMonitorInfoW(::MonitorFromWindow(center, MONITOR_DEFAULTTONEAREST), &mi);
    }
    *within = mi.rcWork;
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    CRect window, centreOn, within;
    GetWindowRect(&window);
    GetCentringRects(alternateOwner, &centreOn, &within);
    const CRect placed = CentreWithin(window, centreOn, within);
    SetWindowPos(nullptr, placed.left, placed.top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CWnd::GetSafeOwner(HWND parent, HWND* top) {
    HWND hWnd = parent;
    if (hWnd == nullptr) {
        CWnd* mainWnd = AfxGetMainWnd();
        hWnd = mainWnd ? mainWnd->m_hWnd : nullptr;
    }
    while (hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (top != nullptr)
        *top = hWnd;
    if (parent == nullptr && hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    return hWnd;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

int CWnd::RunModalLoop() {
    AfxThreadState& state = AfxGetThreadState();
    m_nFlags |= kInModalLoop;
    while (ContinueModal()) {
        MSG msg;
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        state.msgCur = msg;
        if (got == 0 && DeferQuit(static_cast<int>(msg.wParam)))
            continue;
        if (got == 0) {
            // The quit belongs to the loops outside this one too: hand it on
            // with the same code.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        AfxDeleteTemporaryMap();
    }
    // `this` is still alive: a modal window is only deleted by whoever runs it.
    m_nFlags &= ~kInModalLoop;
    return m_nModalResult;
}

void CWnd::EndModalLoop(int result) {
    m_nModalResult = result;
    if (m_nFlags & kContinueModal) {
        m_nFlags &= ~kContinueModal;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    }
}
