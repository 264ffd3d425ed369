#pragma once
// What the login and game window tests share: the launcher's login window
// opened in this process as the application's start-up opens it, with the
// services start-up makes, and looks at the windows, the tray, the hotkeys
// and the confirmations.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include "GameDialog.h"
#include "GameHandoff.h"
#include "LoginActiveDlg.h"
#include "LoginApp.h"
#include "LoginDlg.h"
#include "OpenLoginWindow.h"
#include "resource.h"
#include "support/GdiPlusSession.h"
#include "support/Script.h"
#include "support/Wait.h"

inline CRect WindowRectOf(HWND wnd) {
    CRect r;
    ::GetWindowRect(wnd, &r);
    return r;
}

inline CRect ChildRect(CWnd& parent, CWnd& child) {
    CRect r = WindowRectOf(child.m_hWnd);
    parent.ScreenToClient(&r);
    return r;
}

inline bool HasVisibleStyle(const CWnd& wnd) {
    return (::GetWindowLongW(wnd.m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

inline CRect WorkArea() {
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Whether the tray still holds the game window's icon.
inline bool TrayIconExists(HWND owner) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner;
    nid.uID = CGameDialog::kTrayIconId;
    nid.uFlags = NIF_TIP;
    lstrcpyW(nid.szTip, L"Vesmera");
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

// Whether another window could take F10 and F11 now.
inline bool HotKeysFree() {
    HWND probe = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool f10 = ::RegisterHotKey(probe, 1, 0, VK_F10) != FALSE;
    const bool f11 = ::RegisterHotKey(probe, 2, 0, VK_F11) != FALSE;
    ::UnregisterHotKey(probe, 1);
    ::UnregisterHotKey(probe, 2);
    ::DestroyWindow(probe);
    return f10 && f11;
}

inline BOOL CALLBACK MatchConfirmation(HWND h, LPARAM found) {
    CRect r;
    ::GetWindowRect(h, &r);
    if (::IsWindowVisible(h) && r.Width() == 256 && r.Height() == 110) {
        *reinterpret_cast<HWND*>(found) = h;
        return FALSE;
    }
    return TRUE;
}

// The confirmation this thread shows now (256 x 110), or null.
inline HWND OpenConfirmation() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchConfirmation, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Answers the next confirmation with Enter (confirm) or Escape (decline),
// looking for it until `deadline` (a tick count) has passed.
inline void AnswerConfirmation(Script& script, bool confirm, HWND* seen = nullptr,
                               ULONGLONG deadline = ::GetTickCount64() + 10000) {
    script.Then([&script, confirm, seen, deadline] {
        HWND dialog = OpenConfirmation();
        if (seen != nullptr)
            *seen = dialog;
        if (dialog != nullptr) {
            ::PostMessageW(dialog, WM_KEYDOWN, confirm ? VK_RETURN : VK_ESCAPE, 0);
        } else if (::GetTickCount64() < deadline) {
            AnswerConfirmation(script, confirm, seen, deadline);  // not shown yet
        } else {
            ADD_FAILURE() << "no confirmation showed";
        }
    });
}

inline bool TakeQuit(WPARAM* code) {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    *code = msg.wParam;
    return true;
}
class LauncherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        gdiplus = new GdiPlusSession;
        theApp.CreateServices();  // as start-up makes them
    }
    static void TearDownTestSuite() {
        theApp.DeleteServices();
        delete gdiplus;
    }
    void SetUp() override { ASSERT_TRUE(login.Opened()); }
    CLoginActiveDlg& Panel() { return login.Panel(); }
    // Navigates the login page's browser as the page itself would.
    void LoginNavigates(const wchar_t* url) {
        Panel().m_browser.Navigate(url);
        PumpPending();
    }

    static GdiPlusSession* gdiplus;
    OpenLoginWindow login;
    CLoginDlg& backdrop = login.backdrop;
};
inline GdiPlusSession* LauncherTest::gdiplus = nullptr;
