#pragma once
// The browser's stores as a long-played game leaves them: URL cache entries
// (pages and cookies, each with its file) and loose files in the cookies and
// temporary Internet files folders; and what is left of them later.
#include <windows.h>

#include <string>

std::wstring SpecialFolder(int csidl);

// Makes `count` entries of `type` whose addresses begin with `urlPrefix`;
// returns how many were made.
int AddCacheEntries(const std::wstring& urlPrefix, int count, DWORD type);
// Entries whose address begins with `urlPrefix`.
int CountCacheEntries(const std::wstring& urlPrefix);

// Makes `count` files named "<namePrefix>N.dat" in sub-folders of `folder`
// (themselves named after the prefix), the first one read-only; returns how
// many were made.
int AddFiles(const std::wstring& folder, const std::wstring& namePrefix, int count);
// Files and folders at any depth below `folder` whose names begin with
// `namePrefix`.
int CountNamed(const std::wstring& folder, const std::wstring& namePrefix);

bool WriteSmallFile(const std::wstring& path);
bool Exists(const std::wstring& path);
