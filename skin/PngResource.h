#pragma once
// What both PNG loaders share: the bytes of a "PNG" resource, and a stream
// over a global memory block.
#include <windows.h>
#include <objidl.h>

#include "ComPtr.h"

struct PngResourceBytes {
    const void* data = nullptr;  // null when the resource is missing or unreadable
    DWORD size = 0;
};

// Also says so in the debug output when there is no such resource.
PngResourceBytes FindPngResource(HMODULE module, LPCWSTR name);
// One line of debug output: `step` of PNG resource `name` failed.
void ReportPngFailure(LPCWSTR name, const char* step, unsigned long code);

using StreamPtr = ComPtr<IStream>;

// A stream over `block`; with `deleteOnRelease` the stream frees the block
// when its last reference goes. `result` gets the creation's result.
StreamPtr CreateStreamOnBlock(HGLOBAL block, BOOL deleteOnRelease, HRESULT* result);
