// The login page panel over the backdrop and its hand-over test, on the
// real program code with the platform's browser control (which fires
// BeforeNavigate2 inside Navigate, as the hand-over needs).
#include "LauncherTest.h"

#include <vector>

#include "DataExchange.h"
#include "support/HttpServer.h"

namespace {
using LoginPanel = LauncherTest;
}  // namespace

TEST_F(LoginPanel, PanelLiesExactlyOverTheBackdropWithItsControlsInPlace) {
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

TEST_F(LoginPanel, EitherWindowDraggedTakesTheOtherAlong) {
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

TEST_F(LoginPanel, OnlyAddressesWithTheExactMarkerAreHandedOver) {
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

TEST_F(LoginPanel, ACancelledNavigationNeverReachesTheServer) {
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
