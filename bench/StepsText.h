#pragma once
// The text a process that makes game windows hands its steps over in: one
// line a step ("kind<TAB>milliseconds<TAB>name"), "kind<TAB>end" after each
// window, "complete" at the very end; and the medians of such runs.
#include <string>
#include <vector>

#include "StepClock.h"

struct GameWindowSteps {
    std::vector<Step> first;                // the first game window of the process
    std::vector<std::vector<Step>> fresh;   // each one after it
    std::vector<std::vector<Step>> repeat;  // hidden, then handed over again
    bool complete = false;                  // the writer got to its end
};

// The lines of one window's steps of `kind` ("first", "fresh" or "repeat").
std::string StepsText(const char* kind, const std::vector<Step>& steps);
inline constexpr char kStepsComplete[] = "complete\n";

// Reads what StepsText wrote; lines it cannot read are skipped, and so are
// steps not closed by their end line.
GameWindowSteps ParseStepsText(const std::string& text);

// The median of each step (by position) over `runs`, named as in the first.
std::vector<Step> MedianSteps(const std::vector<std::vector<Step>>& runs);
