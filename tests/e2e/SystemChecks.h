#pragma once
// What the launcher holds of the system while it runs and must give back:
// its notification-area icon, the F10 and F11 hotkeys, and (never) a
// registry key of its own.
#include <windows.h>

// Whether the notification area holds the game window's icon.
bool TrayIconExists(HWND gameWindow);
// Whether this process could take F10 and F11 (no modifiers) now.
bool HotKeysFree();
// Whether the framework's registry key exists under HKCU or HKLM.
bool FrameworkKeyExists();
