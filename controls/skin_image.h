// The in-memory image that fits a skin bitmap to its control: a packed
// device-independent bitmap (40-byte header, palette, bottom-up pixel rows) in
// one block, read and written pixel by pixel, resampled by nearest pixel. The
// Win32 layer converts from and to bitmap handles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

struct SkinColour {  // blue, green, red, reserved: the order of a palette entry
  uint8_t blue = 0, green = 0, red = 0, reserved = 0;
  bool operator==(const SkinColour& o) const {
    return blue == o.blue && green == o.green && red == o.red && reserved == o.reserved;
  }
};

class CSkinImage {
 public:
  static constexpr uint32_t kHeaderSize = 40;
  static constexpr uint64_t kMaxPixelBytes = 268435456;  // 256 MiB

  explicit CSkinImage(int type = 0);
  virtual ~CSkinImage() = default;
  CSkinImage(const CSkinImage&) = delete;
  CSkinImage& operator=(const CSkinImage&) = delete;

  // A new image of that size; bits per pixel become 1, 4, 8 or 24. The pixel
  // rows are not cleared, the palette is. Null (and LastError) on failure.
  uint8_t* Create(uint32_t width, uint32_t height, uint32_t bitsPerPixel, int type);
  void Clear();
  bool IsValid() const { return m_block != nullptr; }

  // Nearest-pixel resampling to W' x H' into `destination` (this image when
  // null). Only mode 1 exists; a zero size or another mode fails untouched.
  bool ScaleTo(uint32_t width, uint32_t height, int mode, CSkinImage* destination = nullptr);

  SkinColour ReadPixel(int64_t x, int64_t y) const;
  void WritePixel(int64_t x, int64_t y, SkinColour colour);
  uint8_t ReadIndex(int64_t x, int64_t y) const;
  void WriteIndex(int64_t x, int64_t y, uint8_t index);
  uint8_t NearestPaletteIndex(SkinColour colour);
  void LoadPalette(const SkinColour* entries, uint32_t count);

  uint32_t Width() const { return m_width; }
  uint32_t Height() const { return m_height; }
  uint32_t BitsPerPixel() const { return m_bits; }
  uint32_t Stride() const { return m_stride; }
  uint32_t ColoursUsed() const { return m_colours; }
  uint32_t ImageSize() const { return m_stride * m_height; }
  uint32_t PixelsPerMetre() const { return m_pixelsPerMetre; }
  const std::string& LastError() const { return m_error; }
  // The packed bitmap: header, palette, rows (what a DIB section is made from).
  uint8_t* Block() { return m_block.get(); }
  const uint8_t* Block() const { return m_block.get(); }
  uint8_t* Rows() { return m_rows; }
  const uint8_t* Rows() const { return m_rows; }
  SkinColour* Palette();
  const SkinColour* Palette() const;
  void SetBackground(int index, SkinColour colour);
  void SetLastError(std::string text) { m_error = std::move(text); }

 private:
  void TakeOver(CSkinImage& from);
  bool Inside(int64_t x, int64_t y) const;

  std::unique_ptr<uint8_t[]> m_block;
  uint8_t* m_rows = nullptr;
  uint32_t m_width = 0, m_height = 0, m_bits = 0, m_stride = 0, m_colours = 0;
  uint32_t m_pixelsPerMetre = 0;
  int m_type = 0;
  int m_backgroundIndex = -1;
  SkinColour m_background;
  SkinColour m_lastColour;  // cache of NearestPaletteIndex
  uint8_t m_lastIndex = 0;
  bool m_lastValid = false;
  std::string m_error;
};
