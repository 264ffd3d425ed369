#pragma once
// The runs the cleaner's figures come from: filling the cache, the veil's
// clean, the plain walk and the worker's steps one by one, each timed; when
// to press Escape in a clean; and the idle dialog the answers and Escape
// are held against.
#include <optional>
#include <string>
#include <vector>

#include "CacheTree.h"
#include "ModalProbe.h"

// The idle dialog's answers, gathered in short runs between the cleans so
// that they meet the machine as the cleans do.
struct IdleBaseline {
    std::vector<double> sendMs, postMs, escapeMs;
    // One more run of a second, ended with Escape.
    void Measure();
};

enum class Fill { Everything, FoldersOnly, EntriesOnly };

// Fills the cache with the load, or a part of it. False when anything
// could not be made.
bool FillCache(const CacheLoad& load, Fill what);

// Milliseconds of each: the veil from its showing to its closing; the plain
// walk of both folders.
double TimeVeil();
double TimePlainWalk();

// Escape once no more than half of `sample` is left, by `present`.
EscapeWhen WhenHalfGone(std::vector<std::wstring> sample, int (*present)(const std::vector<std::wstring>&));

// A veil's clean with Escape when `when` says: from Escape to the veil
// closed, or nothing when it closed before.
std::optional<double> EscapeToClosed(EscapeWhen when);
