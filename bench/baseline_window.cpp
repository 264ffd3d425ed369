// The start-up baseline: the least a Win32 program does to show one layered
// window. It ends with exit code 0 when the window is closed.
#include <windows.h>

namespace {
constexpr wchar_t kClassName[] = L"BenchBaselineWindow";

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_APPWINDOW, kClassName, L"Bench baseline", WS_POPUP, 80, 80,
                                    1120, 693, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ::SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
    ::ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return static_cast<int>(msg.wParam);
}
