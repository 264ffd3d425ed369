#include "UpdateLayeredTool.h"
#include "ProcAddress.h"

UpdateLayeredTool* UpdateLayeredTool::s_pInstance = nullptr;

UpdateLayeredTool* UpdateLayeredTool::Instance() {
    if (s_pInstance == nullptr)
        s_pInstance = new UpdateLayeredTool();
    return s_pInstance;
}

UpdateLayeredTool::UpdateLayeredTool(LPCWSTR library) : m_hUser32(::LoadLibraryW(library)) {
    m_pfnUpdateLayeredWindow = AfxGetProcAddress<UpdateLayeredWindowFn>(m_hUser32, "UpdateLayeredWindow");
    m_pfnSetLayeredWindowAttributes =
        AfxGetProcAddress<SetLayeredWindowAttributesFn>(m_hUser32, "SetLayeredWindowAttributes");
}

UpdateLayeredTool::~UpdateLayeredTool() {
    if (m_hUser32 != nullptr)
        ::FreeLibrary(m_hUser32);
}
