#pragma once
// The launcher's application object: the process-wide state the windows
// meet through (the game window's teardown, the external object), and the
// only code that knows every window.
#include "WinApp.h"

class CGameDialog;
class CImpIDispatch;

class CLoginApp : public CWinApp {
public:
    CLoginApp();
    ~CLoginApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Releases and destroys the game window, if there is one.
    void DestroyGameDialog();

    // What every window is made with, made as start-up makes it (tests make
    // it the same way): the launcher's control site for every hosted
    // control, and the one window.external.
    void CreateServices();
    // The external object goes whatever its reference count says.
    void DeleteServices();

    // Filled by start-up's GDI+ start; kept, though nothing reads it and
    // no shutdown is ever made with it (GDI+ lasts as long as the process).
    ULONG_PTR m_gdiplusToken = 0;
    CImpIDispatch* m_pExternal = nullptr;  // the one window.external
    CGameDialog* m_pGameDialog = nullptr;  // the single game window, if any

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

extern CLoginApp theApp;

// The registry key the framework is told about; nothing is stored there.
inline constexpr wchar_t kRegistryKeyName[] = L"应用程序向导生成的本地应用程序";
