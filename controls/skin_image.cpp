#include "controls/skin_image.h"

#include <cmath>
#include <cstring>
#include <new>

namespace {

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

// 96 dots per inch as pixels per metre, rounded: 3780.
uint32_t DotsToPixelsPerMetre(double dpi) {
  return static_cast<uint32_t>(std::floor((dpi < 1 ? 96 : dpi) * 10000.0 / 254.0 + 0.5));
}

}  // namespace

CSkinImage::CSkinImage(int type) : m_pixelsPerMetre(DotsToPixelsPerMetre(96)), m_type(type) {}

void CSkinImage::Clear() {
  m_block.reset();
  m_rows = nullptr;
  m_width = m_height = m_bits = m_stride = m_colours = 0;
}

uint8_t* CSkinImage::Create(uint32_t width, uint32_t height, uint32_t bitsPerPixel, int type) {
  Clear();
  if (width == 0 || height == 0) {
    m_error = "CSkinImage::Create : width and height must be greater than zero";
    return nullptr;
  }
  const uint32_t bits = bitsPerPixel <= 1 ? 1 : bitsPerPixel <= 4 ? 4 : bitsPerPixel <= 8 ? 8 : 24;
  // In 64 bits: a size whose product wraps in 32 bits is refused like a large one.
  if (static_cast<uint64_t>(width) * height * bits / 8 > kMaxPixelBytes) {
    m_error = "SKINIMAGE_MAX_MEMORY exceeded";
    return nullptr;
  }
  const uint32_t colours = bits == 24 ? 0 : 1u << bits;
  const uint32_t stride =
      static_cast<uint32_t>((static_cast<uint64_t>(bits) * width + 31) / 32 * 4);
  const size_t bytes = kHeaderSize + 4 * size_t{colours} + size_t{stride} * height;
  m_block.reset(new (std::nothrow) uint8_t[bytes]);
  if (!m_block) {
    m_error = "CSkinImage::Create can't allocate memory";
    return nullptr;
  }
  m_width = width, m_height = height, m_bits = bits, m_stride = stride, m_colours = colours;
  m_type = type;
  uint8_t* h = m_block.get();
  Put32(h, kHeaderSize);
  Put32(h + 4, width);
  Put32(h + 8, height);  // positive: rows bottom-up
  Put16(h + 12, 1);
  Put16(h + 14, static_cast<uint16_t>(bits));
  Put32(h + 16, 0);  // uncompressed
  Put32(h + 20, stride * height);
  Put32(h + 24, m_pixelsPerMetre);
  Put32(h + 28, m_pixelsPerMetre);
  Put32(h + 32, colours);
  Put32(h + 36, 0);
  std::memset(h + kHeaderSize, 0, 4 * size_t{colours});
  m_rows = h + kHeaderSize + 4 * size_t{colours};
  m_lastValid = false;
  return m_block.get();
}

SkinColour* CSkinImage::Palette() {
  return m_block && m_colours ? reinterpret_cast<SkinColour*>(m_block.get() + kHeaderSize)
                              : nullptr;
}

const SkinColour* CSkinImage::Palette() const { return const_cast<CSkinImage*>(this)->Palette(); }

void CSkinImage::SetBackground(int index, SkinColour colour) {
  m_backgroundIndex = index;
  m_background = colour;
}

bool CSkinImage::Inside(int64_t x, int64_t y) const {
  return m_block && x >= 0 && y >= 0 && x < m_width && y < m_height;
}

uint8_t CSkinImage::ReadIndex(int64_t x, int64_t y) const {
  if (!Inside(x, y) || m_bits > 8) return 0;
  const uint8_t* row = m_rows + static_cast<size_t>(y) * m_stride;
  if (m_bits == 8) return row[x];
  if (m_bits == 4) return (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
  return (row[x / 8] >> (7 - x % 8)) & 1;
}

void CSkinImage::WriteIndex(int64_t x, int64_t y, uint8_t index) {
  if (!Inside(x, y) || m_bits > 8) return;
  uint8_t* row = m_rows + static_cast<size_t>(y) * m_stride;
  if (m_bits == 8) {
    row[x] = index;
  } else if (m_bits == 4) {
    uint8_t& b = row[x / 2];
    b = (x % 2 == 0) ? static_cast<uint8_t>((b & 0x0F) | ((index & 0x0F) << 4))
                     : static_cast<uint8_t>((b & 0xF0) | (index & 0x0F));
  } else {
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    row[x / 8] = static_cast<uint8_t>((index & 1) ? row[x / 8] | bit : row[x / 8] & ~bit);
  }
}

SkinColour CSkinImage::ReadPixel(int64_t x, int64_t y) const {
  if (!m_block) return m_background;
  if (!Inside(x, y)) {
    if (m_backgroundIndex < 0) return ReadPixel(0, 0);
    if (m_bits == 24) return m_background;
    return Palette()[m_backgroundIndex % m_colours];
  }
  if (m_bits <= 8) return Palette()[ReadIndex(x, y)];
  const uint8_t* p = m_rows + static_cast<size_t>(y) * m_stride + 3 * static_cast<size_t>(x);
  SkinColour c = m_background;
  c.blue = p[0], c.green = p[1], c.red = p[2];
  return c;
}

void CSkinImage::WritePixel(int64_t x, int64_t y, SkinColour colour) {
  if (!Inside(x, y)) return;
  if (m_bits <= 8) {
    WriteIndex(x, y, NearestPaletteIndex(colour));
    return;
  }
  uint8_t* p = m_rows + static_cast<size_t>(y) * m_stride + 3 * static_cast<size_t>(x);
  p[0] = colour.blue, p[1] = colour.green, p[2] = colour.red;
}

uint8_t CSkinImage::NearestPaletteIndex(SkinColour colour) {
  const SkinColour* palette = Palette();
  if (palette == nullptr) return 0;
  if (m_lastValid && m_lastColour == colour) return m_lastIndex;
  long best = 200000;
  uint8_t index = 0;
  for (uint32_t i = 0; i < m_colours; ++i) {
    const long db = palette[i].blue - colour.blue, dg = palette[i].green - colour.green,
               dr = palette[i].red - colour.red;
    const long d = db * db + dg * dg + dr * dr;
    if (d < best) {
      best = d;
      index = static_cast<uint8_t>(i);
      if (d == 0) break;
    }
  }
  m_lastColour = colour, m_lastIndex = index, m_lastValid = true;
  return index;
}

void CSkinImage::LoadPalette(const SkinColour* entries, uint32_t count) {
  SkinColour* palette = Palette();
  if (entries == nullptr || palette == nullptr) return;
  std::memcpy(palette, entries, 4 * size_t{count < m_colours ? count : m_colours});
  m_lastValid = false;
}

bool CSkinImage::ScaleTo(uint32_t width, uint32_t height, int mode, CSkinImage* destination) {
  if (width == 0 || height == 0 || mode != 1 || !m_block) return false;
  CSkinImage& target = destination ? *destination : *this;
  const bool same = width == m_width && height == m_height;
  if (same && &target == this) return true;
  CSkinImage scaled(m_type);
  scaled.m_pixelsPerMetre = m_pixelsPerMetre;
  scaled.SetBackground(m_backgroundIndex, m_background);
  if (!scaled.Create(width, height, m_bits, m_type)) {
    target.m_error = scaled.m_error;
    return false;
  }
  scaled.LoadPalette(Palette(), m_colours);
  if (same) {
    std::memcpy(scaled.m_rows, m_rows, ImageSize());
  } else {
    // Single precision as the scale always was, so every pixel lands where it did.
    const float sx = static_cast<float>(m_width) / static_cast<float>(width);
    const float sy = static_cast<float>(m_height) / static_cast<float>(height);
    for (uint32_t y = 0; y < height; ++y) {
      const float fy = static_cast<float>(y) * sy;
      for (uint32_t x = 0; x < width; ++x) {
        const float fx = static_cast<float>(x) * sx;
        scaled.WritePixel(x, y, ReadPixel(static_cast<int64_t>(fx), static_cast<int64_t>(fy)));
      }
    }
  }
  target.TakeOver(scaled);
  return true;
}

void CSkinImage::TakeOver(CSkinImage& from) {
  if (&from == this) return;
  m_block = std::move(from.m_block);
  m_rows = from.m_rows;
  m_width = from.m_width, m_height = from.m_height, m_bits = from.m_bits;
  m_stride = from.m_stride, m_colours = from.m_colours, m_type = from.m_type;
  m_pixelsPerMetre = from.m_pixelsPerMetre;
  m_backgroundIndex = from.m_backgroundIndex, m_background = from.m_background;
  m_lastValid = false;
  from.Clear();
}
