#include "video/frame_rgb.h"

#include <cstring>

namespace {

uint32_t Read32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint8_t Clip(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Video-range BT.601 to blue, green, red.
void ToBgr(int y, int u, int v, uint8_t* out) {
  const int c = 298 * (y - 16), d = u - 128, e = v - 128;
  out[0] = Clip((c + 516 * d + 128) >> 8);
  out[1] = Clip((c - 100 * d - 208 * e + 128) >> 8);
  out[2] = Clip((c + 409 * e + 128) >> 8);
}

// Where the samples of one pixel are, for each layout.
struct Layout {
  size_t bytes;  // of the whole frame
  // y, u and v offsets of pixel (x, row from the top)
  void (*at)(size_t w, size_t h, size_t x, size_t row, size_t& y, size_t& u, size_t& v);
};

bool LayoutOf(uint32_t fourCc, size_t w, size_t h, Layout& layout) {
  const size_t quarter = (w / 2) * (h / 2);
  switch (fourCc) {
    case FourCc('Y', 'V', '1', '2'):
      layout = {w * h + 2 * quarter,
                [](size_t w, size_t h, size_t x, size_t r, size_t& y, size_t& u, size_t& v) {
                  y = r * w + x;
                  v = w * h + (r / 2) * (w / 2) + x / 2;
                  u = v + (w / 2) * (h / 2);
                }};
      return true;
    case FourCc('I', '4', '2', '0'):
    case FourCc('I', 'Y', 'U', 'V'):
      layout = {w * h + 2 * quarter,
                [](size_t w, size_t h, size_t x, size_t r, size_t& y, size_t& u, size_t& v) {
                  y = r * w + x;
                  u = w * h + (r / 2) * (w / 2) + x / 2;
                  v = u + (w / 2) * (h / 2);
                }};
      return true;
    case FourCc('N', 'V', '1', '2'):
      layout = {w * h + 2 * quarter,
                [](size_t w, size_t h, size_t x, size_t r, size_t& y, size_t& u, size_t& v) {
                  y = r * w + x;
                  u = w * h + (r / 2) * w + (x / 2) * 2;
                  v = u + 1;
                }};
      return true;
    case FourCc('Y', 'U', 'Y', '2'):
      layout = {w * h * 2,
                [](size_t w, size_t, size_t x, size_t r, size_t& y, size_t& u, size_t& v) {
                  const size_t pair = r * w * 2 + (x / 2) * 4;
                  y = pair + (x % 2) * 2, u = pair + 1, v = pair + 3;
                }};
      return true;
    case FourCc('U', 'Y', 'V', 'Y'):
      layout = {w * h * 2,
                [](size_t w, size_t, size_t x, size_t r, size_t& y, size_t& u, size_t& v) {
                  const size_t pair = r * w * 2 + (x / 2) * 4;
                  y = pair + 1 + (x % 2) * 2, u = pair, v = pair + 2;
                }};
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<uint8_t> YuvFrameToRgb24(const uint8_t* packed, size_t size) {
  if (packed == nullptr || size < 40) return {};
  const uint32_t headerSize = Read32(packed);
  const int32_t width = static_cast<int32_t>(Read32(packed + 4));
  const int32_t height = static_cast<int32_t>(Read32(packed + 8));
  const size_t w = static_cast<size_t>(width),
               h = static_cast<size_t>(height < 0 ? -height : height);
  Layout layout{};
  if (headerSize < 40 || headerSize > size || width <= 0 || h == 0 || w % 2 || h % 2 || w > 16384 ||
      h > 16384 || !LayoutOf(Read32(packed + 16), w, h, layout) || size - headerSize < layout.bytes)
    return {};
  const uint8_t* frame = packed + headerSize;
  const size_t stride = (w * 3 + 3) / 4 * 4;
  std::vector<uint8_t> out(40 + stride * h, 0);
  Put32(&out[0], 40);
  Put32(&out[4], static_cast<uint32_t>(w));
  Put32(&out[8], static_cast<uint32_t>(h));  // bottom-up
  out[12] = 1;
  out[14] = 24;
  Put32(&out[20], static_cast<uint32_t>(stride * h));
  for (size_t r = 0; r < h; ++r) {
    uint8_t* row = out.data() + 40 + (h - 1 - r) * stride;
    for (size_t x = 0; x < w; ++x) {
      size_t y = 0, u = 0, v = 0;
      layout.at(w, h, x, r, y, u, v);
      ToBgr(frame[y], frame[u], frame[v], row + x * 3);
    }
  }
  return out;
}
