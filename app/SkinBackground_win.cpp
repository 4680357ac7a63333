#include "app/SkinBackground_win.h"

#include "resources/resource.h"

HBITMAP CSkinBackground::Source(bool enlarged) {
  GdiBitmap& source = sources[enlarged ? 1 : 0];
  if (source.Get() == NULL) {
    const int id = enlarged ? IDB_BACKGROUND_ENLARGED : IDB_BACKGROUND;
    source.Reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return source.Get();
}

HDC CSkinBackground::Prepare(HDC like, int width, int height, bool enlarged) {
  if (Matches(width, height, enlarged)) return Dc();
  if (width <= 0 || height <= 0) return Dc();
  scaled = std::make_unique<Scaled>(like, width, height);
  nWidth = width;
  nHeight = height;
  bEnlarged = enlarged;
  HDC dc = scaled->dc.Get();
  BITMAP info{};
  HBITMAP source = Source(enlarged);
  if (source == NULL || GetObjectA(source, sizeof info, &info) == 0) {
    PatBlt(dc, 0, 0, width, height, BLACKNESS);  // no picture: a plain dark window
    return dc;
  }
  MemoryDc sourceDc(like);
  SelectedObject selected(sourceDc.Get(), source);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, NULL);
  StretchBlt(dc, 0, 0, width, height, sourceDc.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  return dc;
}
