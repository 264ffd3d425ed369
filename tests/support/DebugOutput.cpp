#include "DebugOutput.h"

#include <mutex>

namespace {
std::mutex g_mutex;
std::vector<std::string>* g_lines = nullptr;

LONG CALLBACK CatchDebugString(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    const bool narrow = record->ExceptionCode == DBG_PRINTEXCEPTION_C;
    const bool wide = record->ExceptionCode == DBG_PRINTEXCEPTION_WIDE_C;
    if ((narrow || wide) && record->NumberParameters >= 2 && record->ExceptionInformation[1] != 0) {
        std::string line;
        if (narrow) {
            line = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        } else {
            for (const wchar_t* c = reinterpret_cast<const wchar_t*>(record->ExceptionInformation[1]); *c; ++c)
                line += *c < 0x80 ? static_cast<char>(*c) : '?';
        }
        const std::lock_guard<std::mutex> lock(g_mutex);
        if (g_lines != nullptr)
            g_lines->push_back(line);
    }
    return EXCEPTION_CONTINUE_SEARCH;  // the system still gives it to a debugger
}

std::vector<std::string> g_captured;
}  // namespace

DebugOutput::DebugOutput() {
    {
        const std::lock_guard<std::mutex> lock(g_mutex);
        g_captured.clear();
        g_lines = &g_captured;
    }
    m_handler = ::AddVectoredExceptionHandler(1, &CatchDebugString);
}

DebugOutput::~DebugOutput() {
    ::RemoveVectoredExceptionHandler(m_handler);
    const std::lock_guard<std::mutex> lock(g_mutex);
    g_lines = nullptr;
}

std::vector<std::string> DebugOutput::Lines() const {
    const std::lock_guard<std::mutex> lock(g_mutex);
    return g_captured;
}

bool DebugOutput::Has(std::initializer_list<const char*> parts) const {
    for (const std::string& line : Lines()) {
        bool all = true;
        for (const char* part : parts)
            all = all && line.find(part) != std::string::npos;
        if (all)
            return true;
    }
    return false;
}
