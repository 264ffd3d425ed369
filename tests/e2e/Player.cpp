#include "Player.h"

#include "LauncherWindows.h"
#include "StandIn.h"
#include "resource.h"
#include "support/Input.h"
#include "support/Wait.h"

namespace {
POINT MiddleOf(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void SendMouse(POINT screen, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

bool PointerAt(POINT screen) {
    POINT at{};
    return ::GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
}

void MovePointer(POINT screen) {
    SendMouse(screen, MOUSEEVENTF_MOVE);
    WaitUntil([&] { return PointerAt(screen); }, 2000);
}

// The pointer is moved first and the button pressed only once the system
// has it there, as a hand would. Press and release carry the position too:
// Wine moves the pointer back wherever the display server last reported
// it, and such a report can come late.
void Click(POINT screen) {
    MovePointer(screen);
    SendMouse(screen, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN);
    SendMouse(screen, MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP);
    ParkPointer();
}
}  // namespace

void ParkPointer() {
    MovePointer({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
}

bool ClickControl(HWND dialog, int id) {
    const HWND control = ::GetDlgItem(dialog, id);
    if (control == nullptr)
        return false;
    // Where another window lies over it, the click would go there.
    const POINT middle = MiddleOf(WindowRect(control));
    if (::WindowFromPoint(middle) != control)
        return false;
    Click(middle);
    return true;
}

void ClickClientPoint(HWND window, int x, int y) {
    Click(ClientToScreenPoint(window, x, y));
}

void ClickMiddle(HWND window) {
    Click(MiddleOf(WindowRect(window)));
}

void RightClickTrayIcon(HWND gameWindow) {
    // Posted: the game window tracks its menu inside the handler.
    ::PostMessageW(gameWindow, WM_TRAY_NOTIFY, 128, WM_RBUTTONUP);
}

void DoubleClickTrayIcon(HWND gameWindow) {
    ::PostMessageW(gameWindow, WM_TRAY_NOTIFY, 128, WM_LBUTTONDBLCLK);
}

bool FollowLink(HWND browser, int index) {
    return standin::ClickLink(browser, index);
}
