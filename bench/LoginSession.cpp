#include "LoginSession.h"

#include <algorithm>
#include <vector>

#include "GameDialog.h"
#include "LoginActiveDlg.h"
#include "LoginApp.h"
#include "OccManager.h"
#include "ProcessFigures.h"
#include "resource.h"
#include "support/Script.h"
#include "support/Wait.h"

namespace {

constexpr DWORD kConfirmationTimeoutMs = 5000;

// A visible top-level window of this thread that is not among `known`.
HWND NewThreadWindow(const std::vector<HWND>& known) {
    for (HWND hWnd : ThreadTopWindows(::GetCurrentThreadId()))
        if (::IsWindowVisible(hWnd) && std::find(known.begin(), known.end(), hWnd) == known.end())
            return hWnd;
    return nullptr;
}

// Presses Enter in the next window this thread shows, from inside its
// modal loop; gives up at `deadline` (GetTickCount64 time).
void ConfirmNextDialog(Script& script, std::vector<HWND> known, ULONGLONG deadline, bool* answered) {
    script.Then([&script, known, deadline, answered] {
        if (HWND dialog = NewThreadWindow(known)) {
            ::PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
            *answered = true;
        } else if (::GetTickCount64() < deadline) {
            ConfirmNextDialog(script, known, deadline, answered);
        }
    });
}

}  // namespace

void PrepareLikeStartUp() {
    // As the application's start-up does, once in the process.
    if (theApp.m_pExternal != nullptr)
        return;
    theApp.CreateServices();
}

LoginSession::LoginSession() {
    PrepareLikeStartUp();
    m_window = std::make_unique<OpenLoginWindow>();
}

LoginSession::~LoginSession() = default;

bool LoginSession::Opened() const {
    return m_window->Opened();
}

void LoginSession::PageNavigates(const wchar_t* url) {
    if (m_window->backdrop.m_pPanel != nullptr)
        m_window->Panel().m_browser.Navigate(url);
}

CGameDialog* LoginSession::Game() const {
    return theApp.m_pGameDialog;
}

bool LoginSession::GameShown() const {
    return Game() != nullptr && Game()->IsWindowVisible();
}

bool LoginSession::BackToServerChoice() {
    CGameDialog* game = Game();
    if (game == nullptr)
        return false;
    Script script;
    bool answered = false;
    ConfirmNextDialog(script, ThreadTopWindows(::GetCurrentThreadId()),
                      ::GetTickCount64() + kConfirmationTimeoutMs, &answered);
    game->SendMessage(WM_COMMAND, IDC_BTN_SERVER);
    PumpPending();
    return answered && Game() == nullptr;
}
