#pragma once
// Owners of the platform handles the driver opens, closed when they go.
#include <windows.h>
#include <wininet.h>

template <class Kind>
class Owned {
public:
    explicit Owned(HANDLE handle = Kind::Invalid()) : m_handle(handle) {}
    ~Owned() {
        if (Valid())
            Kind::Close(m_handle);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    bool Valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

struct KernelHandle {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FileSearch {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
struct CacheSearch {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::FindCloseUrlCache(h); }
};

using FileHandle = Owned<KernelHandle>;
using FindHandle = Owned<FileSearch>;
using CacheFindHandle = Owned<CacheSearch>;
