#pragma once
// What this process holds: memory, kernel handles, windows and the GDI and
// USER objects where the platform counts them.
#include <windows.h>
#include <cstddef>
#include <optional>
#include <vector>

struct ProcessFigures {
    std::size_t privateBytes = 0;
    std::size_t heapBytes = 0;   // in use in the process's heaps, a finer view
    DWORD handles = 0;
    std::size_t topWindows = 0;  // top-level windows of the process
    std::size_t allWindows = 0;  // the same with all their descendants
    std::optional<DWORD> gdiObjects, userObjects;  // none where not reported
};

ProcessFigures TakeProcessFigures();

// The top-level windows of process `pid`, in the system's order.
std::vector<HWND> TopWindowsOf(DWORD pid);
// The top-level windows of thread `threadId`, in the system's order.
std::vector<HWND> ThreadTopWindows(DWORD threadId);

// The size of `path` in bytes; 0 when it cannot be read.
ULONGLONG FileSize(const wchar_t* path);
