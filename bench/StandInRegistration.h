#pragma once
// The stand-in browser control as the WebBrowser class's in-process server
// for the programs this process starts, for as long as the object lives;
// then the registration the prefix had before comes back.
#include <windows.h>
#include <string>
#include <vector>

class StandInRegistration {
public:
    explicit StandInRegistration(const std::wstring& dllPath);
    ~StandInRegistration();
    StandInRegistration(const StandInRegistration&) = delete;
    StandInRegistration& operator=(const StandInRegistration&) = delete;

    bool Registered() const { return m_registered; }

private:
    HKEY m_key = nullptr;
    DWORD m_type = 0;
    std::vector<BYTE> m_before;  // the default value as it was
    bool m_registered = false;
};
