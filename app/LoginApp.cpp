#include "LoginApp.h"
#include "CustomOccManager.h"
#include "Diagnostics.h"
#include "ImpIDispatch.h"
#include "LoginActiveDlg.h"
#include "LoginDlg.h"
#include "LoginWindow.h"
#include "OccManager.h"
#include "ScriptExternal.h"
#include "ThreadState.h"
#include "GdiPlus.h"
#include "MessageMap.h"
#include <commctrl.h>

CLoginApp theApp;

CLoginApp::CLoginApp() : CWinApp(nullptr) {
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
    AfxSetReportPrefix("Vesmera");
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

    CreateServices();

    StartupGdiPlus(&m_gdiplusToken);  // a failure shows up later as missing images

    SetRegistryKey(kRegistryKeyName);

    CLoginDlg backdrop;
    m_pMainWnd = &backdrop;
    backdrop.DoModal();

    // The windows are gone with the backdrop's; their objects go in this
    // order: the panel, the game window, the external object last, which
    // the pages of both used.
    backdrop.m_pPanel.reset();
    DestroyGameDialog();
    DeleteServices();
    return FALSE;
}

void CLoginApp::CreateServices() {
    // Every hosted control gets the launcher's site; pages share one
    // external object. Both exist before the first window.
    static CCustomOccManager manager;  // to the end of the process
    m_pExternal = new CImpIDispatch;
    AfxEnableControlContainer(&manager);
}

void CLoginApp::DeleteServices() {
    // Plainly deleted: its count says how often pages asked for it, not who
    // still holds it, and no page is left now.
    delete m_pExternal;
    m_pExternal = nullptr;
}

int CLoginApp::ExitInstance() {
    const int code = CWinApp::ExitInstance();
    // Only a confirmed quit ends the run through a quit message (16, from
    // ConfirmQuit). Any other end (Alt+F4, the taskbar's Close, WM_CLOSE)
    // is a plain close and ends with 0, whatever the loop took last.
    return AfxGetThreadState().msgCur.message == WM_QUIT ? code : 0;
}

IDispatch* AfxGetScriptExternal() {
    return theApp.m_pExternal;
}

CWebBrowser2* GetLoginBrowser() {
    auto* backdrop = dynamic_cast<CLoginDlg*>(theApp.m_pMainWnd);
    return backdrop && backdrop->m_pPanel ? &backdrop->m_pPanel->m_browser : nullptr;
}
