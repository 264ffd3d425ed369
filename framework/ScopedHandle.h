#pragma once
// Handles closed when their owner goes out of scope, one kind a traits type.
#include <windows.h>
#include <wininet.h>

template <class Traits>
class Scoped {
public:
    using Handle = typename Traits::Handle;

    explicit Scoped(Handle handle = Traits::Invalid()) : m_handle(handle) {}
    ~Scoped() {
        if (Valid())
            Traits::Close(m_handle);
    }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

    Handle Get() const { return m_handle; }
    bool Valid() const { return m_handle != Traits::Invalid(); }

private:
    Handle m_handle;
};

// Events, threads and other kernel objects: null when there is none.
struct KernelObjectTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
// Files from CreateFileW: INVALID_HANDLE_VALUE when there is none.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
// Folder listings from FindFirstFileW.
struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
// URL cache listings from FindFirstUrlCacheEntryW.
struct CacheFindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FindCloseUrlCache(h); }
};

using KernelObject = Scoped<KernelObjectTraits>;
using FileHandle = Scoped<FileTraits>;
using FindHandle = Scoped<FindTraits>;
using CacheFindHandle = Scoped<CacheFindTraits>;
