#include "TopWindow_win.h"

namespace wintest {

std::string ToWindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

namespace {

struct Search {
  const std::string* text;
  DWORD processId;
  HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
  Search& s = *reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (s.processId != 0 && owner != s.processId) return TRUE;
  if (!IsWindowVisible(hwnd)) return TRUE;
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof(text));
  if (*s.text != text) return TRUE;
  s.found = hwnd;
  return FALSE;
}

}  // namespace

HWND WaitForTopWindow(const std::string& text, DWORD processId, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    Search s = {&text, processId, NULL};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    if (s.found || GetTickCount64() >= end) return s.found;
    Sleep(100);
  }
}

}  // namespace wintest
