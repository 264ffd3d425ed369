#include "GdiPlus.h"

Gdiplus::Status StartupGdiPlus(ULONG_PTR* token) {
    Gdiplus::GdiplusStartupInput input;  // version 1, nothing suppressed
    return Gdiplus::GdiplusStartup(token, &input, nullptr);
}
