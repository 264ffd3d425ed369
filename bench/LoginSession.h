#pragma once
// The launcher's login window in this process, set up as the application's
// start-up does, and the player's way from it to the game window and back
// to server choice.
#include <windows.h>

#include <memory>

#include "OpenLoginWindow.h"
#include "support/GdiPlusSession.h"

class CGameDialog;

// The application's process-wide state that its windows expect: the
// control-site manager and the pages' external object. Made once.
void PrepareLikeStartUp();

class LoginSession {
public:
    LoginSession();
    ~LoginSession();
    LoginSession(const LoginSession&) = delete;
    LoginSession& operator=(const LoginSession&) = delete;

    bool Opened() const;
    // The login page's browser goes to `url`, as the page's own script would
    // make it; the browser fires BeforeNavigate2 inside this call.
    void PageNavigates(const wchar_t* url);
    // The game window, when one exists.
    CGameDialog* Game() const;
    bool GameShown() const;
    // The game window's server-choice command, confirmed with Enter. True
    // when the confirmation showed and the game window is gone.
    bool BackToServerChoice();

private:
    GdiPlusSession m_gdiplus;
    // Opened once start-up's control-site manager and external object exist.
    std::unique_ptr<OpenLoginWindow> m_window;
};
