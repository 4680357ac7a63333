// The application object: prepares the process and runs the main window.
#pragma once

#include <windows.h>

class CMediaPlayerApp {
 public:
  CMediaPlayerApp() = default;
  CMediaPlayerApp(const CMediaPlayerApp&) = delete;
  CMediaPlayerApp& operator=(const CMediaPlayerApp&) = delete;

  // Runs the main window modally and cleans up after it. Always FALSE: the
  // program has no message loop of its own once the window has closed.
  BOOL InitInstance();
};
