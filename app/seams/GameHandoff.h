#pragma once
// A seam between the windows: the single game window and the hand-over of
// game addresses to it, used by the login panel, defined by the
// application, which owns the game window.
#include <windows.h>

class CGameDialog;

// The game window, created (hidden) on first use.
CGameDialog* GetGameDialog();
// Sends a game address to the game window and brings the window forward.
void OpenGame(LPCWSTR url);
