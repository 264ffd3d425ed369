// The game window's message table and commands: the title bar's buttons,
// the hotkeys, the tray icon and its menu, closing, and where the keyboard
// goes.
#include "GameDialog.h"

#include <exdispid.h>

#include "CleanCacheDlg.h"
#include "ConfirmDlg.h"
#include "ConfirmQuit.h"
#include "DataExchange.h"
#include "LoginApp.h"
#include "LoginWindow.h"
#include "MessageMap.h"
#include "WinApp.h"
#include "resource.h"

namespace {
constexpr UINT kKeysForThePage[] = {VK_RETURN, VK_ESCAPE};
}  // namespace

CGameDialog::CGameDialog(CWnd* /*parent: the game window has none*/)
    : CDialogEx(IDD_GAME_DIALOG, nullptr),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_APP))) {}

CGameDialog::~CGameDialog() {
    // Whatever was taken is given back, also by a window whose creation
    // failed half-way; then the window (with its browser and buttons) goes
    // before the members do.
    ReleaseFrameResources();
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pToolTip;
}

const MessageMap* CGameDialog::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Paint<&CGameDialog::OnPaint>(),
        msgmap::Size<&CGameDialog::OnSize>(),
        msgmap::Mouse<WM_LBUTTONDOWN, &CGameDialog::OnLButtonDown>(),
        msgmap::Mouse<WM_LBUTTONDBLCLK, &CGameDialog::OnLButtonDblClk>(),
        msgmap::Message<WM_ACTIVATE, &CGameDialog::OnActivate>(),
        msgmap::Message<WM_SETFOCUS, &CGameDialog::OnSetFocus>(),
        msgmap::Command<IDC_BTN_CLOSE, &CGameDialog::OnCloseButton>(),
        msgmap::Command<ID_TRAY_EXIT, &CGameDialog::OnTrayExit>(),
        msgmap::Command<IDC_BTN_MIN, &CGameDialog::OnMinimize>(),
        msgmap::Command<IDC_BTN_FULL, &CGameDialog::OnFullScreen>(),
        msgmap::Command<IDC_BTN_BOSS, &CGameDialog::OnBoss>(),
        msgmap::Command<IDC_BTN_CLEAN, &CGameDialog::OnCleanCache>(),
        msgmap::Command<IDC_BTN_REFRESH, &CGameDialog::OnRefresh>(),
        msgmap::Command<IDC_BTN_SERVER, &CGameDialog::OnReselectServer>(),
        msgmap::Command<IDC_BTN_MAX, &CGameDialog::OnMaxRestore>(),
        msgmap::Command<IDC_BTN_RESTORE, &CGameDialog::OnMaxRestore>(),
        msgmap::HotKey<&CGameDialog::OnHotKey>(),
        msgmap::Message<WM_TRAY_NOTIFY, &CGameDialog::OnTrayNotify>(),
        msgmap::Close<&CGameDialog::OnClose>(),
    };
    static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
    return &map;
}

const EventSinkMap* CGameDialog::GetThisEventSinkMap() {
    static const EventSinkEntry entries[] = {
        eventsink::On<IDC_BROWSER, DISPID_NAVIGATECOMPLETE2, &CGameDialog::OnNavigateComplete2>(),
    };
    static const EventSinkMap map = MakeEventSinkMap(&CDialogEx::GetThisEventSinkMap, entries);
    return &map;
}

void CGameDialog::DoDataExchange(CDataExchange* dx) {
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_BROWSER, m_browser);
    DDX_Control(dx, IDC_BTN_CLOSE, m_btnClose);
    DDX_Control(dx, IDC_BTN_RESTORE, m_btnRestore);
    DDX_Control(dx, IDC_BTN_MIN, m_btnMin);
    DDX_Control(dx, IDC_BTN_FULL, m_btnFull);
    DDX_Control(dx, IDC_BTN_BOSS, m_btnBoss);
    DDX_Control(dx, IDC_BTN_REFRESH, m_btnRefresh);
    DDX_Control(dx, IDC_BTN_SERVER, m_btnServer);
    DDX_Control(dx, IDC_BTN_CLEAN, m_btnClean);
    DDX_Control(dx, IDC_BTN_MAX, m_btnMax);
}

void CGameDialog::ToggleVisible() {
    // Hidden by the boss key: everything comes back as it was. Otherwise
    // everything of the launcher goes, the login window too: its art shows
    // the game as plainly as the game does.
    if (!IsWindowVisible() && !m_hidden.Empty()) {
        m_hidden.BringBack();
        return;
    }
    m_hidden.HideAll();
}

void CGameDialog::OnTrayDoubleClick() {
    if (IsWindowVisible() && !IsIconic()) {
        m_hidden.HideAll();
        return;
    }
    // The player's way back, from the boss key or from the taskbar.
    m_hidden.BringBack();
    if (CWnd* owner = GetOwner(); owner != nullptr && owner->IsIconic())
        owner->ShowWindow(SW_RESTORE);
    ShowWindow(IsIconic() ? SW_RESTORE : SW_SHOW);
    if (IsWindowEnabled()) {  // else a confirmation of ours stays in front
        ::SetForegroundWindow(m_hWnd);
        SetActiveWindow();
    }
}

void CGameDialog::FocusPage() {
    if (m_hWnd == nullptr || ::GetActiveWindow() != m_hWnd || IsIconic())
        return;
    const HWND focus = ::GetFocus();
    const HWND page = m_browser.m_hWnd;
    if (page != nullptr && m_browser.IsWindowVisible()) {
        if (focus != page && !::IsChild(page, focus))
            m_browser.SetFocus();
    } else if (focus != m_hWnd) {
        // Until the page shows, the window itself holds the keys, so that
        // no title-bar button does.
        ::SetFocus(m_hWnd);
    }
}

bool CGameDialog::IsTitleBarButton(HWND window) {
    for (const TitleBarButton& b : TitleBarButtons())
        if (window != nullptr && b.button->m_hWnd == window)
            return true;
    return false;
}

void CGameDialog::AddTrayIcon() {
    m_tray.Add(m_hWnd, kTrayIconId, WM_TRAY_NOTIFY, ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_APP)),
               L"Vesmera");
}

void CGameDialog::ReleaseFrameResources() {
    m_bmpTitle.DeleteObject();
    m_hotKeyBoss.Release();
    m_hotKeyFull.Release();
    m_tray.Remove();
}

BOOL CGameDialog::PreTranslateMessage(MSG* msg) {
    // The title-bar buttons act on clicks only: a key that finds one of
    // them holding the focus goes to the page instead.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && IsTitleBarButton(msg->hwnd)) {
        FocusPage();
        msg->hwnd = ::GetFocus();
        if (msg->hwnd == nullptr || IsTitleBarButton(msg->hwnd))
            return TRUE;
    }
    // Enter and Escape belong to the game page, not to the dialog.
    if (msg->message == WM_KEYDOWN) {
        for (UINT key : kKeysForThePage)
            if (msg->wParam == key)
                return FALSE;
    }
    if (m_pToolTip != nullptr && m_pToolTip->m_hWnd != nullptr)
        m_pToolTip->RelayEvent(msg);
    return CDialogEx::PreTranslateMessage(msg);
}

LRESULT CGameDialog::OnActivate(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    // Shown again, restored, or back from a confirmation or the veil.
    if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)
        FocusPage();
    return result;
}

LRESULT CGameDialog::OnSetFocus(WPARAM, LPARAM) {
    // The dialog's default would hand the focus on to its first button.
    FocusPage();
    return 0;
}

LRESULT CGameDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Every icon of the notification area went with the shell: ours, the
    // player's way back after the boss key, comes back with the new one.
    if (message == m_nTaskbarCreated && m_nTaskbarCreated != 0 && m_tray.Wanted())
        m_tray.AddAgain();
    return CDialogEx::WindowProc(message, wParam, lParam);
}

void CGameDialog::OnCloseButton() {
    ConfirmQuit();
    FocusPage();
}

void CGameDialog::OnTrayExit() {
    ConfirmQuit();
    FocusPage();
}

void CGameDialog::OnMinimize() {
    ShowWindow(SW_MINIMIZE);
}

void CGameDialog::OnFullScreen() {
    EnterFullMode();
    FocusPage();
}

void CGameDialog::OnBoss() {
    ToggleVisible();
}

void CGameDialog::OnCleanCache() {
    CCleanCacheDlg cleaner(nullptr);
    cleaner.DoModal();
    FocusPage();
}

void CGameDialog::OnRefresh() {
    m_browser.Refresh();
    FocusPage();
}

void CGameDialog::OnReselectServer() {
    CConfirmDlg confirm(nullptr);
    confirm.m_nMode = 1;
    if (confirm.DoModal() != IDOK) {
        FocusPage();
        return;
    }
    // This window is gone after the next call: nothing of it is touched.
    theApp.DestroyGameDialog();
    if (CWnd* login = AfxGetMainWnd()) {
        login->ShowWindow(SW_SHOWNORMAL);
        login->SetActiveWindow();
    }
    if (CWebBrowser2* browser = GetLoginBrowser()) {
        browser->Refresh();
        // A reload fires no navigation events: the keyboard goes to the
        // login page here, so that the player can type at once.
        if (browser->IsWindowVisible())
            browser->SetFocus();
    }
}

void CGameDialog::OnMaxRestore() {
    ToggleMaxNormal();
    FocusPage();
}

void CGameDialog::OnHotKey(UINT id, UINT, UINT) {
    if (id == static_cast<UINT>(m_nHotKeyBoss))
        ToggleVisible();
    else if (id == static_cast<UINT>(m_nHotKeyFull))
        ToggleFullScreen();
    Default();
}

LRESULT CGameDialog::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId)
        return 1;
    if (lParam == WM_LBUTTONDBLCLK)
        OnTrayDoubleClick();
    else if (lParam == WM_RBUTTONUP)
        OnTrayMenu();
    return 0;
}

void CGameDialog::OnTrayMenu() {
    POINT cursor;
    ::GetCursorPos(&cursor);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, ID_TRAY_EXIT, L"退出");
    // Foreground first, so that the menu closes when the player clicks
    // elsewhere; the posted message lets it close at once after a choice.
    ::SetForegroundWindow(m_hWnd);
    ::TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    PostMessage(WM_NULL);
    ::DestroyMenu(menu);
}

void CGameDialog::OnClose() {
    // Closing the window by the system's means asks like the close button;
    // its hotkeys and tray icon go only when the program ends.
    ConfirmQuit();
}
