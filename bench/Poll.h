#pragma once
// Polling another thread's or process's state at a fine grain, with a
// deadline: for figures of a few milliseconds, where a coarser wait would
// be most of what it measures.
#include <windows.h>

#include "Clock.h"

// Looks at `condition` about once a millisecond until it holds or
// `timeoutMs` has passed. Returns whether it held.
template <class Condition>
bool PollUntil(Condition condition, double timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    while (!condition()) {
        if (NowMs() >= deadline)
            return false;
        ::Sleep(1);
    }
    return true;
}
