#pragma once
// A Unix symbolic link made from outside Wine's file APIs (Wine runs Unix
// programs when asked to start one), as a player's system might have it.
#include <string>

// Makes `link` (a Windows path) point to `target` (a Windows path), in
// place of a link there before.
bool MakeUnixSymlink(const std::wstring& target, const std::wstring& link);
// Removes the link `link` itself (Wine cannot without removing its target).
bool RemoveUnixLink(const std::wstring& link);
