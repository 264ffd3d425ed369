#include "GameDialog.h"

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
        eventsink::On<IDC_BROWSER, 252, &CGameDialog::OnNavigateComplete2>(),
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

BOOL CGameDialog::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SetWindowText(L"Vesmera");
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    m_bmpTitle.LoadBitmap(IDB_TITLE_BAR);
    PlaceMax();

    m_pToolTip = new CToolTipCtrl;
    m_pToolTip->Create(this);
    InitTitleBar();

    ::RegisterHotKey(m_hWnd, m_nHotKeyBoss, 0, VK_F10);
    ::RegisterHotKey(m_hWnd, m_nHotKeyFull, 0, VK_F11);
    // Now an ordinary taskbar window of its own.
    ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
    AddTrayIcon();
    m_btnMax.ShowWindow(SW_HIDE);
    return TRUE;
}

void CGameDialog::InitTitleBar() {
    struct Button {
        CPngButton* button;
        UINT image;
        const wchar_t* tip;
    };
    const Button buttons[] = {
        {&m_btnClose, IDB_PNG_CLOSE, nullptr},   {&m_btnRestore, IDB_PNG_RESTORE, L"还原"},
        {&m_btnMax, IDB_PNG_MAX, L"最大化"},     {&m_btnMin, IDB_PNG_MIN, L"最小化"},
        {&m_btnFull, IDB_PNG_FULL, L"按F11进入/退出全屏"}, {&m_btnBoss, IDB_PNG_BOSS, nullptr},
        {&m_btnRefresh, IDB_PNG_REFRESH, nullptr}, {&m_btnServer, IDB_PNG_SERVER, nullptr},
        {&m_btnClean, IDB_PNG_CLEAN, nullptr},
    };
    for (const Button& b : buttons) {
        b.button->StartGdiPlus();
        b.button->SetImage(b.image);
        if (b.tip != nullptr && m_pToolTip->m_hWnd != nullptr)
            m_pToolTip->AddTool(b.button, b.tip);
    }
    LayoutTitleBar();

    if (HWND logo = ::GetDlgItem(m_hWnd, IDC_LOGO)) {
        m_bmpLogo.LoadBitmap(IDB_LOGO);
        ::SetWindowLongW(logo, GWL_STYLE, ::GetWindowLongW(logo, GWL_STYLE) | SS_BITMAP | SS_CENTERIMAGE);
        // A static never deletes its image: the logo goes with this object.
        ::SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bmpLogo.GetSafeHandle()));
        ::MoveWindow(logo, 0, 0, 83, kTitleHeight, TRUE);
    }
}

void CGameDialog::LayoutTitleBar() {
    CRect client;
    GetClientRect(&client);
    auto place = [](CPngButton& b, int x, int width) { b.MoveWindow(x, 0, width, kTitleHeight, TRUE); };
    auto w = [](const CPngButton& b) { return static_cast<int>(b.m_nWidth); };

    const int close = client.Width() - 2 - w(m_btnClose);
    place(m_btnClose, close, w(m_btnClose));
    const int restore = close - w(m_btnRestore);
    place(m_btnRestore, restore, w(m_btnRestore));
    place(m_btnMax, restore, w(m_btnRestore));  // one place, one of them visible
    const int min = restore - w(m_btnMin);
    place(m_btnMin, min, w(m_btnMin));
    const int full = min - 40 - w(m_btnFull);
    place(m_btnFull, full, w(m_btnFull));
    // These three show their frames less the two right-most columns.
    const int boss = full - (w(m_btnBoss) - 2);
    place(m_btnBoss, boss, w(m_btnBoss) - 2);
    const int clean = boss - (w(m_btnClean) - 2);
    place(m_btnClean, clean, w(m_btnClean) - 2);
    const int refresh = clean - (w(m_btnRefresh) - 2);
    place(m_btnRefresh, refresh, w(m_btnRefresh) - 2);
    const int server = refresh - 2 - w(m_btnServer);
    place(m_btnServer, server, w(m_btnServer));
    Invalidate(TRUE);
}

void CGameDialog::ShowTitleControls(int cmdShow) {
    if (HWND logo = ::GetDlgItem(m_hWnd, IDC_LOGO))
        ::ShowWindow(logo, cmdShow);
    for (CPngButton* b : {&m_btnClose, &m_btnMin, &m_btnFull, &m_btnBoss, &m_btnRefresh, &m_btnServer, &m_btnClean})
        b->ShowWindow(cmdShow);
    if (cmdShow == SW_SHOW) {
        const bool normal = m_nDisplayMode == MODE_NORMAL;
        m_btnMax.ShowWindow(normal ? SW_SHOW : SW_HIDE);
        m_btnRestore.ShowWindow(normal ? SW_HIDE : SW_SHOW);
    } else {
        m_btnRestore.ShowWindow(cmdShow);
        m_btnMax.ShowWindow(cmdShow);
    }
}

void CGameDialog::PlaceFull() {
    CRect desktop;
    ::GetClientRect(::GetDesktopWindow(), &desktop);
    MoveWindow(desktop, TRUE);
    m_browser.MoveWindow(desktop, TRUE);
}

void CGameDialog::PlaceMax() {
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // At the screen's origin, whatever side the taskbar is on.
    MoveWindow(0, 0, work.Width(), work.Height(), TRUE);
    m_browser.MoveWindow(0, kTitleHeight, work.Width(), work.Height() - kTitleHeight, TRUE);
}

void CGameDialog::PlaceNormal() {
    MoveWindow(0, 0, 1000, 700, TRUE);
    CenterWindow();
    m_browser.MoveWindow(0, kTitleHeight, 1000, 700 - kTitleHeight, TRUE);
}

void CGameDialog::ApplyDisplayMode() {
    switch (m_nDisplayMode) {
    case MODE_FULL:
        ShowTitleControls(SW_HIDE);
        PlaceFull();
        break;
    case MODE_MAX:
        ShowTitleControls(SW_SHOW);
        PlaceMax();
        LayoutTitleBar();
        break;
    case MODE_NORMAL:
        ShowTitleControls(SW_SHOW);
        PlaceNormal();
        LayoutTitleBar();
        break;
    }
}

void CGameDialog::EnterFullMode() {
    m_nDisplayMode = MODE_FULL;
    ShowTitleControls(SW_HIDE);
    PlaceFull();
}

void CGameDialog::ToggleMaxNormal() {
    if (m_nDisplayMode == MODE_MAX)
        m_nDisplayMode = MODE_NORMAL;
    else if (m_nDisplayMode == MODE_NORMAL)
        m_nDisplayMode = MODE_MAX;
    ApplyDisplayMode();
}

void CGameDialog::ToggleFullScreen() {
    if (!IsWindowVisible())
        return;
    m_nDisplayMode = m_nDisplayMode == MODE_FULL ? MODE_MAX : MODE_FULL;
    ApplyDisplayMode();
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

bool CGameDialog::IsTitleBarButton(HWND window) const {
    for (const CPngButton* b : {&m_btnClose, &m_btnRestore, &m_btnMin, &m_btnFull, &m_btnBoss, &m_btnRefresh,
                                &m_btnServer, &m_btnClean, &m_btnMax})
        if (window != nullptr && b->m_hWnd == window)
            return true;
    return false;
}

void CGameDialog::AddTrayIcon() {
    m_nid = NOTIFYICONDATAW{};
    m_nid.cbSize = sizeof(NOTIFYICONDATAW);
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_APP));
    ::lstrcpyW(m_nid.szTip, L"Vesmera");
    ::Shell_NotifyIconW(NIM_ADD, &m_nid);
}

void CGameDialog::ReleaseFrameResources() {
    m_bmpTitle.DeleteObject();
    ::UnregisterHotKey(m_hWnd, m_nHotKeyBoss);
    ::UnregisterHotKey(m_hWnd, m_nHotKeyFull);
    ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
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

void CGameDialog::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        CRect client;
        GetClientRect(&client);
        dc.DrawIcon((client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2,
                    (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
        return;
    }
    if (m_nDisplayMode != MODE_FULL) {
        CPaintDC dc(this);
        // Without a title bitmap the band is left as it is.
        if (m_bmpTitle.GetSafeHandle() != nullptr) {
            CDC memory;
            memory.CreateCompatibleDC(dc);
            HGDIOBJ old = memory.SelectObject(m_bmpTitle.GetSafeHandle());
            BITMAP info{};
            m_bmpTitle.GetBitmap(&info);
            CRect client;
            GetClientRect(&client);
            dc.StretchBlt(0, 0, client.Width(), kTitleHeight, memory, 0, 0, info.bmWidth, kTitleHeight, SRCCOPY);
            memory.SelectObject(old);
        }
    }
    Default();
}

void CGameDialog::OnSize(UINT type, int, int) {
    Default();
    // A minimised window keeps the geometry it had.
    if (IsWindowVisible() && type != SIZE_MINIMIZED)
        ApplyDisplayMode();
}

void CGameDialog::OnLButtonDown(UINT, CPoint point) {
    if (m_nDisplayMode == MODE_NORMAL)
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

void CGameDialog::OnLButtonDblClk(UINT, CPoint) {
    ToggleMaxNormal();
    Default();
}

void CGameDialog::OnNavigateComplete2(IDispatch*, VARIANT*) {
    if (!m_browser.IsWindowVisible())
        m_browser.ShowWindow(SW_SHOW);
    FocusPage();
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
    if (m_browser.m_hWnd != nullptr && m_browser.IsWindowVisible())
        m_browser.SetFocus();
    return 0;
}

LRESULT CGameDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Every icon of the notification area went with the shell: ours, the
    // player's way back after the boss key, comes back with the new one.
    if (message == m_nTaskbarCreated && m_nTaskbarCreated != 0)
        AddTrayIcon();
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
    if (id == 1001)
        ToggleVisible();
    else if (id == 1002)
        ToggleFullScreen();
    Default();
}

LRESULT CGameDialog::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId)
        return 1;
    if (lParam == WM_LBUTTONDBLCLK) {
        OnTrayDoubleClick();
    } else if (lParam == WM_RBUTTONUP) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        HMENU menu = ::CreatePopupMenu();
        ::AppendMenuW(menu, MF_STRING, ID_TRAY_EXIT, L"退出");
        // Foreground first, so that the menu closes when the player clicks
        // elsewhere.
        ::SetForegroundWindow(m_hWnd);
        ::TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, m_hWnd, nullptr);
        PostMessage(WM_NULL);
        ::DestroyMenu(menu);
    }
    return 0;
}

void CGameDialog::OnClose() {
    // Closing the window by the system's means asks like the close button;
    // its hotkeys and tray icon go only when the program ends.
    ConfirmQuit();
}
