#include "controls/SkinImage_win.h"

#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "controls/key_mask.h"

bool FromBitmap(CSkinImage& image, HBITMAP bitmap, HPALETTE palette) {
  image.Clear();
  BITMAP info{};
  if (bitmap == NULL || GetObjectA(bitmap, sizeof info, &info) == 0) return false;
  if (info.bmWidth <= 0 || info.bmHeight <= 0) return false;
  if (image.Create(static_cast<uint32_t>(info.bmWidth), static_cast<uint32_t>(info.bmHeight),
                   info.bmBitsPixel, 0) == nullptr)
    return false;
  WindowDc screenDc(NULL);
  HDC screen = screenDc.Get();
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

namespace {

// The resources as read, at their own size. Window thread only.
CSkinImage* NaturalImage(HINSTANCE module, int id) {
  static std::map<std::pair<HINSTANCE, int>, std::unique_ptr<CSkinImage>> images;
  std::unique_ptr<CSkinImage>& image = images[{module, id}];
  if (!image) {
    image = std::make_unique<CSkinImage>(0);
    GdiBitmap loaded(static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (loaded.Get() != NULL) FromBitmap(*image, loaded.Get(), NULL);
  }
  return image->IsValid() ? image.get() : nullptr;
}

}  // namespace

KeyedBitmap LoadKeyedBitmap(HINSTANCE module, int id, int width, int height, COLORREF key) {
  CSkinImage* natural = NaturalImage(module, id);
  if (natural == nullptr) return {};
  const bool keepSize = width == 0 && height == 0;
  const uint32_t w = keepSize ? natural->Width() : static_cast<uint32_t>(width);
  const uint32_t h = keepSize ? natural->Height() : static_cast<uint32_t>(height);
  CSkinImage image(0);  // a copy even at the same size: the mask step changes it
  if (!natural->ScaleTo(w, h, 1, &image)) return {};
  return KeyedFromImage(image, key);
}

KeyedBitmap KeyedFromImage(CSkinImage& image, COLORREF key) {
  const std::vector<uint8_t> mask =
      TakeKeyMask(image, SkinColour{GetBValue(key), GetGValue(key), GetRValue(key), 0});
  KeyedBitmap out;
  out.image.Reset(ToBitmap(image, NULL));
  if (!mask.empty())
    out.mask.Reset(CreateBitmap(static_cast<int>(image.Width()), static_cast<int>(image.Height()),
                                1, 1, mask.data()));
  if (out.image.Get() == NULL || out.mask.Get() == NULL) return {};
  out.width = static_cast<int>(image.Width());
  out.height = static_cast<int>(image.Height());
  return out;
}

KeyedBitmap KeyedFromBitmap(HBITMAP bitmap, COLORREF key) {
  CSkinImage image(0);
  if (!FromBitmap(image, bitmap, NULL)) return {};
  return KeyedFromImage(image, key);
}
