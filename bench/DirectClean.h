#pragma once
// The cleaner's worker's calls made directly, in its order, with no window
// and no thread of its own: two passes over the URL cache, each enumerating
// every entry with a size query and a fetch and deleting the entries of its
// kind (cookies first, then the rest), and two folder walks (cookies, then
// the temporary Internet files) that resolve every entry to check that it
// lies inside its folder, clear the read-only attribute and delete each
// file with SHFileOperationW. Each kind of call is timed as it runs.
#include <string>

struct DirectCleanFigures {
    double totalMs = 0;
    double cookiePassMs = 0, cookieWalkMs = 0, pagePassMs = 0, cacheWalkMs = 0;
    // By kind of call, over all four steps.
    double enumerateMs = 0;     // FindFirst/FindNextUrlCacheEntryW, size queries and fetches
    double deleteEntryMs = 0;   // DeleteUrlCacheEntryW
    double listMs = 0;          // FindFirstFileW/FindNextFileW
    double resolveMs = 0;       // opening each entry, GetFinalPathNameByHandleW
    double attributesMs = 0;    // GetFileAttributesW (and SetFileAttributesW)
    double deleteFileMs = 0;    // SHFileOperationW
    double removeFolderMs = 0;  // RemoveDirectoryW
    int entries = 0, files = 0;
};

DirectCleanFigures CleanDirectly();
