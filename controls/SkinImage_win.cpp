#include "controls/SkinImage_win.h"

#include <cstring>

bool FromBitmap(CSkinImage& image, HBITMAP bitmap, HPALETTE palette) {
  image.Clear();
  BITMAP info{};
  if (bitmap == NULL || GetObjectA(bitmap, sizeof info, &info) == 0) return false;
  if (info.bmWidth <= 0 || info.bmHeight <= 0) return false;
  if (image.Create(static_cast<uint32_t>(info.bmWidth), static_cast<uint32_t>(info.bmHeight),
                   info.bmBitsPixel, 0) == nullptr)
    return false;
  HDC screen = GetDC(NULL);
  if (screen == NULL) {
    image.Clear();
    return false;
  }
  HPALETTE previous = NULL;
  if (palette != NULL) {
    previous = SelectPalette(screen, palette, FALSE);
    RealizePalette(screen);
  }
  const int rows = GetDIBits(screen, bitmap, 0, image.Height(), image.Rows(),
                             reinterpret_cast<BITMAPINFO*>(image.Block()), DIB_RGB_COLORS);
  if (previous != NULL) SelectPalette(screen, previous, FALSE);
  ReleaseDC(NULL, screen);
  if (rows == 0) {
    image.Clear();
    image.SetLastError("GetDIBits failed");
    return false;
  }
  return true;
}

HBITMAP ToBitmap(const CSkinImage& image, HDC dc) {
  if (!image.IsValid()) return NULL;
  MemoryDc own(NULL);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc != NULL ? dc : own.Get(),
                                     reinterpret_cast<const BITMAPINFO*>(image.Block()),
                                     DIB_RGB_COLORS, &bits, NULL, 0);
  if (section != NULL && bits != nullptr) std::memcpy(bits, image.Rows(), image.ImageSize());
  return section;
}

GdiBitmap LoadScaledBitmap(HINSTANCE module, int id, int width, int height) {
  GdiBitmap loaded(static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (loaded.Get() == NULL || (width == 0 && height == 0)) return loaded;
  CSkinImage image(0);
  if (!FromBitmap(image, loaded.Get(), NULL)) return GdiBitmap();
  image.ScaleTo(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 1);
  return GdiBitmap(ToBitmap(image, NULL));
}
