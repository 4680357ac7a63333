// The one font of the main window's controls, rebuilt at the height the layout
// computes from the window height.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Owners_win.h"

class COptmizeFont {
 public:
  // Rebuilds the font at `height` pixels (0: the face's default height).
  void SetHeight(int height);
  HFONT Get() const { return font.Get(); }

 private:
  std::string strFaceName;
  GdiFont font;
};
