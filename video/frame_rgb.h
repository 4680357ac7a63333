// A video frame in one of the common YUV layouts, as a 24-bit RGB bitmap that
// any picture viewer opens (renderers may hand the frame over as it was decoded).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The packed bitmap (40-byte header, then the frame's planes, top row first as
// video frames are) of a YV12, I420, IYUV, NV12, YUY2 or UYVY frame as a packed
// 24-bit bottom-up bitmap; empty for another layout, an odd size or short data.
std::vector<uint8_t> YuvFrameToRgb24(const uint8_t* packed, size_t size);

constexpr uint32_t FourCc(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
         uint32_t(uint8_t(d)) << 24;
}
