// close-window.exe TEXT [TIMEOUT_MS]: asks the top-level window with that text to
// close (WM_CLOSE, as Alt+F4 would) and waits for it to go away.
// Exit code 0 when it closed, 1 when no such window was found, 2 when it stayed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "TopWindow_win.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: close-window TEXT [TIMEOUT_MS]\n");
    return 2;
  }
  const DWORD timeoutMs = argc == 3 ? static_cast<DWORD>(std::strtoul(argv[2], NULL, 10)) : 5000;
  HWND window = wintest::WaitForTopWindow(argv[1], 0, timeoutMs);
  if (!window) {
    std::fprintf(stderr, "close-window: no window \"%s\"\n", argv[1]);
    return 1;
  }
  PostMessage(window, WM_CLOSE, 0, 0);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (IsWindow(window)) {
    if (GetTickCount64() >= end) {
      std::fprintf(stderr, "close-window: \"%s\" is still open\n", argv[1]);
      return 2;
    }
    Sleep(50);
  }
  return 0;
}
