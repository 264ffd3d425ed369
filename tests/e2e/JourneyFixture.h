#pragma once
// One run of the launcher as shipped, started by the test and driven from
// outside as a player would, with the steps several journeys share and the
// check every journey ends with.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "LauncherWindows.h"
#include "StandInLog.h"
#include "support/Module.h"

// Addresses of the demo site the launcher was built for.
std::string SiteUrl(const char* path);
RECT WorkArea();
RECT Screen();

class Journey : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the launcher (the one built, unless `program` names another);
    // the login window shows over the work area with the login page in it.
    void StartLauncher(const std::wstring& program = BuiltFile(L"launcher.exe"));
    // "log in", then the first server: the game window opens over the login
    // window in its work-area mode. Sets m_game.
    void LogIn();
    // The server list's first server, from the page the login panel shows.
    void ChooseFirstServer();
    // Space and Enter, pressed as a player would, reach the game page and
    // open nothing.
    void KeysReachTheGamePage();
    // The confirmation with `title` and `text` shows, modal and centred over
    // the window it came from; sets m_confirmation and m_confirmationOwner.
    void ExpectConfirmation(const wchar_t* title, const wchar_t* text);
    void Confirm();
    void Decline();
    // Waits until the thread of `window` (by default the launcher's) has come
    // back to its message loop three looks in a row, so that it has handled
    // what the display server reported meanwhile (see Settle in the source).
    void Settle(HWND window = nullptr) const;
    // The launcher ends within the deadline; its exit code.
    DWORD ExitCode();
    // The page text of `browser` comes to contain `text`.
    bool PageShows(HWND browser, const wchar_t* text, DWORD timeoutMs = 20000) const;
    void Shot(const char* name, HWND window) const;

    LauncherWindows Windows() const { return LauncherWindows(m_launcher->Pid()); }
    static void Step(const char* what);

    StandInLog m_log;
    std::unique_ptr<ChildProcess> m_launcher;
    HWND m_backdrop = nullptr, m_panel = nullptr, m_loginBrowser = nullptr;
    HWND m_game = nullptr, m_confirmation = nullptr, m_confirmationOwner = nullptr;
};

// Title and text of the two confirmations.
extern const wchar_t kQuitTitle[], kQuitText[], kServerTitle[], kServerText[];
