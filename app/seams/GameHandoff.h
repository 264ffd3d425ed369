#pragma once
// The single game window and the hand-over of game addresses to it.
#include <windows.h>

class CGameDialog;

// The game window, created (hidden) on first use.
CGameDialog* GetGameDialog();
// Sends a game address to the game window and brings the window forward.
void OpenGame(LPCWSTR url);
