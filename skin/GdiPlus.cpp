#include "GdiPlus.h"

#include "Diagnostics.h"

Gdiplus::Status StartupGdiPlus(ULONG_PTR* token) {
    Gdiplus::GdiplusStartupInput input;  // version 1, nothing suppressed
    const Gdiplus::Status status = Gdiplus::GdiplusStartup(token, &input, nullptr);
    if (status != Gdiplus::Ok)
        AfxReportFailure("GdiplusStartup", static_cast<unsigned long>(status));
    return status;
}
