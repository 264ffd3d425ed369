#pragma once
// Runs a modal dialog on this thread while a second thread measures how
// soon this thread answers the dialog's window: a SendMessage round trip,
// and a posted message until this thread's loop takes it. Optionally the
// second thread presses Escape in the window and times it to its closing.
#include <functional>
#include <optional>
#include <vector>

class CDialog;

struct ProbeResult {
    double modalMs = 0;                      // DoModal, from the call to its return
    std::vector<double> sendMs;              // SendMessage round trips
    std::vector<double> postMs;              // posted until taken by the loop
    std::optional<double> escapeToClosedMs;  // Escape posted until the window is hidden
};

// When to press Escape, asked on the probing thread between probes with
// the milliseconds since the window showed.
using EscapeWhen = std::function<bool(double sinceShownMs)>;

// Runs `dialog` modally and probes its window from when it shows until it
// closes. With `escapeWhen`, Escape goes to the window once it says so,
// and probing ends there.
ProbeResult RunProbedModal(CDialog& dialog, const EscapeWhen& escapeWhen = nullptr);
