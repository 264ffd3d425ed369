#pragma once
// A typed entry point looked up at run time; null when absent.
#include <windows.h>

template <class Function>
Function AfxGetProcAddress(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    // Through the generic function type, which converts to any other.
    auto generic = reinterpret_cast<void (*)()>(::GetProcAddress(module, name));
    return reinterpret_cast<Function>(generic);
}
