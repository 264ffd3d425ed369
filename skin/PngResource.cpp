#include "PngResource.h"

PngResourceBytes FindPngResource(HMODULE module, LPCWSTR name) {
    HRSRC resource = ::FindResourceW(module, name, L"PNG");
    if (resource == nullptr)
        return {};
    const DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (data == nullptr)
        return {};
    return {data, size};
}

StreamPtr CreateStreamOnBlock(HGLOBAL block, BOOL deleteOnRelease, HRESULT* result) {
    StreamPtr stream;
    *result = ::CreateStreamOnHGlobal(block, deleteOnRelease, stream.Put());
    if (FAILED(*result))
        stream.Reset();
    return stream;
}
