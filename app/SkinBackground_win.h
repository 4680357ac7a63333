// The window's background picture at the client's size: smoothed once per
// size and layout (both layouts are kept, so switching costs nothing), then
// copied from by every paint and for the buttons' backdrops.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Owners_win.h"

class CSkinBackground {
 public:
  CSkinBackground();
  ~CSkinBackground();
  // A DC holding the background for a client of width x height in that layout.
  HDC Prepare(HDC like, int width, int height, bool enlarged);
  // The DC made for that size and layout, or null.
  HDC Matching(int width, int height, bool enlarged) const;

 private:
  struct Scaled;
  HBITMAP Source(bool enlarged);

  GdiBitmap sources[2];  // the canvas-sized pictures, loaded once: normal, enlarged
  std::unique_ptr<Scaled> scaled[2];
  std::vector<uint8_t> pixels;  // the smoothed picture before it goes to a bitmap
};
