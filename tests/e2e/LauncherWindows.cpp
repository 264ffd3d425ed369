#include "LauncherWindows.h"

#include <cstdio>

#include "StandIn.h"

namespace {
struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid)
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK FindBrowser(HWND window, LPARAM param) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (lstrcmpW(name, standin::WindowClassName()) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

bool IsCalledVesmera(HWND window) {
    wchar_t text[32] = {};
    ::GetWindowTextW(window, text, 32);
    return lstrcmpW(text, L"Vesmera") == 0;
}

HWND OwnerOf(HWND window) {
    return ::GetWindow(window, GW_OWNER);
}
}  // namespace

std::vector<HWND> LauncherWindows::All() const {
    Search search{m_pid, {}};
    ::EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> LauncherWindows::Shown() const {
    std::vector<HWND> shown;
    for (HWND window : All())
        if (::IsWindowVisible(window))
            shown.push_back(window);
    return shown;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

HWND LauncherWindows::Backdrop() const {
    for (HWND window : All())
        if (OwnerOf(window) == nullptr && IsCalledVesmera(window))
            return window;
    return nullptr;
}

HWND LauncherWindows::Panel() const {
    const HWND backdrop = Backdrop();
    for (HWND window : All())
        if (backdrop && OwnerOf(window) == backdrop && !IsCalledVesmera(window) && BrowserIn(window))
            return window;
    return nullptr;
}

std::vector<HWND> LauncherWindows::GameWindows() const {
    std::vector<HWND> games;
    const HWND backdrop = Backdrop();
    for (HWND window : All())
        if (backdrop && OwnerOf(window) == backdrop && IsCalledVesmera(window))
            games.push_back(window);
    return games;
}

HWND LauncherWindows::Game() const {
    const std::vector<HWND> games = GameWindows();
    return games.size() == 1 ? games.front() : nullptr;
}

HWND LauncherWindows::OpenedDialog(bool withConfirmButton) const {
    const HWND backdrop = Backdrop(), panel = Panel();
    const std::vector<HWND> games = GameWindows();
    for (HWND window : All()) {
        if (window == backdrop || window == panel || !::IsWindowVisible(window) || ClassOf(window) != L"#32770")
            continue;
        bool isGame = false;
        for (HWND game : games)
            isGame = isGame || window == game;
        const bool hasConfirmButton = ::GetDlgItem(window, 1008) != nullptr;
        if (!isGame && hasConfirmButton == withConfirmButton)
            return window;
    }
    return nullptr;
}

HWND LauncherWindows::Confirmation() const {
    return OpenedDialog(true);
}

HWND LauncherWindows::Veil() const {
    return OpenedDialog(false);
}

HWND LauncherWindows::PopupMenu() const {
    for (HWND window : All())
        if (::IsWindowVisible(window) && ClassOf(window) == L"#32768")
            return window;
    return nullptr;
}

LayeredAttributes LayeredAttributesOf(HWND window) {
    LayeredAttributes a;
    a.read = ::GetLayeredWindowAttributes(window, &a.key, &a.alpha, &a.flags) != FALSE;
    return a;
}

HWND BrowserIn(HWND window) {
    HWND browser = nullptr;
    if (window)
        ::EnumChildWindows(window, &FindBrowser, reinterpret_cast<LPARAM>(&browser));
    return browser;
}

std::wstring ControlText(HWND dialog, int id) {
    const HWND control = ::GetDlgItem(dialog, id);
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    if (!control || !::SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                           5000, &copied))
        return {};
    return std::wstring(text, copied);
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != FALSE;
}

std::string RectText(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof(text), "%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
    return text;
}
