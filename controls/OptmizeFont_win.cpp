#include "controls/OptmizeFont_win.h"

void COptmizeFont::SetHeight(int height) {
  strFaceName = "Times New Roman";
  nHeight = height;
  GdiFont& font = fonts[height];
  if (font.Get() != NULL) {
    current = font.Get();
    return;
  }
  font.Reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, strFaceName.c_str()));
  current = font.Get();
}
