#pragma once
// Reading the stand-in browser control's record in the test's own process.
#include <algorithm>
#include <string>
#include <vector>

#include "StandIn.h"

// Addresses in the record are UTF-8; the tests' addresses are ASCII.
inline std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

inline bool Logged(const std::string& line) {
    const auto lines = standin::LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The lines that start with `prefix`, oldest first.
inline std::vector<std::string> LoggedStartingWith(const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : standin::LogLines()) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            found.push_back(line);
    }
    return found;
}
