#include "Screenshot.h"

#include <cstdio>
#include <string>

#include "support/Module.h"
#include "support/Wait.h"

namespace {
std::string ShotsFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("E2E_SHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? folder : "";
}

// The same Unix path as Wine's drive Z: sees it.
std::wstring OnDriveZ(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}
}  // namespace

bool ShotsWanted() {
    return !ShotsFolder().empty();
}

bool TakeShot(const char* name, const RECT& area) {
    const std::string file = ShotsFolder() + "/" + name + ".png";
    const std::wstring saved = OnDriveZ(file);
    ::DeleteFileW(saved.c_str());
    // Written under another name and renamed, so that the picture appears
    // whole. Wine hands out no usable handle for a Unix process: the file
    // itself tells when the program is done.
    char crop[64];
    std::snprintf(crop, sizeof(crop), "%ldx%ld+%ld+%ld", area.right - area.left, area.bottom - area.top, area.left,
                  area.top);
    const std::string command = "Z:\\bin\\sh -c \"import -window root -crop " + std::string(crop) + " +repage 'png:" +
                                file + ".part' && mv '" + file + ".part' '" + file + "'\"";
    const ChildProcess shooter(std::wstring(command.begin(), command.end()));
    return WaitUntil([&] { return ::GetFileAttributesW(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000);
}
