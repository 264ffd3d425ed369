#pragma once
// The cleaner's veil as it is, watched from inside its own thread, to see
// what it adds to the clean.
#include <map>
#include <string>

#include "CleanCacheDlg.h"

// The veil as it is, timing its window procedure by message on its
// user-interface thread (the status line's own painting is the static
// control's, not in these figures) and that thread's processor time.
class WatchedVeil : public CCleanCacheDlg {
public:
    struct Handled {
        int count = 0;
        double ms = 0, longestMs = 0;
    };
    std::map<std::string, Handled> handled;  // by message
    double threadCpuMs = 0;                  // of this thread, from DoModal's start to its end

    INT_PTR DoModal() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

