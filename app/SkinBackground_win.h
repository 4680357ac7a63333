// The window's background picture at the client's size: stretched once per
// size and layout, then copied from for every paint and for the buttons'
// backdrops.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Owners_win.h"

class CSkinBackground {
 public:
  // A DC holding the background for a client of width x height in that layout.
  HDC Prepare(HDC like, int width, int height, bool enlarged);
  HDC Dc() const { return scaled ? scaled->dc.Get() : NULL; }
  // The size and layout the background was last made for.
  bool Matches(int width, int height, bool enlarged) const {
    return scaled && width == nWidth && height == nHeight && enlarged == bEnlarged;
  }

 private:
  struct Scaled {
    Scaled(HDC like, int w, int h)
        : dc(like), bitmap(CreateCompatibleBitmap(like, w, h)), selected(dc.Get(), bitmap.Get()) {}
    MemoryDc dc;
    GdiBitmap bitmap;
    SelectedObject selected;
  };
  HBITMAP Source(bool enlarged);

  GdiBitmap sources[2];  // the canvas-sized pictures, loaded once: normal, enlarged
  std::unique_ptr<Scaled> scaled;
  int nWidth = 0, nHeight = 0;
  bool bEnlarged = false;
};
