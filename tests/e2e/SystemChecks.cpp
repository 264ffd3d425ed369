#include "SystemChecks.h"

#include <shellapi.h>

namespace {
constexpr UINT kTrayIconId = 128;
constexpr wchar_t kFrameworkKey[] = L"Software\\应用程序向导生成的本地应用程序";

bool KeyExists(HKEY root) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, kFrameworkKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}
}  // namespace

bool TrayIconExists(HWND gameWindow) {
    // Modifying an icon succeeds only while it is there.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = gameWindow;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_TIP;
    lstrcpyW(icon.szTip, L"Vesmera");
    return ::Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

bool HotKeysFree() {
    // Thread hotkeys: no window needed to try.
    const bool f10 = ::RegisterHotKey(nullptr, 1, 0, VK_F10) != FALSE;
    const bool f11 = ::RegisterHotKey(nullptr, 2, 0, VK_F11) != FALSE;
    if (f10)
        ::UnregisterHotKey(nullptr, 1);
    if (f11)
        ::UnregisterHotKey(nullptr, 2);
    return f10 && f11;
}

bool FrameworkKeyExists() {
    return KeyExists(HKEY_CURRENT_USER) || KeyExists(HKEY_LOCAL_MACHINE);
}
