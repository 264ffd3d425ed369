#include "ThreadState.h"
#include "Wnd.h"
#include "WinApp.h"

AfxThreadState& AfxGetThreadState() {
    thread_local AfxThreadState state;
    return state;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    AfxThreadState& state = AfxGetThreadState();
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    const MSG saved = state.lastSentMsg;
    state.lastSentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    ++state.dispatchDepth;
    // The handler may delete `wnd` (a command that tears down its own
    // window); nothing of it is touched after WindowProc returns, except for
    // WM_NCDESTROY, whose handling is where the object lets go of the window.
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        wnd->OnFinalNcDestroy();
    --state.dispatchDepth;
    state.lastSentMsg = saved;
    return result;
}

namespace {
LRESULT CALLBACK CreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
    AfxThreadState& state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state.windowInit != nullptr) {
        CWnd* wnd = state.windowInit;
        state.windowInit = nullptr;
        wnd->AttachAndSubclass(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(state.creationHook, code, wParam, lParam);
}
}  // namespace

void AfxHookWindowCreate(CWnd* wnd) {
    AfxThreadState& state = AfxGetThreadState();
    if (state.creationHook == nullptr)
        state.creationHook = ::SetWindowsHookExW(WH_CBT, CreationHookProc, nullptr, ::GetCurrentThreadId());
    state.windowInit = wnd;
}

void AfxUnhookWindowCreate() {
    AfxThreadState& state = AfxGetThreadState();
    if (state.creationHook != nullptr) {
        ::UnhookWindowsHookEx(state.creationHook);
        state.creationHook = nullptr;
    }
    state.windowInit = nullptr;
}

BOOL AfxPreTranslateMessage(MSG* msg) {
    CWnd* mainWnd = AfxGetMainWnd();
    HWND stop = mainWnd ? mainWnd->GetSafeHwnd() : nullptr;
    for (HWND h = msg->hwnd; h != nullptr && h != stop; h = ::GetParent(h)) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg))
            return TRUE;
    }
    return mainWnd != nullptr && mainWnd->GetSafeHwnd() != nullptr && mainWnd->PreTranslateMessage(msg);
}

void AfxDeleteTemporaryMap() {
    AfxThreadState& state = AfxGetThreadState();
    if (state.dispatchDepth == 0)
        state.temporaryMap.clear();
}
