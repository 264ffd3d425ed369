#pragma once
// Waiting on conditions with a deadline, while this thread's windows keep
// getting their messages.
#include <windows.h>
#include <functional>

// Dispatches this thread's messages until `condition` holds or `timeoutMs`
// has passed. Returns whether the condition held.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Dispatches what is queued now (and what that queues in turn), without
// waiting for anything else.
void PumpPending();

// Waits (without pumping) until `condition` holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
