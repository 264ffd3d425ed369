#include "HiddenWindows.h"

#include <commctrl.h>
#include <algorithm>

namespace {
// Windows that belong to a moment (a tooltip, an open menu) are not the
// launcher's to bring back.
bool IsPassing(HWND window) {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return ::lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 || ::lstrcmpW(name, L"#32768") == 0;
}

BOOL CALLBACK CollectShown(HWND window, LPARAM windows) {
    if (::IsWindowVisible(window) && !IsPassing(window))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}
}  // namespace

void CHiddenWindows::HideAll() {
    std::vector<HWND> shown;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectShown, reinterpret_cast<LPARAM>(&shown));
    if (shown.empty())
        return;
    m_hWndActive = ::GetActiveWindow();
    for (HWND window : shown) {
        const bool known = std::any_of(m_windows.begin(), m_windows.end(),
                                       [window](const Hidden& h) { return h.hWnd == window; });
        if (!known)
            m_windows.push_back({window, ::IsIconic(window) != FALSE});
    }
    for (HWND window : shown)
        ::ShowWindow(window, SW_HIDE);
}

void CHiddenWindows::BringBack() {
    std::vector<Hidden> windows;
    windows.swap(m_windows);
    // Bottom first, so that each comes back above the ones below it.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (::IsWindow(it->hWnd))
            ::ShowWindow(it->hWnd, it->minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNA);
    const HWND active = m_hWndActive;
    m_hWndActive = nullptr;
    if (active != nullptr && ::IsWindowVisible(active) && !::IsIconic(active)) {
        ::SetForegroundWindow(active);
        ::SetActiveWindow(active);
    }
}
