#include "StandInRegistration.h"

namespace {
// This process is 32-bit: the classes root is the 32-bit view, which is the
// one a 32-bit launcher reads.
constexpr wchar_t kServerKey[] = L"CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32";
}  // namespace

StandInRegistration::StandInRegistration(const std::wstring& dllPath) {
    if (::GetFileAttributesW(dllPath.c_str()) == INVALID_FILE_ATTRIBUTES ||
        ::RegOpenKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &m_key) != ERROR_SUCCESS) {
        m_key = nullptr;
        return;
    }
    DWORD size = 0;
    if (::RegQueryValueExW(m_key, nullptr, nullptr, &m_type, nullptr, &size) != ERROR_SUCCESS)
        return;
    m_before.resize(size);
    if (::RegQueryValueExW(m_key, nullptr, nullptr, &m_type, m_before.data(), &size) != ERROR_SUCCESS)
        return;
    const auto bytes = static_cast<DWORD>((dllPath.size() + 1) * sizeof(wchar_t));
    m_registered = ::RegSetValueExW(m_key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(dllPath.c_str()),
                                    bytes) == ERROR_SUCCESS;
}

StandInRegistration::~StandInRegistration() {
    if (m_registered)
        ::RegSetValueExW(m_key, nullptr, 0, m_type, m_before.data(), static_cast<DWORD>(m_before.size()));
    if (m_key != nullptr)
        ::RegCloseKey(m_key);
}
