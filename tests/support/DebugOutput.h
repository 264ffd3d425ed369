#pragma once
// The lines this process writes with OutputDebugString while one of these
// lives, caught as a debugger would see them: by a vectored exception
// handler, which sees the exception the call raises before anyone else.
#include <windows.h>

#include <string>
#include <vector>

class DebugOutput {
public:
    DebugOutput();
    ~DebugOutput();
    DebugOutput(const DebugOutput&) = delete;
    DebugOutput& operator=(const DebugOutput&) = delete;

    std::vector<std::string> Lines() const;
    // Whether a line holds every one of `parts`.
    bool Has(std::initializer_list<const char*> parts) const;

private:
    PVOID m_handler;
};
