#pragma once
// Real input through SendInput, as a player's mouse and keyboard give it.
#include <windows.h>

// Moves the pointer to `screen` and clicks the left button there.
void ClickAt(POINT screen);
// Presses and releases `key`.
void PressKey(WORD key);
// Presses `key` while `modifier` is held (VK_MENU, VK_F4: Alt+F4).
void PressKeyWith(WORD modifier, WORD key);
// The screen point of client point (x, y) of `wnd`.
POINT ClientToScreenPoint(HWND wnd, int x, int y);
