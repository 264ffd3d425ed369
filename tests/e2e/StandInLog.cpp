#include "StandInLog.h"

#include "support/Handles.h"

StandInLog::StandInLog() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"STANDIN_LOG", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        m_path = path;
}

std::vector<std::string> StandInLog::Lines() const {
    std::vector<std::string> lines;
    // The launcher may be appending while we read.
    const FileHandle file(::CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return lines;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0)
        text.append(buffer, got);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

size_t StandInLog::Count(const std::string& prefix) const {
    size_t count = 0;
    for (const std::string& line : Lines())
        count += line.compare(0, prefix.size(), prefix) == 0;
    return count;
}

void StandInLog::Clear() const {
    ::DeleteFileW(m_path.c_str());
}

std::string FetchedOk(const std::string& url) {
    return "Fetch url=" + url + " status=200 ";
}
