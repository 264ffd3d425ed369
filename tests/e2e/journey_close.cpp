// Closing the login window (as the taskbar or Alt+F4 would) while the game
// runs: the program ends with exit code 0 and gives back what it held.
#include "JourneyFixture.h"
#include "SystemChecks.h"

TEST_F(Journey, CloseBackdrop) {
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_NO_FATAL_FAILURE(LogIn());

    Step("close the login window");
    ::PostMessageW(m_backdrop, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_FALSE(TrayIconExists(m_game));
    EXPECT_TRUE(HotKeysFree());
}
