// A picture kept as a custom resource of the executable (any format the
// system's picture loader reads), drawn stretched into a rectangle.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include "framework/Owners_win.h"

class CPicture {
 public:
  virtual ~CPicture() = default;
  // Loads resource `name` of type `type`; the previous picture goes first.
  bool LoadResourceImage(const char* type, const char* name);
  // The whole picture, upright, into (x, y, width, height) of dc.
  bool RenderTo(HDC dc, int x, int y, int width, int height);
  bool Loaded() const { return pPicture != nullptr; }

 private:
  ComPtr<IPicture> pPicture;
};
