// Bitmap handles into and out of a CSkinImage, and the skin's way of loading a
// bitmap resource at the size of its control.
#pragma once

#include <windows.h>

#include "controls/skin_image.h"
#include "framework/Owners_win.h"

// Fills the image from a bitmap (any depth above 8 bits becomes 24 bits). False,
// with the image left empty, when the bitmap cannot be read.
bool FromBitmap(CSkinImage& image, HBITMAP bitmap, HPALETTE palette);
// A new device-independent bitmap of the image, owned by the caller; null when
// the image is empty. `dc` may be null.
HBITMAP ToBitmap(const CSkinImage& image, HDC dc);

// A skin image ready to draw: its key pixels black, and the mask of where they were.
struct KeyedBitmap {
  GdiBitmap image, mask;
  int width = 0, height = 0;
};
// Bitmap resource `id` of `module` scaled by nearest pixel to width x height
// (0 x 0: its own size), with the mask of colour `key`; empty when the resource
// is missing or cannot be converted. Each resource is read once per process;
// only the scaling is done again for each new size.
KeyedBitmap LoadKeyedBitmap(HINSTANCE module, int id, int width, int height, COLORREF key);

// An image, or a bitmap (left as it is), made ready to draw with key colour `key`.
KeyedBitmap KeyedFromImage(CSkinImage& image, COLORREF key);
KeyedBitmap KeyedFromBitmap(HBITMAP bitmap, COLORREF key);
