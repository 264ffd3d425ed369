// What COM asks of an in-process server DLL.
#include <windows.h>

#include "Module.h"
#include "StandIn.h"

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return standin::GetClassObject(clsid, iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return standin::ModuleInUse() ? S_FALSE : S_OK; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH)
        ::DisableThreadLibraryCalls(instance);
    else if (reason == DLL_PROCESS_DETACH)
        ::UnregisterClassW(standin::WindowClassName(), instance);
    return TRUE;
}
