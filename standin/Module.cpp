#include "Module.h"

#include "StandIn.h"

namespace standin {
namespace {
LONG g_objects = 0;
LONG g_locks = 0;
}  // namespace

LiveObject::LiveObject() { ::InterlockedIncrement(&g_objects); }
LiveObject::~LiveObject() { ::InterlockedDecrement(&g_objects); }

LONG LiveObjects() { return g_objects; }

void LockModule(bool lock) {
    if (lock)
        ::InterlockedIncrement(&g_locks);
    else
        ::InterlockedDecrement(&g_locks);
}

bool ModuleInUse() { return g_objects != 0 || g_locks != 0; }

HINSTANCE ModuleInstance() {
    // The module this code is linked into: the DLL, or the test program.
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
    return module;
}
}  // namespace standin
