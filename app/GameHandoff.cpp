#include "GameHandoff.h"
#include "GameDialog.h"
#include "LoginApp.h"
#include "resource.h"

CGameDialog* GetGameDialog() {
    if (theApp.m_pGameDialog != nullptr)
        return theApp.m_pGameDialog;
    theApp.m_pGameDialog = new CGameDialog(nullptr);
    // With no parent the login window becomes the owner.
    if (!theApp.m_pGameDialog->Create(IDD_GAME_DIALOG, nullptr)) {
        // Without a window there is nothing to hand over to; the next
        // hand-over tries again.
        delete theApp.m_pGameDialog;
        theApp.m_pGameDialog = nullptr;
        return nullptr;
    }
    theApp.m_pGameDialog->ShowWindow(SW_HIDE);
    return theApp.m_pGameDialog;
}

void OpenGame(LPCWSTR url) {
    CGameDialog* game = GetGameDialog();
    if (game == nullptr)
        return;
    game->m_browser.Navigate(url);
    game->ShowWindow(SW_SHOWNORMAL);
    ::SetActiveWindow(game->m_hWnd);
}

void CLoginApp::DestroyGameDialog() {
    if (m_pGameDialog == nullptr)
        return;
    // A plain pointer, not a unique_ptr, on purpose: it is cleared only once
    // the object is gone, so that whatever runs while the window is being
    // destroyed still finds the game window here. Its frame resources go
    // first, as closing it would release them; the destructor would too.
    CGameDialog* game = m_pGameDialog;
    game->ReleaseFrameResources();
    delete game;
    m_pGameDialog = nullptr;
}
