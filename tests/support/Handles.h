#pragma once
// The framework's scoped handles, and the kinds only tests hold.
#include "ScopedHandle.h"

struct HookTraits {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
};
using HookHandle = Scoped<HookTraits>;
