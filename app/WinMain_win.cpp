// Process entry: everything happens in the application object.
#include <windows.h>

#include "MediaPlayerApp_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  theApp.InitInstance();
  return 0;
}
