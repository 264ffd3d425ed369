#include "Diagnostics.h"

#include <windows.h>
#include <cstdio>

namespace {
const char* g_prefix = "application";
}  // namespace

void AfxSetReportPrefix(const char* prefix) {
    g_prefix = prefix;
}

void AfxReportFailure(const char* what, unsigned long code) {
    char line[256];
    const int length = std::snprintf(line, sizeof(line), "%s: %s failed, error %lu (0x%08lX)\n", g_prefix, what,
                                     code, code);
    if (length <= 0)
        return;
    wchar_t wide[sizeof(line)];
    int i = 0;
    for (; line[i] != '\0' && i < static_cast<int>(sizeof(line)) - 1; ++i)
        wide[i] = static_cast<unsigned char>(line[i]) < 0x80 ? static_cast<wchar_t>(line[i]) : L'?';
    wide[i] = L'\0';
    ::OutputDebugStringW(wide);
}
