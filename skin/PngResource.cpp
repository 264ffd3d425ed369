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
    IStream* stream = nullptr;
    *result = ::CreateStreamOnHGlobal(block, deleteOnRelease, &stream);
    return StreamPtr(SUCCEEDED(*result) ? stream : nullptr);
}
