#include "controls/image_resample.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

// For each target position along one axis: the two source positions it lies
// between and the weight of the second, 0 to 256 (pixel centres aligned).
struct Tap {
  int first, second, weight;
};

std::vector<Tap> Taps(int from, int to) {
  std::vector<Tap> taps(static_cast<size_t>(to));
  for (int i = 0; i < to; ++i) {
    // Centre of target pixel i in source pixels, in 1/256 units, minus half a pixel.
    long long pos = ((2LL * i + 1) * from * 256) / (2LL * to) - 128;
    if (pos < 0) pos = 0;
    int first = static_cast<int>(pos >> 8);
    int weight = static_cast<int>(pos & 255);
    if (first >= from - 1) {
      first = from - 1;
      weight = 0;
    }
    taps[static_cast<size_t>(i)] = {first, first + (weight ? 1 : 0), weight};
  }
  return taps;
}

// One source row resampled across: three channels per target pixel, scaled by 256.
void Across(const uint8_t* row, int bytesPerPixel, const std::vector<Tap>& taps,
            std::vector<int>& out) {
  int* o = out.data();
  for (const Tap& t : taps) {
    const uint8_t* a = row + t.first * bytesPerPixel;
    const uint8_t* b = row + t.second * bytesPerPixel;
    const int wa = 256 - t.weight, wb = t.weight;
    o[0] = a[0] * wa + b[0] * wb;
    o[1] = a[1] * wa + b[1] * wb;
    o[2] = a[2] * wa + b[2] * wb;
    o += 3;
  }
}

}  // namespace

bool ResampleBilinear(const PixelRows& from, const PixelRows& to) {
  const bool sizes = from.width > 0 && from.height > 0 && to.width > 0 && to.height > 0;
  const bool formats = (from.bytesPerPixel == 3 || from.bytesPerPixel == 4) &&
                       (to.bytesPerPixel == 3 || to.bytesPerPixel == 4);
  if (!sizes || !formats || from.first == nullptr || to.first == nullptr) return false;
  const std::vector<Tap> across = Taps(from.width, to.width);
  const std::vector<Tap> down = Taps(from.height, to.height);
  const size_t rowValues = static_cast<size_t>(to.width) * 3;
  std::vector<int> upper(rowValues), lower(rowValues);
  std::vector<uint8_t> blended(rowValues);
  int upperRow = -1, lowerRow = -1;
  for (int y = 0; y < to.height; ++y) {
    const Tap& t = down[static_cast<size_t>(y)];
    // Each source row is resampled across once: going down, the lower row of
    // one target row is usually the upper row of the next.
    if (upperRow != t.first) {
      if (lowerRow == t.first) {
        upper.swap(lower);
        std::swap(upperRow, lowerRow);
      } else {
        Across(from.first + from.stride * t.first, from.bytesPerPixel, across, upper);
        upperRow = t.first;
      }
    }
    if (lowerRow != t.second) {
      Across(from.first + from.stride * t.second, from.bytesPerPixel, across, lower);
      lowerRow = t.second;
    }
    // Down: a plain loop over the two rows (the compiler vectorises it), then
    // the channels into the target's pixel layout.
    const int wa = 256 - t.weight, wb = t.weight;
    for (size_t i = 0; i < rowValues; ++i)
      blended[i] = static_cast<uint8_t>((upper[i] * wa + lower[i] * wb + 32768) >> 16);
    uint8_t* out = to.first + to.stride * y;
    const uint8_t* in = blended.data();
    if (to.bytesPerPixel == 4) {
      for (int x = 0; x < to.width; ++x, out += 4, in += 3) {
        out[0] = in[0], out[1] = in[1], out[2] = in[2], out[3] = 0;
      }
    } else {
      std::memcpy(out, in, rowValues);
    }
  }
  return true;
}
