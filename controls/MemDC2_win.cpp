#include "controls/MemDC2_win.h"

CMemDC2::CMemDC2(HDC target) : pTargetDc(target), m_hDC(target) {
  bOffScreen = GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER;
  GetClipBox(target, &rcArea);
  if (bOffScreen) {
    RECT device = rcArea;
    LPtoDP(target, reinterpret_cast<POINT*>(&device), 2);
    memory.emplace(target, device.right - device.left, device.bottom - device.top);
    if (!memory->Valid()) {  // no memory: draw in place
      memory.reset();
      bOffScreen = false;
    } else {
      m_hDC = memory->Get();
      SetMapMode(m_hDC, GetMapMode(target));
      SIZE extent;
      GetWindowExtEx(target, &extent);
      SetWindowExtEx(m_hDC, extent.cx, extent.cy, NULL);
      GetViewportExtEx(target, &extent);
      SetViewportExtEx(m_hDC, extent.cx, extent.cy, NULL);
      SetWindowOrgEx(m_hDC, rcArea.left, rcArea.top, NULL);
    }
  }
  const COLORREF back = GetBkColor(target);
  const COLORREF previous = SetBkColor(m_hDC, back);
  ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rcArea, NULL, 0, NULL);
  SetBkColor(m_hDC, previous);
}

CMemDC2::~CMemDC2() {
  if (!bOffScreen) return;
  BitBlt(pTargetDc, rcArea.left, rcArea.top, rcArea.right - rcArea.left, rcArea.bottom - rcArea.top,
         m_hDC, rcArea.left, rcArea.top, SRCCOPY);
}
