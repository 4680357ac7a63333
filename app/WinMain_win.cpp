// Process entry: everything happens in the application object.
#include <windows.h>

#include "MediaPlayerApp_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CMediaPlayerApp app;  // lives as long as the program runs
  app.InitInstance();
  return 0;
}
