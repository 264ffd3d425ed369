#pragma once
// Per-thread state of the framework: the window map, the message being
// processed (for Default), the last message a message loop took (for the
// exit code) and the window-creation hook.
#include <windows.h>
#include <memory>
#include <unordered_map>

class CWnd;

struct AfxThreadState {
    std::unordered_map<HWND, CWnd*> permanentMap;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaryMap;

    MSG lastSentMsg{};   // the message whose handler is running now
    MSG msgCur{};        // the last message a message loop took from the queue
    int dispatchDepth = 0;

    HHOOK creationHook = nullptr;
    CWnd* windowInit = nullptr;  // object to attach to the next window created
};

AfxThreadState& AfxGetThreadState();

// The window procedure of every window that has a CWnd attached.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Attaches `wnd` to the next window this thread creates, before that window
// receives its first message.
void AfxHookWindowCreate(CWnd* wnd);
void AfxUnhookWindowCreate();

// Runs the framework's pre-translation for a message taken from the queue:
// from the message's window outward through its parents and owners up to
// the main window, then the main window itself. TRUE when consumed.
BOOL AfxPreTranslateMessage(MSG* msg);

// Deletes the temporary window objects that FromHandle made, once no window
// procedure of this thread is running.
void AfxDeleteTemporaryMap();
