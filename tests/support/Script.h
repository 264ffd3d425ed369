#pragma once
// Runs test steps from inside a message loop the test does not own (a modal
// dialog's): each step is posted to a hidden window and runs when the loop
// takes it, after everything queued before it.
#include <windows.h>
#include <deque>
#include <functional>

class Script {
public:
    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Queues `step`; it runs once every message posted earlier is handled.
    void Then(std::function<void()> step);
    HWND Window() const { return m_hWnd; }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd = nullptr;
    std::deque<std::function<void()>> m_steps;
};
