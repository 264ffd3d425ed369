// Quitting from the login window's own button: declined first, then confirmed.
#include "JourneyFixture.h"
#include "Player.h"
#include "resource.h"

TEST_F(Journey, QuitFromLogin) {
    ASSERT_NO_FATAL_FAILURE(StartLauncher());

    Step("quit, declined: the login window stays");
    ASSERT_TRUE(ClickControl(m_panel, IDC_LOGIN_CLOSE));
    ASSERT_NO_FATAL_FAILURE(ExpectConfirmation(kQuitTitle, kQuitText));
    ASSERT_NO_FATAL_FAILURE(Decline());
    EXPECT_EQ(m_launcher->WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(::IsWindowVisible(m_backdrop));
    EXPECT_TRUE(::IsWindowVisible(m_panel));
    EXPECT_TRUE(PageShows(m_loginBrowser, L"This is the operator's login page.", 0));

    Step("quit, confirmed: exit code 16");
    ASSERT_TRUE(ClickControl(m_panel, IDC_LOGIN_CLOSE));
    ASSERT_NO_FATAL_FAILURE(ExpectConfirmation(kQuitTitle, kQuitText));
    ASSERT_NO_FATAL_FAILURE(Confirm());
    EXPECT_EQ(ExitCode(), 16u);
}
