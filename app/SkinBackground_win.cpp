#include "app/SkinBackground_win.h"

#include <cstring>

#include "controls/image_resample.h"
#include "framework/StopWatch_win.h"
#include "framework/Trace_win.h"
#include "resources/resource.h"

// The picture at the client's size, in the top-left part of a bitmap like the
// screen's that is made once, as large as the screen (or the largest window
// yet): a new bitmap's memory costs far more to write the first time, on some
// systems several times the smoothing itself.
struct CSkinBackground::Scaled {
  Scaled(HDC like, int w, int h) : dc(like, w, h), capacityWidth(w), capacityHeight(h) {}
  bool Holds(int w, int h) const { return w <= capacityWidth && h <= capacityHeight; }
  BitmapDc dc;
  int capacityWidth, capacityHeight;
  int width = 0, height = 0;  // of the picture it holds
};

CSkinBackground::CSkinBackground() = default;
CSkinBackground::~CSkinBackground() = default;

namespace {

// The rows of a bottom-up 24- or 32-bit DIB section, top row first.
PixelRows RowsOf(HBITMAP bitmap) {
  DIBSECTION section{};
  if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return {};
  const BITMAP& b = section.dsBm;
  if (b.bmBits == nullptr || (b.bmBitsPixel != 24 && b.bmBitsPixel != 32)) return {};
  auto* bits = static_cast<uint8_t*>(b.bmBits);
  const bool bottomUp = section.dsBmih.biHeight > 0;
  return {bottomUp ? bits + static_cast<ptrdiff_t>(b.bmWidthBytes) * (b.bmHeight - 1) : bits,
          bottomUp ? -static_cast<ptrdiff_t>(b.bmWidthBytes) : b.bmWidthBytes, b.bmWidth,
          b.bmHeight, b.bmBitsPixel / 8};
}

}  // namespace

HBITMAP CSkinBackground::Source(bool enlarged) {
  GdiBitmap& source = sources[enlarged ? 1 : 0];
  if (source.Get() == NULL) {
    const int id = enlarged ? IDB_BACKGROUND_ENLARGED : IDB_BACKGROUND;
    source.Reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return source.Get();
}

HDC CSkinBackground::Matching(int width, int height, bool enlarged) const {
  const Scaled* s = scaled[enlarged ? 1 : 0].get();
  return s != nullptr && s->width == width && s->height == height ? s->dc.Get() : NULL;
}

// The pixels are smoothed in a buffer of our own that is kept from one size
// to the next: fresh bitmap memory costs far more to write the first time
// (on some systems several times the smoothing itself).
HDC CSkinBackground::Prepare(HDC like, int width, int height, bool enlarged) {
  if (HDC ready = Matching(width, height, enlarged)) return ready;
  if (width <= 0 || height <= 0) return NULL;
  StopWatch clock;
  std::unique_ptr<Scaled>& s = scaled[enlarged ? 1 : 0];
  if (!s || !s->Holds(width, height)) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN),
              screenHeight = GetSystemMetrics(SM_CYSCREEN);
    s = std::make_unique<Scaled>(like, width > screenWidth ? width : screenWidth,
                                 height > screenHeight ? height : screenHeight);
    if (!s->dc.Valid()) {
      s.reset();
      return NULL;
    }
  }
  const size_t needed = static_cast<size_t>(width) * 4 * height;
  if (pixels.size() < needed) pixels.resize(needed);
  const PixelRows rows{pixels.data(), width * 4, width, height, 4};
  HBITMAP source = Source(enlarged);
  if (source == NULL || !ResampleBilinear(RowsOf(source), rows))
    std::memset(pixels.data(), 0, needed);  // a plain dark window
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(s->dc.Get(), 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0,
                    0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  s->width = width;
  s->height = height;
  TraceFormat("BACKGROUND %dx%d %lld us\n", width, height, clock.ElapsedUs());
  return s->dc.Get();
}
