// The hourglass while a long operation runs on the window thread.
#pragma once

#include <windows.h>

class WaitCursor {
 public:
  WaitCursor() : previous(SetCursor(LoadCursor(NULL, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous;
};
