#include "Script.h"

namespace {
constexpr UINT kRunStep = WM_APP + 0x3A;
constexpr wchar_t kClassName[] = L"TestScriptWindow";
}  // namespace

Script::Script() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Script::WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Script::~Script() {
    ::DestroyWindow(m_hWnd);
}

void Script::Then(std::function<void()> step) {
    m_steps.push_back(std::move(step));
    ::PostMessageW(m_hWnd, kRunStep, 0, 0);
}

LRESULT CALLBACK Script::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunStep) {
        auto* self = reinterpret_cast<Script*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (self != nullptr && !self->m_steps.empty()) {
            auto step = std::move(self->m_steps.front());
            self->m_steps.pop_front();
            step();
        }
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
