#pragma once
// Pictures of real runs for the README. When the environment variable
// E2E_SHOTS names a folder (a Unix path), TakeShot saves the part `area` of
// the screen there as NAME.png, with ImageMagick's import run as a Unix
// program (Wine starts those from CreateProcess).
#include <windows.h>

bool ShotsWanted();
// Returns once the picture is saved; false if it could not be.
bool TakeShot(const char* name, const RECT& area);
