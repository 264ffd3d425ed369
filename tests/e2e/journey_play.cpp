// The whole road of a game session: log in, play in every display mode, hide
// and show, refresh, pick another server while hidden, go back to the server
// choice, log in again, and quit from the tray icon's menu.
#include "JourneyFixture.h"
#include "Player.h"
#include "SystemChecks.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Wait.h"

#include <algorithm>
#include <vector>

namespace {
constexpr DWORD kStepMs = 20000;

bool Shown(HWND dialog, int id) {
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

std::vector<HWND> Sorted(std::vector<HWND> windows) {
    std::sort(windows.begin(), windows.end());
    return windows;
}

RECT WorkAreaMode() {
    const RECT work = WorkArea();
    return {0, 0, work.right - work.left, work.bottom - work.top};
}

bool TakesRect(HWND window, const RECT& r) {
    return WaitUntil([&] { return SameRect(WindowRect(window), r); }, kStepMs);
}

// The game window at `r`, its title bar laid out for that width, so that a
// click finds the buttons where they are drawn: the close button, placed
// first, 2 pixels from the right edge, and the server button, placed last,
// 465 pixels from it.
bool GameSettlesAt(HWND game, const RECT& r) {
    return WaitUntil([&] {
        return SameRect(WindowRect(game), r) && Shown(game, IDC_BTN_CLOSE) &&
               WindowRect(::GetDlgItem(game, IDC_BTN_CLOSE)).right == r.right - 2 &&
               WindowRect(::GetDlgItem(game, IDC_BTN_SERVER)).right == r.right - 465;
    }, kStepMs);
}

// F11 twice: full screen, then the work-area mode, whatever the mode was
// before (it is not remembered).
void FullScreenAndBack(HWND game) {
    PressKey(VK_F11);
    EXPECT_TRUE(TakesRect(game, Screen())) << RectText(WindowRect(game));
    EXPECT_TRUE(TakesRect(BrowserIn(game), Screen()));
    EXPECT_FALSE(Shown(game, IDC_BTN_CLOSE));
    EXPECT_FALSE(Shown(game, IDC_LOGO));
    PressKey(VK_F11);
    EXPECT_TRUE(GameSettlesAt(game, WorkAreaMode())) << RectText(WindowRect(game));
    EXPECT_TRUE(Shown(game, IDC_BTN_RESTORE));
    EXPECT_FALSE(Shown(game, IDC_BTN_MAX));
}
}  // namespace

TEST_F(Journey, Play) {
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    Shot("login-window", m_backdrop);
    ASSERT_NO_FATAL_FAILURE(LogIn());
    Shot("game-window", m_game);

    Step("keys go to the game page: Space and Enter open nothing");
    KeysReachTheGamePage();

    Step("F11: full screen, and back");
    FullScreenAndBack(m_game);

    Step("restore: the 1000 x 700 window over the login window");
    ASSERT_TRUE(ClickControl(m_game, IDC_BTN_RESTORE));
    // Centred on the login window, which lies inside the work area.
    const RECT login = WindowRect(m_backdrop);
    const LONG left = (login.left + login.right) / 2 - 500, top = (login.top + login.bottom) / 2 - 350;
    ASSERT_TRUE(GameSettlesAt(m_game, RECT{left, top, left + 1000, top + 700})) << RectText(WindowRect(m_game));
    EXPECT_TRUE(Shown(m_game, IDC_BTN_MAX));
    EXPECT_FALSE(Shown(m_game, IDC_BTN_RESTORE));
    Shot("game-window-normal", m_game);

    Step("F11 from the 1000 x 700 window: full screen, then the work area");
    FullScreenAndBack(m_game);

    Step("F10: nothing of the launcher on the screen, then all of it back as it was");
    const std::vector<HWND> shown = Sorted(Windows().Shown());
    ASSERT_EQ(shown.size(), 3u);  // the login window, its panel and the game window
    PressKey(VK_F10);
    EXPECT_TRUE(WaitUntil([&] { return Windows().Shown().empty(); }, kStepMs));
    EXPECT_TRUE(TrayIconExists(m_game));
    Settle();
    PressKey(VK_F10);
    EXPECT_TRUE(WaitUntil([&] { return Sorted(Windows().Shown()) == shown; }, kStepMs));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_game; }, kStepMs));
    EXPECT_TRUE(TakesRect(m_game, WorkAreaMode()));

    Step("the tray icon: a double click hides all, another brings the game back");
    Settle();
    DoubleClickTrayIcon(m_game);
    EXPECT_TRUE(WaitUntil([&] { return Windows().Shown().empty(); }, kStepMs));
    Settle();
    DoubleClickTrayIcon(m_game);
    EXPECT_TRUE(WaitUntil([&] { return Sorted(Windows().Shown()) == shown; }, kStepMs));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_game; }, kStepMs));

    Step("minimised, the tray brings the game back restored and active");
    ASSERT_TRUE(ClickControl(m_game, IDC_BTN_MIN));
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(m_game) != FALSE; }, kStepMs));
    Settle();
    DoubleClickTrayIcon(m_game);
    EXPECT_TRUE(WaitUntil([&] {
        return !::IsIconic(m_game) && ::IsWindowVisible(m_game) && ::GetForegroundWindow() == m_game;
    }, kStepMs));
    EXPECT_TRUE(TakesRect(m_game, WorkAreaMode())) << RectText(WindowRect(m_game));
    KeysReachTheGamePage();

    Step("refresh: the game page is fetched again in the same window");
    const std::string gamePage = FetchedOk(SiteUrl("/game/play/?server=1&client=1"));
    ASSERT_EQ(m_log.Count(gamePage), 1u);
    ASSERT_TRUE(ClickControl(m_game, IDC_BTN_REFRESH));
    EXPECT_TRUE(WaitUntil([&] { return m_log.Count(gamePage) == 2; }, kStepMs));
    EXPECT_EQ(Windows().GameWindows().size(), 1u);
    EXPECT_EQ(Windows().Game(), m_game);
    EXPECT_TRUE(::IsWindowVisible(m_game));
    KeysReachTheGamePage();

    Step("hidden, another server on the login page: the same game window brings it");
    PressKey(VK_F10);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(m_game); }, kStepMs));
    const std::string secondServer = SiteUrl("/game/play/?server=2&client=1");
    Settle();
    ASSERT_TRUE(FollowLink(m_loginBrowser, 1));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_game) != FALSE; }, kStepMs));
    EXPECT_TRUE(WaitUntil([&] { return m_log.Count(FetchedOk(secondServer)) == 1; }, kStepMs));
    EXPECT_EQ(m_log.Count("BeforeNavigate2 url=" + secondServer + " cancel=1"), 1u);
    EXPECT_EQ(Windows().GameWindows().size(), 1u);
    EXPECT_EQ(Windows().Game(), m_game);
    EXPECT_TRUE(TakesRect(m_game, WorkAreaMode()));
    EXPECT_TRUE(TrayIconExists(m_game));
    EXPECT_FALSE(HotKeysFree());

    Step("back to the server choice, declined");
    ASSERT_TRUE(ClickControl(m_game, IDC_BTN_SERVER));
    ASSERT_NO_FATAL_FAILURE(ExpectConfirmation(kServerTitle, kServerText));
    ASSERT_NO_FATAL_FAILURE(Decline());
    EXPECT_EQ(Windows().Game(), m_game);
    EXPECT_TRUE(::IsWindowVisible(m_game));

    Step("back to the server choice, confirmed: the login page reloads");
    const std::string loginPage = FetchedOk(SiteUrl("/vsm/servers/"));
    const size_t loginFetches = m_log.Count(loginPage);
    ASSERT_TRUE(ClickControl(m_game, IDC_BTN_SERVER));
    ASSERT_NO_FATAL_FAILURE(ExpectConfirmation(kServerTitle, kServerText));
    Shot("server-confirmation", m_confirmation);
    ASSERT_NO_FATAL_FAILURE(Confirm());
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(m_game) && Windows().GameWindows().empty(); }, kStepMs));
    EXPECT_FALSE(TrayIconExists(m_game));
    EXPECT_TRUE(HotKeysFree());
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_backdrop) && ::IsWindowVisible(m_panel); }, kStepMs));
    EXPECT_TRUE(WaitUntil([&] { return m_log.Count(loginPage) == loginFetches + 1; }, kStepMs))
        << "the login panel's page was not loaded again";
    EXPECT_TRUE(PageShows(m_loginBrowser, L"Choose a server"));
    // The login window in front, and the keyboard in its page.
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(m_backdrop) == m_loginBrowser; }, kStepMs));
    const HWND front = ::GetForegroundWindow();
    EXPECT_TRUE(front == m_backdrop || front == m_panel);

    Step("log in again: a fresh game window");
    const HWND first = m_game;
    ASSERT_NO_FATAL_FAILURE(ChooseFirstServer());
    EXPECT_NE(m_game, first);
    EXPECT_TRUE(Shown(m_game, IDC_BTN_RESTORE));
    EXPECT_FALSE(Shown(m_game, IDC_BTN_MAX));

    Step("quit from the tray icon's menu");
    RightClickTrayIcon(m_game);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = Windows().PopupMenu()) != nullptr; }, kStepMs)) << "no tray menu";
    Settle();
    ClickMiddle(menu);  // its one item
    ASSERT_NO_FATAL_FAILURE(ExpectConfirmation(kQuitTitle, kQuitText));
    Shot("quit-confirmation", m_confirmation);
    ASSERT_NO_FATAL_FAILURE(Confirm());
    EXPECT_EQ(ExitCode(), 16u);
    EXPECT_FALSE(TrayIconExists(m_game));
    EXPECT_TRUE(HotKeysFree());
}
