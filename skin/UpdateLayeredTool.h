#pragma once
// The two layering functions, looked up by name at run time rather than
// linked, once per process: a system without them (they came with layered
// windows) still starts the launcher, whose windows are then shown without
// their transparency instead of the program failing to load.
#include <windows.h>

class UpdateLayeredTool {
public:
    using UpdateLayeredWindowFn = decltype(&::UpdateLayeredWindow);
    using SetLayeredWindowAttributesFn = decltype(&::SetLayeredWindowAttributes);

    // The process's tool, made on first use and kept until the process ends,
    // also when the library could not be loaded (it is never tried again).
    static UpdateLayeredTool* Instance();

    // Loads `library` and looks both functions up; whatever is missing stays null.
    explicit UpdateLayeredTool(LPCWSTR library = L"User32.DLL");
    virtual ~UpdateLayeredTool();
    UpdateLayeredTool(const UpdateLayeredTool&) = delete;
    UpdateLayeredTool& operator=(const UpdateLayeredTool&) = delete;

    HMODULE m_hUser32 = nullptr;
    UpdateLayeredWindowFn m_pfnUpdateLayeredWindow = nullptr;
    SetLayeredWindowAttributesFn m_pfnSetLayeredWindowAttributes = nullptr;

private:
    static UpdateLayeredTool* s_pInstance;
};
