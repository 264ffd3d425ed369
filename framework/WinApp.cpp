#include "WinApp.h"
#include "MessageMap.h"
#include "ProcAddress.h"
#include "ThreadState.h"
#include "Wnd.h"
#include <ole2.h>

namespace {
CWinApp* g_app = nullptr;
HINSTANCE g_resourceModule = nullptr;
}  // namespace

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
HINSTANCE AfxGetInstanceHandle() { return ::GetModuleHandleW(nullptr); }
HINSTANCE AfxGetResourceHandle() { return g_resourceModule ? g_resourceModule : AfxGetInstanceHandle(); }
void AfxSetResourceHandle(HINSTANCE module) { g_resourceModule = module; }

CWinApp::CWinApp(LPCWSTR appName) : m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

const MessageMap* CWinApp::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::Command<ID_HELP, &CWinApp::OnHelp>(),
    };
    static const MessageMap map = MakeMessageMap(&CCmdTarget::GetThisMessageMap, entries);
    return &map;
}

BOOL CWinApp::InitInstance() {
    m_hInstance = AfxGetInstanceHandle();
    if (m_pszAppName == nullptr) {
        // Without a given name the application is named after its module.
        ::GetModuleFileNameW(m_hInstance, m_moduleName, MAX_PATH);
        wchar_t* name = m_moduleName;
        for (wchar_t* p = m_moduleName; *p; ++p)
            if (*p == L'\\' || *p == L'/')
                name = p + 1;
        for (wchar_t* p = name; *p; ++p)
            if (*p == L'.')
                *p = 0;
        m_pszAppName = name;
    }
    if (m_dwRestartManagerSupportFlags & AFX_RESTART_MANAGER_SUPPORT_RESTART) {
        using RegisterRestart = HRESULT(WINAPI*)(PCWSTR, DWORD);
        HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        auto registerRestart = AfxGetProcAddress<RegisterRestart>(kernel, "RegisterApplicationRestart");
        if (registerRestart != nullptr)
            m_bRestartRegistered = SUCCEEDED(registerRestart(L"", 0));
    }
    return TRUE;
}

int CWinApp::ExitInstance() {
    return static_cast<int>(AfxGetThreadState().msgCur.wParam);
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    ::OleInitialize(nullptr);
    if (app->InitInstance()) {
        // Applications that keep running after start-up get a plain loop.
        AfxThreadState& state = AfxGetThreadState();
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            state.msgCur = msg;
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            AfxDeleteTemporaryMap();
        }
        state.msgCur = msg;
    }
    ::OleUninitialize();
    return app->ExitInstance();
}
