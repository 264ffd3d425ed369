#pragma once
// A window's whole-window device context (GetWindowDC), held until Release
// or the holder's end.
#include <windows.h>

class CWindowDCHolder {
public:
    CWindowDCHolder() = default;
    ~CWindowDCHolder() { Release(); }
    CWindowDCHolder(const CWindowDCHolder&) = delete;
    CWindowDCHolder& operator=(const CWindowDCHolder&) = delete;

    // Gives back any context held before.
    HDC Acquire(HWND window) {
        Release();
        m_hDC = ::GetWindowDC(window);
        m_hWnd = m_hDC ? window : nullptr;
        return m_hDC;
    }
    void Release() {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
        m_hDC = nullptr;
        m_hWnd = nullptr;
    }
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd = nullptr;
    HDC m_hDC = nullptr;
};
