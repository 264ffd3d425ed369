#pragma once
// The record of what the control asked its host and what the host answered.
#include <string>

namespace standin {
// Appends one line (UTF-8) to the in-process record and, when STANDIN_LOG
// names a file, to that file.
void WriteLog(const std::string& line);
}  // namespace standin
