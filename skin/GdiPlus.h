#pragma once
// GDI+ through its C++ wrapper headers, which need the platform's headers
// included before them.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// Starts GDI+ into `token` (version 1, no debug callback, nothing
// suppressed, no output). Every user starts it for itself and keeps its own
// token; nobody shuts it down, so GDI+ lasts until the process ends.
Gdiplus::Status StartupGdiPlus(ULONG_PTR* token);
