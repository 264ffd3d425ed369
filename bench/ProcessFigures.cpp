#include "ProcessFigures.h"

#include <psapi.h>
#include <cstddef>

namespace {

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

// The platform answers 0 where it keeps no count (a process with windows
// always has some objects of either kind).
std::optional<DWORD> GuiObjects(DWORD kind) {
    const DWORD count = ::GetGuiResources(::GetCurrentProcess(), kind);
    return count == 0 ? std::nullopt : std::optional<DWORD>(count);
}

// One row of the system's handle list (SystemHandleInformation, class 16).
struct SystemHandleEntry {
    USHORT pid;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    void* object;
    ACCESS_MASK grantedAccess;
};

struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};

// This process's rows in the system's handle list, for platforms whose
// GetProcessHandleCount answers 0; 0 when the list cannot be read.
DWORD HandlesInSystemList() {
    using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr)
        return 0;
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<BYTE> buffer(1 << 16);
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
    const auto self = static_cast<USHORT>(::GetCurrentProcessId());
    DWORD own = 0;
    for (ULONG i = 0; i < list->count; ++i)
        own += list->entries[i].pid == self;
    return own;
}

DWORD KernelHandles() {
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count != 0 ? count : HandlesInSystemList();
}

// PagefileUsage is the commit charge, which PrivateUsage repeats on the
// platforms that fill it in.
std::size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                sizeof(memory)))
        return 0;
    return memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
}

// What the process's heaps hold for their callers now. Private bytes grow
// in the heaps' large steps; this grows by what is allocated.
std::size_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::size_t inUse = 0;
    for (HANDLE heap : heaps) {
        if (!::HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                inUse += entry.cbData;
        ::HeapUnlock(heap);
    }
    return inUse;
}

}  // namespace

ProcessFigures TakeProcessFigures() {
    ProcessFigures f;
    f.privateBytes = PrivateBytes();
    f.heapBytes = HeapBytesInUse();
    f.handles = KernelHandles();
    const std::vector<HWND> top = TopWindowsOf(::GetCurrentProcessId());
    f.topWindows = top.size();
    f.allWindows = top.size();
    for (HWND hWnd : top)
        ::EnumChildWindows(hWnd, &CountWindow, reinterpret_cast<LPARAM>(&f.allWindows));
    f.gdiObjects = GuiObjects(GR_GDIOBJECTS);
    f.userObjects = GuiObjects(GR_USEROBJECTS);
    return f;
}

std::vector<HWND> TopWindowsOf(DWORD pid) {
    std::vector<HWND> all, own;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND hWnd : all) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hWnd, &owner);
        if (owner == pid)
            own.push_back(hWnd);
    }
    return own;
}

std::vector<HWND> ThreadTopWindows(DWORD threadId) {
    std::vector<HWND> windows;
    ::EnumThreadWindows(threadId, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

ULONGLONG FileSize(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}
