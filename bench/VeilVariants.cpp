#include "VeilVariants.h"

#include "Clock.h"

namespace {

std::string MessageName(UINT message) {
    switch (message) {
    case WM_PAINT: return "WM_PAINT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_TIMER: return "WM_TIMER (the animation)";
    case WM_CTLCOLORSTATIC: return "WM_CTLCOLORSTATIC";
    case WM_CTLCOLORDLG: return "WM_CTLCOLORDLG";
    case WM_NULL: return "WM_NULL (the probes)";
    default: return message >= WM_APP ? "private messages (probes, the worker's end)" : "other messages";
    }
}

double ThreadCpuMs() {
    FILETIME created, ended, kernel, user;
    if (!::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user))
        return 0;
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

INT_PTR WatchedVeil::DoModal() {
    const double before = ThreadCpuMs();
    const INT_PTR result = CCleanCacheDlg::DoModal();
    threadCpuMs = ThreadCpuMs() - before;
    return result;
}

LRESULT WatchedVeil::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const double start = NowMs();
    const LRESULT result = CCleanCacheDlg::WindowProc(message, wParam, lParam);
    const double ms = NowMs() - start;
    Handled& h = handled[MessageName(message)];
    ++h.count;
    h.ms += ms;
    if (ms > h.longestMs)
        h.longestMs = ms;
    return result;
}

