#include "JourneyFixture.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Player.h"
#include "Screenshot.h"
#include "StandIn.h"
#include "SystemChecks.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Wait.h"

const wchar_t kQuitTitle[] = L"关闭游戏";
const wchar_t kQuitText[] = L"确定要退出游戏吗?";
const wchar_t kServerTitle[] = L"选服";
const wchar_t kServerText[] = L"是否退出当前游戏，重新选择新服务器?";

namespace {
constexpr DWORD kStepMs = 20000;
constexpr int kBackdropWidth = 1120, kBackdropHeight = 693;

// Whether `upper` lies above `lower` in the z-order of top-level windows.
bool Above(const std::vector<HWND>& zOrder, HWND upper, HWND lower) {
    const auto u = std::find(zOrder.begin(), zOrder.end(), upper);
    const auto l = std::find(zOrder.begin(), zOrder.end(), lower);
    return u != zOrder.end() && l != zOrder.end() && u < l;
}

RECT RectIn(HWND outer, HWND inner) {
    RECT r = WindowRect(inner);
    ::MapWindowPoints(nullptr, outer, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
}  // namespace

std::string SiteUrl(const char* path) {
    return std::string("http://") + E2E_LOGIN_HOST + path;
}

RECT WorkArea() {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT Screen() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void Journey::TearDown() {
    // A launcher still running here is ended by its owner.
    m_launcher.reset();
    EXPECT_FALSE(FrameworkKeyExists()) << "the framework's registry key was written";
}

void Journey::Step(const char* what) {
    // With the time into the run, to see where a slow run spends it.
    static const ULONGLONG start = ::GetTickCount64();
    std::printf("-- %5.1f s  %s\n", static_cast<double>(::GetTickCount64() - start) / 1000, what);
    std::fflush(stdout);
}

void Journey::StartLauncher(const std::wstring& program) {
    Step("start the launcher");
    ASSERT_TRUE(m_log.Available()) << "STANDIN_LOG names no file";
    ParkPointer();
    const size_t loginFetches = m_log.Count(FetchedOk(SiteUrl("/vsm/login/")));
    m_launcher = std::make_unique<ChildProcess>(L"\"" + program + L"\"");
    ASSERT_TRUE(m_launcher->Started());
    ASSERT_TRUE(WaitUntil([&] { return (m_backdrop = Windows().Backdrop()) && ::IsWindowVisible(m_backdrop); }, 30000))
        << "the login window never showed";
    const RECT work = WorkArea();
    const LONG left = (work.left + work.right) / 2 - kBackdropWidth / 2;
    const LONG top = (work.top + work.bottom) / 2 - kBackdropHeight / 2;
    const RECT centred{left, top, left + kBackdropWidth, top + kBackdropHeight};
    EXPECT_TRUE(SameRect(WindowRect(m_backdrop), centred)) << RectText(WindowRect(m_backdrop));
    EXPECT_TRUE(::GetWindowLongW(m_backdrop, GWL_EXSTYLE) & WS_EX_LAYERED);

    ASSERT_TRUE(WaitUntil([&] { return (m_panel = Windows().Panel()) && ::IsWindowVisible(m_panel); }, kStepMs))
        << "no login panel over the backdrop";
    // Made once the backdrop shows, then laid over it.
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(m_panel), WindowRect(m_backdrop)); }, kStepMs))
        << RectText(WindowRect(m_panel));
    const LayeredAttributes keyed = LayeredAttributesOf(m_panel);
    EXPECT_TRUE(keyed.read);
    EXPECT_EQ(keyed.key, 0x0000FFFFu);  // yellow, fully transparent
    EXPECT_EQ(keyed.alpha, 255);
    EXPECT_EQ(keyed.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

    Step("the login page shows");
    m_loginBrowser = BrowserIn(m_panel);
    ASSERT_NE(m_loginBrowser, nullptr);
    ASSERT_TRUE(PageShows(m_loginBrowser, L"This is the operator's login page."));
    EXPECT_TRUE(::IsWindowVisible(m_loginBrowser));
    const RECT framed = RectIn(m_panel, m_loginBrowser);
    EXPECT_TRUE(SameRect(framed, RECT{349, 175, 989, 624})) << RectText(framed);
    EXPECT_EQ(m_log.Count(FetchedOk(SiteUrl("/vsm/login/"))), loginFetches + 1);
    // What the player types goes to the page at once.
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(m_backdrop) == m_loginBrowser; }, kStepMs))
        << "the keyboard is not in the login page";
}

void Journey::LogIn() {
    Step("log in");
    ASSERT_TRUE(FollowLink(m_loginBrowser, 0));
    ASSERT_TRUE(PageShows(m_loginBrowser, L"Choose a server"));
    ChooseFirstServer();
}

void Journey::ChooseFirstServer() {
    Step("choose the first server: the game window opens");
    const std::string game = SiteUrl("/game/play/?server=1&client=1");
    const std::string cancelled = "BeforeNavigate2 url=" + game + " cancel=1";
    const size_t fetched = m_log.Count(FetchedOk(game)), handedOver = m_log.Count(cancelled);
    Settle();
    ASSERT_TRUE(FollowLink(m_loginBrowser, 0));
    ASSERT_TRUE(WaitUntil([&] { return (m_game = Windows().Game()) && ::IsWindowVisible(m_game); }, kStepMs))
        << "no game window";
    // Taken from the login page, which stays as it was.
    EXPECT_EQ(m_log.Count(cancelled), handedOver + 1);
    EXPECT_TRUE(PageShows(m_loginBrowser, L"Choose a server", 0));

    const HWND gameBrowser = BrowserIn(m_game);
    ASSERT_NE(gameBrowser, nullptr);
    EXPECT_TRUE(PageShows(gameBrowser, L"The game is running."));
    EXPECT_EQ(m_log.Count(FetchedOk(game)), fetched + 1);

    // Over the login window, filling the work area.
    const RECT work = WorkArea();
    EXPECT_EQ(::GetWindow(m_game, GW_OWNER), m_backdrop);
    EXPECT_TRUE(SameRect(WindowRect(m_game), RECT{0, 0, work.right - work.left, work.bottom - work.top}))
        << RectText(WindowRect(m_game));
    EXPECT_TRUE(Above(Windows().All(), m_game, m_panel));
    const RECT login = WindowRect(m_backdrop);
    const POINT middle{(login.left + login.right) / 2, (login.top + login.bottom) / 2};
    EXPECT_EQ(::GetAncestor(::WindowFromPoint(middle), GA_ROOT), m_game);
    EXPECT_TRUE(TrayIconExists(m_game));
    EXPECT_FALSE(HotKeysFree());
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(m_game) == gameBrowser; }, kStepMs))
        << "the keyboard is not in the game page";
}

void Journey::KeysReachTheGamePage() {
    const HWND page = BrowserIn(m_game);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(m_game) == page; }, kStepMs)) << "the keyboard is elsewhere";
    const size_t spaces = m_log.Count("Key vk=0x20"), enters = m_log.Count("Key vk=0xd");
    const RECT placed = WindowRect(m_game);
    PressKey(VK_SPACE);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return m_log.Count("Key vk=0x20") == spaces + 1; }, kStepMs)) << "no Space";
    EXPECT_TRUE(WaitUntil([&] { return m_log.Count("Key vk=0xd") == enters + 1; }, kStepMs)) << "no Enter";
    Settle();
    // and they opened nothing of the launcher's.
    EXPECT_EQ(Windows().Veil(), nullptr);
    EXPECT_EQ(Windows().Confirmation(), nullptr);
    EXPECT_EQ(Windows().Game(), m_game);
    EXPECT_TRUE(::IsWindowVisible(m_game));
    EXPECT_TRUE(SameRect(WindowRect(m_game), placed)) << RectText(WindowRect(m_game));  // mode unchanged
}

void Journey::ExpectConfirmation(const wchar_t* title, const wchar_t* text) {
    ASSERT_TRUE(WaitUntil([&] { return (m_confirmation = Windows().Confirmation()) != nullptr; }, kStepMs))
        << "no confirmation";
    const RECT r = WindowRect(m_confirmation);
    EXPECT_EQ(r.right - r.left, 256);
    EXPECT_EQ(r.bottom - r.top, 110);
    EXPECT_EQ(ControlText(m_confirmation, IDC_CONFIRM_TITLE), title);
    EXPECT_EQ(ControlText(m_confirmation, IDC_CONFIRM_TEXT), text);
    // Modal over the window it was opened from, and centred on it.
    m_confirmationOwner = ::GetWindow(m_confirmation, GW_OWNER);
    ASSERT_NE(m_confirmationOwner, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(m_confirmationOwner));
    const RECT owner = WindowRect(m_confirmationOwner);
    EXPECT_EQ(r.left, (owner.left + owner.right) / 2 - 128) << RectText(owner);
    EXPECT_EQ(r.top, (owner.top + owner.bottom) / 2 - 55) << RectText(owner);
}

void Journey::Confirm() {
    Settle();
    ClickClientPoint(m_confirmation, 77, 85);  // on the confirm button's image
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(m_confirmation); }, kStepMs)) << "the confirmation stayed";
}

void Journey::Decline() {
    Settle();
    ClickClientPoint(m_confirmation, 177, 85);  // on the decline button's image
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(m_confirmation); }, kStepMs)) << "the confirmation stayed";
    EXPECT_TRUE(::IsWindowEnabled(m_confirmationOwner));
}

// Wine without a window manager handles the display server's reports
// (exposures, pointer crossings) only when the launcher's thread waits for
// messages, and a late report about a window lifts it over whatever was
// shown over it since: the login panel, exposed at start, would come back
// over a game window opened before the report was handled, and take its
// clicks. A player is never that fast; the driver is, so before it shows a
// window over the login window it lets the launcher catch up. Each look is
// a message the thread answers from its loop; between looks it waits, and
// waiting is where Wine reads the display server.
void Journey::Settle(HWND window) const {
    if (window == nullptr)
        window = m_backdrop;
    int answered = 0;
    WaitUntil([&] {
        DWORD_PTR result = 0;
        const bool answers = ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
        answered = answers ? answered + 1 : 0;
        return answered >= 3;
    }, kStepMs);
}

DWORD Journey::ExitCode() {
    return m_launcher->WaitForExit(kStepMs);
}

bool Journey::PageShows(HWND browser, const wchar_t* text, DWORD timeoutMs) const {
    return WaitUntil([&] { return standin::PageText(browser).find(text) != std::wstring::npos; }, timeoutMs);
}

void Journey::Shot(const char* name, HWND window) const {
    if (!ShotsWanted())
        return;
    // Wine hands a window's pixels to the display server when the thread
    // waits for messages.
    Settle(window);
    EXPECT_TRUE(TakeShot(name, WindowRect(window))) << name;
}
