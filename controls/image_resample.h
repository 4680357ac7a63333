// Smooth resampling of a picture shown at the window's size (the skin's
// background): bilinear, in integer arithmetic, the same result on every
// system. Rows are walked with signed strides, so bottom-up bitmaps pass their
// top row and a negative stride.
#pragma once

#include <cstddef>
#include <cstdint>

struct PixelRows {
  uint8_t* first = nullptr;  // the top row
  ptrdiff_t stride = 0;      // bytes from one row to the one below
  int width = 0, height = 0;
  int bytesPerPixel = 4;  // 3 (blue, green, red) or 4 (blue, green, red, unused)
};

// Fills `to` from `from`; false (nothing written) when either is empty or a
// pixel size is neither 3 nor 4.
bool ResampleBilinear(const PixelRows& from, const PixelRows& to);
