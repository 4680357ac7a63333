// An off-screen stand-in for a device context during one paint: drawing goes
// into a memory bitmap that covers the target's clip box, and the bitmap is
// copied to the target in one block when the object goes, so nothing flickers.
// Over a printing DC it draws straight into the target.
#pragma once

#include <windows.h>

#include <optional>

#include "framework/Owners_win.h"

class CMemDC2 {
 public:
  explicit CMemDC2(HDC target);
  ~CMemDC2();
  CMemDC2(const CMemDC2&) = delete;
  CMemDC2& operator=(const CMemDC2&) = delete;

  HDC Get() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  // The target's clip box, in its logical units (the same in this DC).
  const RECT& Area() const { return rcArea; }
  bool OffScreen() const { return bOffScreen; }

 private:
  std::optional<BitmapDc> memory;  // the off-screen DC and its bitmap
  HDC pTargetDc;
  RECT rcArea{};
  bool bOffScreen;
  HDC m_hDC = NULL;  // the memory DC when off screen, else the target
};
