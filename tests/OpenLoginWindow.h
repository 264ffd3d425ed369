#pragma once
// The launcher's login window in this process, opened as the application's
// start-up opens it (the main window, with its panel) and closed with the
// game window, as the end of the application closes them.
#include "GameDialog.h"
#include "LoginActiveDlg.h"
#include "LoginApp.h"
#include "LoginDlg.h"
#include "resource.h"
#include "support/Wait.h"

class OpenLoginWindow {
public:
    OpenLoginWindow() {
        m_opened = backdrop.Create(IDD_LOGIN_DIALOG, nullptr) != FALSE;
        theApp.m_pMainWnd = &backdrop;
        PumpPending();
    }
    ~OpenLoginWindow() {
        theApp.DestroyGameDialog();
        backdrop.DestroyWindow();
        backdrop.m_pPanel.reset();
        theApp.m_pMainWnd = nullptr;
        PumpPending();
    }
    OpenLoginWindow(const OpenLoginWindow&) = delete;
    OpenLoginWindow& operator=(const OpenLoginWindow&) = delete;

    bool Opened() const { return m_opened; }
    CLoginActiveDlg& Panel() { return *backdrop.m_pPanel; }

    CLoginDlg backdrop;

private:
    bool m_opened = false;
};
