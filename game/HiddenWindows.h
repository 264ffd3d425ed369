#pragma once
// The launcher's windows that the boss key took off the screen, and how each
// of them was, so that they come back exactly as they were.
#include <windows.h>

#include <vector>

class CHiddenWindows {
public:
    // Hides every window of this thread that is on the screen or in the
    // taskbar (minimised ones too), and notes which of them was active.
    void HideAll();
    // Shows again what HideAll hid, in its order and minimised where it was;
    // the window that was active is active again.
    void BringBack();
    bool Empty() const { return m_windows.empty(); }

private:
    struct Hidden {
        HWND hWnd;
        bool minimised;
    };
    std::vector<Hidden> m_windows;  // topmost first
    HWND m_hWndActive = nullptr;
};
