#include "controls/key_mask.h"

std::vector<uint8_t> TakeKeyMask(CSkinImage& image, SkinColour key) {
  if (!image.IsValid() || image.BitsPerPixel() != 24) return {};
  const uint32_t w = image.Width(), h = image.Height(), stride = MaskStride(w);
  std::vector<uint8_t> mask(static_cast<size_t>(stride) * h, 0);
  for (uint32_t row = 0; row < h; ++row) {
    // Image rows are stored bottom-up, mask rows top-down.
    uint8_t* pixel = image.Rows() + static_cast<size_t>(h - 1 - row) * image.Stride();
    uint8_t* bits = mask.data() + static_cast<size_t>(row) * stride;
    for (uint32_t x = 0; x < w; ++x, pixel += 3) {
      if (pixel[0] != key.blue || pixel[1] != key.green || pixel[2] != key.red) continue;
      pixel[0] = pixel[1] = pixel[2] = 0;
      bits[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
    }
  }
  return mask;
}
