#include "LoginApp.h"
#include "LoginDlg.h"
#include "GdiPlus.h"
#include "MessageMap.h"
#include <commctrl.h>

CLoginApp theApp;

CLoginApp::CLoginApp() : CWinApp(nullptr) {
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

CLoginApp::~CLoginApp() = default;

const MessageMap* CLoginApp::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Command<ID_HELP, &CWinApp::OnHelp>(),
    };
    static const MessageMap map = MakeMessageMap(&CWinApp::GetThisMessageMap, entries);
    return &map;
}

BOOL CLoginApp::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();

    // The control-site manager and the external object come here.

    StartupGdiPlus(&m_gdiplusToken);  // a failure shows up later as missing images

    SetRegistryKey(kRegistryKeyName);

    CLoginDlg backdrop;
    m_pMainWnd = &backdrop;
    backdrop.DoModal();

    DestroyGameDialog();
    return FALSE;
}

int CLoginApp::ExitInstance() {
    return CWinApp::ExitInstance();
}

void CLoginApp::DestroyGameDialog() {}
