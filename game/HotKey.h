#pragma once
// A global hotkey (no modifier keys) of one window under an identifier its
// owner keeps, given back when released.
#include <windows.h>

class CHotKey {
public:
    explicit CHotKey(const int& id) : m_id(id) {}
    ~CHotKey() { Release(); }
    CHotKey(const CHotKey&) = delete;
    CHotKey& operator=(const CHotKey&) = delete;

    // False when another program holds the key; the key then does nothing
    // here, and a line of debug output says so.
    bool Register(HWND window, UINT virtualKey, const char* name);
    void Release();

private:
    const int& m_id;
    HWND m_hWnd = nullptr;  // while registered
};
