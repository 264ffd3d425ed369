#pragma once
// The launcher's windows, found from outside its process by what each of them
// is: the login backdrop, the login panel laid over it, the game window, and
// the dialogs and menus they open.
#include <windows.h>

#include <string>
#include <vector>

class LauncherWindows {
public:
    explicit LauncherWindows(DWORD pid) : m_pid(pid) {}

    // Top-level windows of the process, topmost first.
    std::vector<HWND> All() const;
    // Those of them on the screen or in the taskbar (minimised ones too).
    std::vector<HWND> Shown() const;
    // The unowned window "Vesmera".
    HWND Backdrop() const;
    // Owned by the backdrop and holding the login page's browser.
    HWND Panel() const;
    // Owned by the backdrop and called "Vesmera", shown or hidden.
    std::vector<HWND> GameWindows() const;
    HWND Game() const;  // the one game window, or null
    // Visible dialogs opened over the others: the confirmation (it has the
    // confirm button) and the cache cleaner's veil (a status line only).
    HWND Confirmation() const;
    HWND Veil() const;
    // A visible popup menu of the process.
    HWND PopupMenu() const;

private:
    HWND OpenedDialog(bool withConfirmButton) const;
    DWORD m_pid;
};

// What a layered window asked the system for.
struct LayeredAttributes {
    bool read = false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
LayeredAttributes LayeredAttributesOf(HWND window);

// The window that has the keyboard focus in the thread of `window`, or null.
HWND FocusOf(HWND window);

// The stand-in browser control's window inside `window`, or null.
HWND BrowserIn(HWND window);
// Text of control `id` of `dialog`, read across processes.
std::wstring ControlText(HWND dialog, int id);
RECT WindowRect(HWND window);
bool SameRect(const RECT& a, const RECT& b);
// "L,T,R,B", for failure messages.
std::string RectText(const RECT& r);
