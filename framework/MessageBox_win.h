// Every message box of the program goes through here, so a test can answer it.
#pragma once

#include <windows.h>

using MessageBoxFn = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// Shows the box (or asks the installed replacement) and returns the answer (IDYES...).
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Replaces the box; nullptr restores the real one. Returns the previous replacement.
MessageBoxFn SetMessageBoxHandler(MessageBoxFn handler);

// The program's caption for its boxes.
constexpr const char kAppTitle[] = "PLAYER";
