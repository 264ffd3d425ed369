#pragma once
// The browser's stores as a long-played game leaves them: many small files
// in many folders of the temporary Internet files, and URL cache entries
// with files of their own; the plain way of deleting such a tree; and looks
// at how far a deletion has got.
#include <string>
#include <vector>

struct CacheLoad {
    int folders = 200;
    int filesPerFolder = 100;
    int urlEntries = 5000;  // a tenth of them cookies
};

std::wstring InternetCacheFolder();
std::wstring CookiesFolder();

// The folders the URL cache keeps its entries' files in. Deleting the
// temporary Internet files takes them too, and the platform's cache makes
// no files without them, so they are noted before and made again after.
std::vector<std::wstring> UrlCacheFolders();

// Makes the load's folders and files in the temporary Internet files.
// False when any failed.
bool MakeCacheFolders(const CacheLoad& load);
// Makes the load's URL cache entries, each with its file. False when any
// failed.
bool MakeUrlCacheEntries(const CacheLoad& load);

// Deletes everything inside `folder` with DeleteFileW and RemoveDirectoryW,
// depth first, following no links, but the URL cache's index files; the
// folder itself stays. The number of files deleted.
int PlainDeleteWalk(const std::wstring& folder);

// The files at any depth inside `folder`.
int CountFiles(const std::wstring& folder);

// Empties both folders and the URL cache for the next run (untimed), and
// makes `urlCacheFolders` again.
void EmptyCache(const std::vector<std::wstring>& urlCacheFolders);

// `count` of the load's files, one from each of as many folders spread
// over the tree, and `count` of its page entries' addresses, spread alike.
std::vector<std::wstring> SampleFiles(const CacheLoad& load, int count);
std::vector<std::wstring> SampleAddresses(const CacheLoad& load, int count);
// How many of them are still there.
int FilesPresent(const std::vector<std::wstring>& files);
int EntriesPresent(const std::vector<std::wstring>& addresses);
