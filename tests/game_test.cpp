// The login window, the game window and the hand-over between them, on the
// real program code with the platform's browser control (which fires
// BeforeNavigate2 inside Navigate, as the hand-over needs).
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include "GameDialog.h"
#include "GameHandoff.h"
#include "LoginActiveDlg.h"
#include "LoginApp.h"
#include "LoginDlg.h"
#include "OpenLoginWindow.h"
#include "OccManager.h"
#include "resource.h"
#include "support/GdiPlusSession.h"
#include "support/HttpServer.h"
#include "support/Input.h"
#include "support/Script.h"
#include "DataExchange.h"
#include <vector>
#include "support/Wait.h"

namespace {

CRect WindowRectOf(HWND wnd) {
    CRect r;
    ::GetWindowRect(wnd, &r);
    return r;
}

CRect ChildRect(CWnd& parent, CWnd& child) {
    CRect r = WindowRectOf(child.m_hWnd);
    parent.ScreenToClient(&r);
    return r;
}

bool HasVisibleStyle(const CWnd& wnd) {
    return (::GetWindowLongW(wnd.m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

CRect WorkArea() {
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Whether the tray still holds the game window's icon.
bool TrayIconExists(HWND owner) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner;
    nid.uID = CGameDialog::kTrayIconId;
    nid.uFlags = NIF_TIP;
    lstrcpyW(nid.szTip, L"Vesmera");
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

// Whether another window could take F10 and F11 now.
bool HotKeysFree() {
    HWND probe = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool f10 = ::RegisterHotKey(probe, 1, 0, VK_F10) != FALSE;
    const bool f11 = ::RegisterHotKey(probe, 2, 0, VK_F11) != FALSE;
    ::UnregisterHotKey(probe, 1);
    ::UnregisterHotKey(probe, 2);
    ::DestroyWindow(probe);
    return f10 && f11;
}

class LoginAndGame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gdiplus = new GdiPlusSession;
        theApp.CreateServices();  // as start-up makes them
    }
    static void TearDownTestSuite() {
        theApp.DeleteServices();
        delete gdiplus;
    }
    void SetUp() override { ASSERT_TRUE(login.Opened()); }
    CLoginActiveDlg& Panel() { return login.Panel(); }
    // Navigates the login page's browser as the page itself would.
    void LoginNavigates(const wchar_t* url) {
        Panel().m_browser.Navigate(url);
        PumpPending();
    }

    static GdiPlusSession* gdiplus;
    OpenLoginWindow login;
    CLoginDlg& backdrop = login.backdrop;
};
GdiPlusSession* LoginAndGame::gdiplus = nullptr;

}  // namespace

TEST_F(LoginAndGame, PanelLiesExactlyOverTheBackdropWithItsControlsInPlace) {
    ASSERT_NE(backdrop.m_pPanel, nullptr);
    EXPECT_EQ(WindowRectOf(Panel().m_hWnd), WindowRectOf(backdrop.m_hWnd));
    EXPECT_EQ(WindowRectOf(backdrop.m_hWnd).Width(), 1120);
    EXPECT_EQ(::GetWindow(Panel().m_hWnd, GW_OWNER), backdrop.m_hWnd);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(Panel().m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(key, 0x0000FFFFu);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(flags, 3u);
    EXPECT_EQ(ChildRect(Panel(), Panel().m_browser), CRect(349, 175, 989, 624));
    EXPECT_EQ(ChildRect(Panel(), Panel().m_btnLoginMin), CRect(998, 196, 1025, 223));
    EXPECT_EQ(ChildRect(Panel(), Panel().m_btnLoginClose), CRect(1029, 192, 1065, 227));
    EXPECT_EQ(Panel().m_browser.GetDlgCtrlID(), IDC_BROWSER);
}

TEST_F(LoginAndGame, EitherWindowDraggedTakesTheOtherAlong) {
    // The backdrop leads after its own hit test.
    backdrop.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(backdrop.m_bBackdropLeads, 1);
    backdrop.MoveWindow(10, 20, 1120, 693);
    EXPECT_EQ(WindowRectOf(Panel().m_hWnd), CRect(10, 20, 1130, 713));
    // The panel leads after its hit test.
    Panel().SendMessage(WM_NCHITTEST, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(backdrop.m_bBackdropLeads, 0);
    Panel().MoveWindow(40, 50, 1120, 693);
    EXPECT_EQ(WindowRectOf(backdrop.m_hWnd), CRect(40, 50, 1160, 743));

    backdrop.ShowWindow(SW_HIDE);
    EXPECT_FALSE(Panel().IsWindowVisible());
    backdrop.ShowWindow(SW_SHOWNORMAL);
    EXPECT_TRUE(Panel().IsWindowVisible());
    Panel().SendMessage(WM_COMMAND, IDC_LOGIN_MIN);
    EXPECT_TRUE(backdrop.IsIconic());
}

TEST_F(LoginAndGame, OnlyAddressesWithTheExactMarkerAreHandedOver) {
    for (const wchar_t* url : {L"http://127.0.0.1:9/game?Client=1", L"http://127.0.0.1:9/game?CLIENT=1",
                               L"http://127.0.0.1:9/game?client%3D1"}) {
        LoginNavigates(url);
        EXPECT_EQ(theApp.m_pGameDialog, nullptr) << url;
    }
    LoginNavigates(L"http://127.0.0.1:9/play?client=1&server=3");
    ASSERT_NE(theApp.m_pGameDialog, nullptr);
    CGameDialog* game = theApp.m_pGameDialog;
    EXPECT_TRUE(game->IsWindowVisible());
    EXPECT_EQ(::GetWindow(game->m_hWnd, GW_OWNER), backdrop.m_hWnd);
    EXPECT_TRUE(TrayIconExists(game->m_hWnd));
    EXPECT_FALSE(HotKeysFree());

    // Again, and while hidden: the same window, shown and navigated anew.
    game->ShowWindow(SW_HIDE);
    for (const wchar_t* url : {L"http://127.0.0.1:9/x?client=10", L"http://127.0.0.1:9/xclient=1"}) {
        LoginNavigates(url);
        EXPECT_EQ(theApp.m_pGameDialog, game);
        EXPECT_TRUE(game->IsWindowVisible());
    }
}

TEST_F(LoginAndGame, GameWindowStartsHiddenInMaxModeAndLaysOutItsTitleBar) {
    CGameDialog* game = GetGameDialog();
    ASSERT_NE(game, nullptr);
    EXPECT_FALSE(game->IsWindowVisible());
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_MAX);
    const CRect work = WorkArea();
    EXPECT_EQ(WindowRectOf(game->m_hWnd), CRect(0, 0, work.Width(), work.Height()));
    EXPECT_TRUE(HasVisibleStyle(game->m_btnRestore));
    EXPECT_FALSE(HasVisibleStyle(game->m_btnMax));
    EXPECT_EQ(WindowRectOf(game->m_btnRestore.m_hWnd), WindowRectOf(game->m_btnMax.m_hWnd));
    EXPECT_FALSE(HasVisibleStyle(game->m_browser));
    EXPECT_EQ(game->GetExStyle() & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW), static_cast<DWORD>(WS_EX_APPWINDOW));

    // With a client 1000 pixels wide, right to left.
    game->ToggleMaxNormal();
    ASSERT_EQ(game->m_nDisplayMode, CGameDialog::MODE_NORMAL);
    struct Expected {
        CPngButton* button;
        int left, right;
    };
    for (const Expected& e : {Expected{&game->m_btnClose, 968, 998}, Expected{&game->m_btnRestore, 939, 968},
                              Expected{&game->m_btnMax, 939, 968}, Expected{&game->m_btnMin, 910, 939},
                              Expected{&game->m_btnFull, 806, 870}, Expected{&game->m_btnBoss, 702, 806},
                              Expected{&game->m_btnClean, 617, 702}, Expected{&game->m_btnRefresh, 537, 617},
                              Expected{&game->m_btnServer, 474, 535}}) {
        const CRect r = ChildRect(*game, *e.button);
        EXPECT_EQ(r.left, e.left) << e.button->GetDlgCtrlID();
        EXPECT_EQ(r.right, e.right) << e.button->GetDlgCtrlID();
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.Height(), 30);
    }
    CWnd* logo = game->GetDlgItem(IDC_LOGO);
    EXPECT_EQ(ChildRect(*game, *logo), CRect(0, 0, 83, 30));
}

TEST_F(LoginAndGame, MaxAndNormalAlternateByButtonAndDoubleClick) {
    OpenGame(L"http://127.0.0.1:9/?client=1");
    CGameDialog* game = theApp.m_pGameDialog;
    ASSERT_NE(game, nullptr);
    const CRect work = WorkArea();
    const CRect owner = WindowRectOf(backdrop.m_hWnd);

    game->m_btnRestore.SendMessage(BM_CLICK);
    PumpPending();
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_NORMAL);
    CRect r = WindowRectOf(game->m_hWnd);
    EXPECT_EQ(r.Width(), 1000);
    EXPECT_EQ(r.Height(), 700);
    EXPECT_EQ(r.left, std::max(work.left, std::min<LONG>((owner.left + owner.right) / 2 - 500, work.right - 1000)));
    EXPECT_EQ(r.top, std::max(work.top, std::min<LONG>((owner.top + owner.bottom) / 2 - 350, work.bottom - 700)));
    EXPECT_TRUE(HasVisibleStyle(game->m_btnMax));
    EXPECT_FALSE(HasVisibleStyle(game->m_btnRestore));
    EXPECT_EQ(ChildRect(*game, game->m_browser), CRect(0, 30, 1000, 700));

    game->m_btnMax.SendMessage(BM_CLICK);
    PumpPending();
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_MAX);
    EXPECT_EQ(WindowRectOf(game->m_hWnd), CRect(0, 0, work.Width(), work.Height()));

    game->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 10));
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_NORMAL);
    game->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 10));
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_MAX);
}

TEST_F(LoginAndGame, F11TogglesFullScreenOnlyWhileShown) {
    OpenGame(L"http://127.0.0.1:9/?client=1");
    CGameDialog* game = theApp.m_pGameDialog;
    ASSERT_NE(game, nullptr);
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    for (int start : {CGameDialog::MODE_MAX, CGameDialog::MODE_NORMAL}) {
        if (game->m_nDisplayMode != start)
            game->ToggleMaxNormal();
        PressKey(VK_F11);
        EXPECT_TRUE(PumpUntil([&] { return game->m_nDisplayMode == CGameDialog::MODE_FULL; }));
        EXPECT_EQ(WindowRectOf(game->m_hWnd), screen);
        EXPECT_EQ(ChildRect(*game, game->m_browser), CRect(0, 0, screen.Width(), screen.Height()));
        EXPECT_FALSE(HasVisibleStyle(game->m_btnClose));
        EXPECT_FALSE(HasVisibleStyle(*game->GetDlgItem(IDC_LOGO)));
        PressKey(VK_F11);
        EXPECT_TRUE(PumpUntil([&] { return game->m_nDisplayMode == CGameDialog::MODE_MAX; }));
        EXPECT_TRUE(HasVisibleStyle(game->m_btnClose));
    }
    game->ShowWindow(SW_HIDE);
    PressKey(VK_F11);
    PumpUntil([] { return false; }, 300);  // give the key time to arrive
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_MAX);
}

TEST_F(LoginAndGame, TitleBarDragsOnlyInNormalMode) {
    OpenGame(L"http://127.0.0.1:9/?client=1");
    CGameDialog* game = theApp.m_pGameDialog;
    ASSERT_NE(game, nullptr);
    // A press on the free title bar asks the system for a caption drag.
    auto asksToDrag = [&] {
        game->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 12));
        MSG msg;
        const bool asked = ::PeekMessageW(&msg, game->m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
        return asked && msg.wParam == HTCAPTION && msg.lParam == MAKELPARAM(300, 12);
    };
    EXPECT_FALSE(asksToDrag());  // MODE_MAX cannot be dragged
    game->ToggleMaxNormal();
    EXPECT_TRUE(asksToDrag());
}

TEST_F(LoginAndGame, DestroyingTheGameWindowFreesItsHotkeysTrayIconAndLogo) {
    CGameDialog* game = GetGameDialog();
    ASSERT_NE(game, nullptr);
    HWND hWnd = game->m_hWnd;
    const HGDIOBJ logo = reinterpret_cast<HGDIOBJ>(::SendDlgItemMessageW(hWnd, IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(::GetObjectType(logo), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_TRUE(TrayIconExists(hWnd));
    EXPECT_FALSE(HotKeysFree());
    theApp.DestroyGameDialog();
    EXPECT_EQ(theApp.m_pGameDialog, nullptr);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(HotKeysFree());
    EXPECT_FALSE(TrayIconExists(hWnd));
    EXPECT_EQ(::GetObjectType(logo), 0u);  // a static never deletes its image
    theApp.DestroyGameDialog();  // nothing left to do
    EXPECT_EQ(theApp.m_pGameDialog, nullptr);
}

namespace {
BOOL CALLBACK MatchConfirmation(HWND h, LPARAM found) {
    CRect r;
    ::GetWindowRect(h, &r);
    if (::IsWindowVisible(h) && r.Width() == 256 && r.Height() == 110) {
        *reinterpret_cast<HWND*>(found) = h;
        return FALSE;
    }
    return TRUE;
}

// The confirmation this thread shows now (256 x 110), or null.
HWND OpenConfirmation() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchConfirmation, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Answers the next confirmation with Enter (confirm) or Escape (decline).
void AnswerConfirmation(Script& script, bool confirm, HWND* seen = nullptr) {
    script.Then([&script, confirm, seen] {
        HWND dialog = OpenConfirmation();
        if (seen != nullptr)
            *seen = dialog;
        if (dialog == nullptr)
            return AnswerConfirmation(script, confirm, seen);  // not shown yet
        ::PostMessageW(dialog, WM_KEYDOWN, confirm ? VK_RETURN : VK_ESCAPE, 0);
    });
}

bool TakeQuit(WPARAM* code) {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    *code = msg.wParam;
    return true;
}
}  // namespace

TEST_F(LoginAndGame, BossKeyAndTrayHideTheWholeLauncherAndTheIconStays) {
    OpenGame(L"http://127.0.0.1:9/?client=1");
    CGameDialog* game = theApp.m_pGameDialog;
    ASSERT_NE(game, nullptr);
    auto nothingShown = [&] {
        return !game->IsWindowVisible() && !backdrop.IsWindowVisible() && !Panel().IsWindowVisible();
    };
    auto allShown = [&] { return game->IsWindowVisible() && backdrop.IsWindowVisible() && Panel().IsWindowVisible(); };
    PressKey(VK_F10);
    EXPECT_TRUE(PumpUntil(nothingShown));
    EXPECT_TRUE(TrayIconExists(game->m_hWnd));
    PressKey(VK_F10);
    EXPECT_TRUE(PumpUntil(allShown));
    EXPECT_EQ(::GetActiveWindow(), game->m_hWnd);

    EXPECT_EQ(game->SendMessage(WM_TRAY_NOTIFY, 128, WM_LBUTTONDBLCLK), 0);
    EXPECT_TRUE(nothingShown());
    EXPECT_EQ(game->SendMessage(WM_TRAY_NOTIFY, 127, WM_LBUTTONDBLCLK), 1);
    EXPECT_TRUE(nothingShown());
    game->SendMessage(WM_COMMAND, IDC_BTN_BOSS);
    EXPECT_TRUE(allShown());

    // Minimised, the boss key keeps it so; the tray brings it back restored.
    game->ShowWindow(SW_MINIMIZE);
    game->SendMessage(WM_COMMAND, IDC_BTN_BOSS);
    EXPECT_TRUE(nothingShown());
    game->SendMessage(WM_COMMAND, IDC_BTN_BOSS);
    EXPECT_TRUE(game->IsWindowVisible() && game->IsIconic());
    game->SendMessage(WM_TRAY_NOTIFY, 128, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(game->IsWindowVisible());
    EXPECT_FALSE(game->IsIconic());
    EXPECT_EQ(::GetActiveWindow(), game->m_hWnd);
    EXPECT_EQ(WindowRectOf(game->m_hWnd), CRect(0, 0, WorkArea().Width(), WorkArea().Height()));

    // A hand-over while hidden shows the game; back at the server choice
    // the login window comes back whole.
    game->ToggleVisible();
    OpenGame(L"http://127.0.0.1:9/two?client=1");
    EXPECT_TRUE(game->IsWindowVisible());
    Script script;
    AnswerConfirmation(script, true);
    game->SendMessage(WM_COMMAND, IDC_BTN_SERVER);
    ASSERT_EQ(theApp.m_pGameDialog, nullptr);
    EXPECT_TRUE(backdrop.IsWindowVisible());
    EXPECT_TRUE(Panel().IsWindowVisible());
    OpenGame(L"http://127.0.0.1:9/?client=1");
    game = theApp.m_pGameDialog;
    ASSERT_NE(game, nullptr);

    game->SendMessage(WM_COMMAND, IDC_BTN_FULL);
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_FULL);
    game->SendMessage(WM_COMMAND, IDC_BTN_REFRESH);
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_FULL);
    EXPECT_TRUE(game->IsWindowVisible());
    game->SendMessage(WM_COMMAND, IDC_BTN_MIN);
    EXPECT_TRUE(game->IsIconic());
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_FULL);
}

TEST_F(LoginAndGame, TheTrayIconComesBackWithARestartedShell) {
    CGameDialog* game = GetGameDialog();
    ASSERT_NE(game, nullptr);
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = game->m_hWnd;
    nid.uID = CGameDialog::kTrayIconId;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &nid));  // gone with the old shell
    ASSERT_FALSE(TrayIconExists(game->m_hWnd));
    ::SendMessageW(game->m_hWnd, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconExists(game->m_hWnd));
}

namespace {
// A game window whose initialisation fails once it holds its hotkeys, tray
// icon and bitmaps.
class CFailingGameDialog : public CGameDialog {
public:
    HWND made = nullptr;
    HGDIOBJ logo = nullptr;

protected:
    BOOL OnInitDialog() override {
        CGameDialog::OnInitDialog();
        made = m_hWnd;
        logo = reinterpret_cast<HGDIOBJ>(::SendDlgItemMessageW(m_hWnd, IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0));
        DestroyWindow();
        return TRUE;
    }
};
}  // namespace

TEST_F(LoginAndGame, AGameWindowThatFailsHalfWayGivesBackWhatItTook) {
    auto* game = new CFailingGameDialog;
    EXPECT_FALSE(game->Create(IDD_GAME_DIALOG, nullptr));
    ASSERT_NE(game->made, nullptr);
    ASSERT_EQ(::GetObjectType(game->logo), static_cast<DWORD>(OBJ_BITMAP));
    const HWND made = game->made;
    const HGDIOBJ logo = game->logo;
    delete game;
    EXPECT_FALSE(::IsWindow(made));
    // (Wine's shell drops the icon of a window that is gone by itself.)
    EXPECT_FALSE(TrayIconExists(made));
    EXPECT_TRUE(HotKeysFree());
    EXPECT_EQ(::GetObjectType(logo), 0u);
}

TEST_F(LoginAndGame, DecliningChangesNothingAndConfirmingQuitsWith16) {
    OpenGame(L"http://127.0.0.1:9/?client=1");
    CGameDialog* game = theApp.m_pGameDialog;
    ASSERT_NE(game, nullptr);
    Script script;
    HWND confirmation = nullptr;
    WPARAM code = 0;

    AnswerConfirmation(script, false, &confirmation);
    game->SendMessage(WM_COMMAND, IDC_BTN_SERVER);
    EXPECT_NE(confirmation, nullptr);
    EXPECT_EQ(theApp.m_pGameDialog, game);
    EXPECT_FALSE(TakeQuit(&code));

    AnswerConfirmation(script, false);
    game->SendMessage(WM_COMMAND, IDC_BTN_CLOSE);
    EXPECT_EQ(theApp.m_pGameDialog, game);
    EXPECT_FALSE(TakeQuit(&code));

    // The system's close asks too, and keeps hotkeys and icon when declined.
    AnswerConfirmation(script, false);
    game->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(game->m_hWnd));
    EXPECT_TRUE(TrayIconExists(game->m_hWnd));
    EXPECT_FALSE(HotKeysFree());

    for (UINT command : {UINT{IDC_BTN_CLOSE}, UINT{ID_TRAY_EXIT}}) {
        AnswerConfirmation(script, true);
        game->SendMessage(WM_COMMAND, command);
        ASSERT_TRUE(TakeQuit(&code)) << command;
        EXPECT_EQ(code, 16u);
    }
    AnswerConfirmation(script, true);
    Panel().SendMessage(WM_COMMAND, IDC_LOGIN_CLOSE);
    ASSERT_TRUE(TakeQuit(&code));
    EXPECT_EQ(code, 16u);
}

TEST_F(LoginAndGame, ConfirmedServerChoiceGoesBackToTheLoginWindow) {
    OpenGame(L"http://127.0.0.1:9/?client=1");
    CGameDialog* game = theApp.m_pGameDialog;
    ASSERT_NE(game, nullptr);
    HWND gameWindow = game->m_hWnd;
    backdrop.ShowWindow(SW_MINIMIZE);
    Script script;
    AnswerConfirmation(script, true);
    game->SendMessage(WM_COMMAND, IDC_BTN_SERVER);
    PumpPending();
    EXPECT_EQ(theApp.m_pGameDialog, nullptr);
    EXPECT_FALSE(::IsWindow(gameWindow));
    EXPECT_TRUE(HotKeysFree());
    EXPECT_FALSE(TrayIconExists(gameWindow));
    EXPECT_TRUE(backdrop.IsWindowVisible());
    EXPECT_FALSE(backdrop.IsIconic());

    // The next hand-over makes a fresh game window.
    LoginNavigates(L"http://127.0.0.1:9/again?client=1");
    ASSERT_NE(theApp.m_pGameDialog, nullptr);
    EXPECT_EQ(theApp.m_pGameDialog->m_nDisplayMode, CGameDialog::MODE_MAX);
    EXPECT_FALSE(HotKeysFree());
}

namespace {
// A dialog hosting the platform's browser from the panel's template, whose
// BeforeNavigate2 handler cancels addresses holding "blocked".
class CCancellingHost : public CDialogEx {
public:
    CCancellingHost() : CDialogEx(IDD_LOGIN_PANEL) {}
    ~CCancellingHost() override {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }
    CWebBrowser2 m_browser;
    std::vector<std::wstring> seen;
    static const EventSinkMap* GetThisEventSinkMap() {
        static const EventSinkEntry entries[] = {
            eventsink::On<IDC_BROWSER, 250, &CCancellingHost::OnBeforeNavigate2>(),
        };
        static const EventSinkMap map = MakeEventSinkMap(&CDialogEx::GetThisEventSinkMap, entries);
        return &map;
    }
    const EventSinkMap* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_BROWSER, m_browser); }
    void OnBeforeNavigate2(IDispatch*, VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT_BOOL* cancel) {
        seen.push_back(V_VT(url) == VT_BSTR ? V_BSTR(url) : L"?");
        if (seen.back().find(L"blocked") != std::wstring::npos)
            *cancel = VARIANT_TRUE;
    }
};
}  // namespace

TEST_F(LoginAndGame, ACancelledNavigationNeverReachesTheServer) {
    HttpServer server;
    CCancellingHost host;
    ASSERT_TRUE(host.Create(IDD_LOGIN_PANEL, nullptr));
    host.m_browser.Navigate(server.Url("/blocked").c_str());
    ASSERT_EQ(host.seen, std::vector<std::wstring>{server.Url("/blocked")});
    EXPECT_FALSE(PumpUntil([&] { return !server.Requests().empty(); }, 1500));
    // A navigation the handler lets through does reach it.
    host.m_browser.Navigate(server.Url("/allowed").c_str());
    EXPECT_TRUE(PumpUntil([&] { return server.RequestCount("/allowed") > 0; }, 10000));
}

