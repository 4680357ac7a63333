#include "framework/MessageBox_win.h"

namespace {
MessageBoxFn g_handler = nullptr;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  if (g_handler != nullptr) return g_handler(owner, text, caption, type);
  return MessageBoxA(owner, text, caption, type);
}

MessageBoxFn SetMessageBoxHandler(MessageBoxFn handler) {
  MessageBoxFn previous = g_handler;
  g_handler = handler;
  return previous;
}
