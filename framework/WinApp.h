#pragma once
// The application object and the program entry.
#include "CmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    // Framework start-up: registers with the restart manager when
    // m_dwRestartManagerSupportFlags asks for it.
    virtual BOOL InitInstance();
    // The process exit code: the wParam of the last message a message loop
    // took from the queue (a quit message's code).
    virtual int ExitInstance();

    // Names the registry key the framework would keep settings under; the
    // framework itself reads and writes nothing there.
    void SetRegistryKey(LPCWSTR key) { m_pszRegistryKey = key; }
    void OnHelp() {}  // no help file

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;
    // Whether the restart-manager registration was made (for inspection).
    bool m_bRestartRegistered = false;

private:
    wchar_t m_moduleName[MAX_PATH] = {};
};

constexpr DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x01;
constexpr UINT ID_HELP = 0xE146;

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// Runs the application object: OLE start, InitInstance, (a message loop
// only if InitInstance returned TRUE), ExitInstance, OLE end.
int AfxWinMain();
