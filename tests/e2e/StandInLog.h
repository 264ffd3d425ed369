#pragma once
// The stand-in browser control's log, as the launcher's process appends it to
// the file named by the environment variable STANDIN_LOG (one line a step).
#include <windows.h>

#include <string>
#include <vector>

class StandInLog {
public:
    StandInLog();
    bool Available() const { return !m_path.empty(); }
    std::vector<std::string> Lines() const;
    // How many lines begin with `prefix`.
    size_t Count(const std::string& prefix) const;
    // Starts the log afresh, between two runs of the launcher.
    void Clear() const;

private:
    std::wstring m_path;
};

// The log's line prefix of a fetch of `url` answered with 200.
std::string FetchedOk(const std::string& url);
