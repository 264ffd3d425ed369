#include "PngResource.h"

#include <cstdio>

#include "Diagnostics.h"

void ReportPngFailure(LPCWSTR name, const char* step, unsigned long code) {
    char what[80];
    if (IS_INTRESOURCE(name))
        std::snprintf(what, sizeof(what), "%s PNG resource %u", step, static_cast<unsigned>(LOWORD(name)));
    else
        std::snprintf(what, sizeof(what), "%s a named PNG resource", step);
    AfxReportFailure(what, code);
}

PngResourceBytes FindPngResource(HMODULE module, LPCWSTR name) {
    HRSRC resource = ::FindResourceW(module, name, L"PNG");
    if (resource == nullptr) {
        ReportPngFailure(name, "finding", ::GetLastError());
        return {};
    }
    const DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        ReportPngFailure(name, "loading", ::GetLastError());
        return {};
    }
    return {data, size};
}

StreamPtr CreateStreamOnBlock(HGLOBAL block, BOOL deleteOnRelease, HRESULT* result) {
    StreamPtr stream;
    *result = ::CreateStreamOnHGlobal(block, deleteOnRelease, stream.Put());
    if (FAILED(*result))
        stream.Reset();
    return stream;
}
