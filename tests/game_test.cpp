// The game window: its frame and modes, its commands, hotkeys and tray
// icon, and its end, on the real program code with the platform's browser
// control.
#include "LauncherTest.h"
#include "support/DebugOutput.h"
#include "support/Input.h"

namespace {
using GameWindow = LauncherTest;
}  // namespace

TEST_F(GameWindow, GameWindowStartsHiddenInMaxModeAndLaysOutItsTitleBar) {
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

TEST_F(GameWindow, MaxAndNormalAlternateByButtonAndDoubleClick) {
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

TEST_F(GameWindow, F11TogglesFullScreenOnlyWhileShown) {
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
    // Hidden by the boss key, F11 changes nothing. Keys arrive in order: once
    // F10 has brought the window back, F11 has been handled.
    game->ToggleVisible();
    ASSERT_FALSE(game->IsWindowVisible());
    PressKey(VK_F11);
    PressKey(VK_F10);
    EXPECT_TRUE(PumpUntil([&] { return game->IsWindowVisible(); }));
    EXPECT_EQ(game->m_nDisplayMode, CGameDialog::MODE_MAX);
}

TEST_F(GameWindow, TitleBarDragsOnlyInNormalMode) {
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

TEST_F(GameWindow, DestroyingTheGameWindowFreesItsHotkeysTrayIconAndLogo) {
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

TEST_F(GameWindow, BossKeyAndTrayHideTheWholeLauncherAndTheIconStays) {
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

TEST_F(GameWindow, AHotkeyAlreadyHeldLeavesALineOfDebugOutput) {
    // F10 taken first, as another program would hold it.
    HWND holder = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::RegisterHotKey(holder, 7, 0, VK_F10));
    DebugOutput output;
    ASSERT_NE(GetGameDialog(), nullptr);
    EXPECT_TRUE(output.Has({"Vesmera: RegisterHotKey F10", "failed, error 1409 (0x00000581)"}));
    EXPECT_FALSE(output.Has({"RegisterHotKey F11"}));
    theApp.DestroyGameDialog();
    ::UnregisterHotKey(holder, 7);
    ::DestroyWindow(holder);
}

TEST_F(GameWindow, TheTrayIconComesBackWithARestartedShell) {
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

TEST_F(GameWindow, AGameWindowThatFailsHalfWayGivesBackWhatItTook) {
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

TEST_F(GameWindow, DecliningChangesNothingAndConfirmingQuitsWith16) {
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

TEST_F(GameWindow, ConfirmedServerChoiceGoesBackToTheLoginWindow) {
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
