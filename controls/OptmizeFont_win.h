// The one font of the main window's controls, rebuilt at the height the layout
// computes from the window height.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "framework/Owners_win.h"

class COptmizeFont {
 public:
  // Makes the font at `height` pixels (0: the face's default height) the
  // current one. A height made before is reused: creating and matching a
  // font is slow on some systems, and a window takes only a few heights.
  void SetHeight(int height);
  HFONT Get() const { return current; }
  // The height the current font was made at; -1 before the first.
  int Height() const { return nHeight; }

 private:
  std::string strFaceName;
  std::map<int, GdiFont> fonts;  // by height
  HFONT current = NULL;
  int nHeight = -1;
};
