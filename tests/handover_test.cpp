// The login window and the game window with the stand-in control, which
// loads and shows pages: the login browser appears with its first page, and
// a game address, from a link or from a frame, opens the game window
// showing the game page.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "GameDialog.h"
#include "LoginActiveDlg.h"
#include "LoginApp.h"
#include "OpenLoginWindow.h"
#include "StandIn.h"
#include "StandInRecord.h"
#include "ThreadState.h"
#include "resource.h"
#include "support/GdiPlusSession.h"
#include "support/HttpServer.h"
#include "support/Wait.h"

namespace {

class HandOver : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gdiplus = new GdiPlusSession;
        registration = new standin::ClassRegistration;
        theApp.CreateServices();  // as start-up makes them
    }
    static void TearDownTestSuite() {
        delete registration;
        delete gdiplus;
        theApp.DeleteServices();
    }
    void SetUp() override {
        ASSERT_EQ(registration->Result(), S_OK);
        server.Serve("/servers", "<p>Servers</p><a href=\"/game/play/?server=1&amp;client=1\">Server 1</a>");
        server.Serve("/framed", "<p>Pick</p><iframe name=\"list\" src=\"/game/play/?server=2&amp;client=1\"></iframe>");
        server.Serve("/game/play/?server=1&client=1", "<p>Game on server 1</p>");
        server.Serve("/game/play/?server=2&client=1", "<p>Game on server 2</p>");
        ASSERT_TRUE(login.Opened());
        standin::ClearLog();
    }
    CWebBrowser2& LoginBrowser() { return login.Panel().m_browser; }
    // Loads `path` in the login browser and waits for it.
    void LoginLoads(const std::string& path) {
        LoginBrowser().Navigate(server.Url(path).c_str());
        ASSERT_TRUE(PumpUntil([&] { return Logged("DocumentComplete url=" + Narrow(server.Url(path))); }, 10000));
    }
    // Waits for the game window to show `text` as its page.
    bool GameShows(const std::wstring& text) {
        return PumpUntil(
            [&] {
                CGameDialog* game = theApp.m_pGameDialog;
                return game && standin::PageText(game->m_browser.m_hWnd) == text;
            },
            10000);
    }

    static GdiPlusSession* gdiplus;
    static standin::ClassRegistration* registration;
    HttpServer server;
    OpenLoginWindow login;
};
GdiPlusSession* HandOver::gdiplus = nullptr;
standin::ClassRegistration* HandOver::registration = nullptr;
}  // namespace

TEST_F(HandOver, TheLoginBrowserAppearsWithItsFirstPageAndStays) {
    // The login page itself is on the compiled-in host; whatever becomes of
    // it, the browser waits hidden until a page has arrived.
    EXPECT_FALSE(LoginBrowser().IsWindowVisible());
    LoginLoads("/servers");
    EXPECT_TRUE(LoginBrowser().IsWindowVisible());
    EXPECT_EQ(standin::PageText(LoginBrowser().m_hWnd), L"Servers\nServer 1");
    LoginBrowser().Navigate(server.Url("/framed").c_str());
    EXPECT_TRUE(LoginBrowser().IsWindowVisible());  // not hidden again while the next page loads
}

TEST_F(HandOver, AGameLinkOpensTheGameWindowShowingTheGamePage) {
    LoginLoads("/servers");
    ASSERT_TRUE(standin::ClickLink(LoginBrowser().m_hWnd, 0));
    const std::string game = Narrow(server.Url("/game/play/?server=1&client=1"));
    // Cancelled in the login browser, handed over before the event returned.
    EXPECT_TRUE(Logged("BeforeNavigate2 url=" + game + " cancel=1"));
    ASSERT_NE(theApp.m_pGameDialog, nullptr);
    EXPECT_TRUE(theApp.m_pGameDialog->IsWindowVisible());
    ASSERT_TRUE(GameShows(L"Game on server 1"));
    EXPECT_TRUE(theApp.m_pGameDialog->m_browser.IsWindowVisible());
    // Only the game window's browser asked for the game page.
    EXPECT_EQ(server.RequestCount("/game/play/?server=1&client=1"), 1u);
    EXPECT_EQ(standin::PageText(LoginBrowser().m_hWnd), L"Servers\nServer 1");
}

TEST_F(HandOver, AFrameCarryingTheMarkerIsHandedOverToo) {
    LoginBrowser().Navigate(server.Url("/framed").c_str());
    const std::string frame = Narrow(server.Url("/game/play/?server=2&client=1"));
    ASSERT_TRUE(PumpUntil([&] { return Logged("BeforeNavigate2 url=" + frame + " frame=list cancel=1"); }, 10000));
    ASSERT_TRUE(GameShows(L"Game on server 2"));
    // The login page itself completed, without the frame's page.
    EXPECT_TRUE(PumpUntil([&] { return Logged("DocumentComplete url=" + Narrow(server.Url("/framed"))); }, 5000));
    EXPECT_EQ(standin::PageText(LoginBrowser().m_hWnd), L"Pick");
    EXPECT_EQ(server.RequestCount("/game/play/?server=2&client=1"), 1u);
}

TEST_F(HandOver, EnterAndEscapeInTheGamePageReachThePageAndNotTheWindow) {
    LoginLoads("/servers");
    ASSERT_TRUE(standin::ClickLink(LoginBrowser().m_hWnd, 0));
    ASSERT_TRUE(GameShows(L"Game on server 1"));
    CGameDialog* game = theApp.m_pGameDialog;
    const int mode = game->m_nDisplayMode;
    // Through the same pre-translation the program's own loop gives them.
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}})
        ::PostMessageW(game->m_browser.m_hWnd, WM_KEYDOWN, key, 0);
    EXPECT_TRUE(PumpUntil([&] { return Logged("Key vk=0xd") && Logged("Key vk=0x1b"); }, 5000, AfxPreTranslateMessage));
    EXPECT_EQ(theApp.m_pGameDialog, game);
    EXPECT_TRUE(game->IsWindowVisible());
    EXPECT_EQ(game->m_nDisplayMode, mode);
}
