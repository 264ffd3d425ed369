// Every way of closing the login window ends the program with exit code 0
// (only a confirmed quit gives 16), and gives back what it held; the
// game window's own close asks first.
#include <functional>

#include "JourneyFixture.h"
#include "Player.h"
#include "SystemChecks.h"
#include "support/Input.h"
#include "support/Wait.h"

namespace {
constexpr DWORD kStepMs = 20000;
}  // namespace

TEST_F(Journey, CloseBackdrop) {
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_NO_FATAL_FAILURE(LogIn());

    Step("Alt+F4 on the game window asks to quit; declined, the game goes on");
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_game; }, kStepMs));
    Settle();
    PressKeyWith(VK_MENU, VK_F4);
    ASSERT_NO_FATAL_FAILURE(ExpectConfirmation(kQuitTitle, kQuitText));
    ASSERT_NO_FATAL_FAILURE(Decline());
    EXPECT_EQ(Windows().Game(), m_game);
    EXPECT_TRUE(::IsWindowVisible(m_game));
    EXPECT_TRUE(TrayIconExists(m_game));
    EXPECT_FALSE(HotKeysFree());

    Step("close the login window");
    ::PostMessageW(m_backdrop, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_FALSE(TrayIconExists(m_game));
    EXPECT_TRUE(HotKeysFree());
}

TEST_F(Journey, CloseLoginWindow) {
    struct Way {
        const char* what;
        std::function<void()> close;
    };
    const Way ways[] = {
        {"Alt+F4 while typing in the login page", [] { PressKeyWith(VK_MENU, VK_F4); }},
        {"Alt+F4 on the login window itself",
         [this] {
             // As the taskbar's button would make it active.
             ::SetForegroundWindow(m_backdrop);
             ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_backdrop; }, kStepMs));
             Settle();
             PressKeyWith(VK_MENU, VK_F4);
         }},
        {"the taskbar's Close", [this] { ::PostMessageW(m_backdrop, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [this] { ::PostMessageW(m_backdrop, WM_CLOSE, 0, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        ASSERT_NO_FATAL_FAILURE(StartLauncher());
        Step(way.what);
        Settle();
        way.close();
        EXPECT_EQ(ExitCode(), 0u);
        m_launcher.reset();
    }
}
