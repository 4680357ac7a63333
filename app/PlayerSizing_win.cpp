// Size changes, the enlarged layout switch and the painting of the main window.
#include "app/MediaPlayerDlg_win.h"
#include "app/gauges.h"
#include "framework/Trace_win.h"
#include "map/GoogleMaps_win.h"
#include "map/internet_ok.h"
#include "video/MediaLib_win.h"

namespace {

void DrawNeedle(HDC dc, COLORREF colour, const Needle& needle) {
  GdiPen pen(CreatePen(PS_SOLID, 3, colour));
  SelectedObject selected(dc, pen.Get());
  MoveToEx(dc, needle.from.x, needle.from.y, NULL);
  LineTo(dc, needle.to.x, needle.to.y);
}

}  // namespace

void CMediaPlayerDlg::RelayoutToClientSize() {
  RECT client;
  GetClientRect(m_hWnd, &client);
  nClientWidth = client.right;
  nClientHeight = client.bottom;
  bSizeChanged = 1;
  LayoutControls(0);
}

bool CMediaPlayerDlg::OnSize(UINT type, int, int) {
  if (type == SIZE_MINIMIZED) return false;
  // Also while the window initialises: its first layout is made for the canvas
  // size, and the first paint must lay out again to the real client size.
  bRelayoutPending = 1;
  if (!bInitDone) return false;
  const int paused = app_Play(1);
  if (bLargeView) {
    RelayoutToClientSize();
    EnterEnlargedLayout();  // again, at the new size
  } else {
    InvalidateRect(m_hWnd, NULL, FALSE);
  }
  if (paused) app_Play(0);
  return false;
}

void CMediaPlayerDlg::OnMaximizeButton() {
  const int paused = app_Play(1);
  if (bMaximized) {
    ShowWindow(m_hWnd, SW_RESTORE);
    bMaximized = 0;
  } else {
    ShowWindow(m_hWnd, SW_MAXIMIZE);
    bMaximized = 1;
  }
  SetWindowTextA(GetDlgItem(IDC_MAXIMIZE), bMaximized ? "Restore" : "Maxmize");
  bRelayoutPending = 1;
  InvalidateRect(m_hWnd, NULL, FALSE);
  if (paused) app_Play(0);
}

// Entering needs a rendered clip; leaving never does, so the normal layout can
// always be had back (also after a clip that could not be played).
void CMediaPlayerDlg::OnLargeViewButton() {
  if (!pMediaLib) {
    TraceText("===>  Media Library is NULL");
    return;
  }
  TraceText("Check Media Library is created");
  if (bLargeView) {
    LeaveEnlargedLayout();
  } else if (pMediaLib->IsReady()) {
    EnterEnlargedLayout();
  }
}

void CMediaPlayerDlg::EnterEnlargedLayout() {
  bLargeView = 1;
  bEnlargedView = 1;
  HideForEnlarged();
  LayoutEnlarged();
  FitEngineWindow();
  SetPlayButtonImage(IsPlaying());
  SetWindowTextA(GetDlgItem(IDC_LARGE_VIEW), "Normal Screen");
  InvalidateRect(m_hWnd, NULL, TRUE);
}

void CMediaPlayerDlg::LeaveEnlargedLayout() {
  bLargeView = 0;
  bEnlargedView = 0;
  ShowForNormal();
  bSizeChanged = 0;
  LayoutControls(0);
  FitEngineWindow();
  SetPlayButtonImage(IsPlaying());
  SetWindowTextA(GetDlgItem(IDC_LARGE_VIEW), "Full Screen");
  InvalidateRect(m_hWnd, NULL, TRUE);
}

// The map while it may show; else the offline panel in its place.
void CMediaPlayerDlg::PaintMapArea(HDC dc, const RECT& area) {
  HWND map = GetDlgItem(IDC_MAP_AREA);
  const bool online = GetInternetOk() != 0;
  if ((IsWindowVisible(map) != FALSE) != online) ShowWindow(map, online ? SW_SHOW : SW_HIDE);
  const LayoutScale k(nClientWidth, nClientHeight);
  RECT panel{k.sx(896), k.sy(220), k.sx(896) + k.sx(421), k.sy(220) + k.sy(386)};
  RECT overlap;
  if (online || !IntersectRect(&overlap, &panel, &area)) return;
  GdiBrush grey(CreateSolidBrush(RGB(48, 48, 52)));
  FillRect(dc, &panel, grey.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(220, 220, 220));
  DrawTextA(dc, MapOffText(), -1, &panel, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CMediaPlayerDlg::PaintGauges(HDC dc) {
  const COLORREF red = RGB(255, 70, 70), yellow = RGB(255, 255, 70);
  DrawNeedle(dc, red, CompassNeedle(readouts.nCourse, nClientWidth, nClientHeight));
  DrawNeedle(dc, red, SpeedNeedle(readouts.nSpeed, nClientWidth, nClientHeight));
  DrawNeedle(dc, yellow, SpeedNeedle(readouts.nPulseSpeed, nClientWidth, nClientHeight));
}

// Only what the paint needs is drawn: the tick invalidates just the gauges.
bool CMediaPlayerDlg::OnPaint() {
  if (IsIconic(m_hWnd)) return false;
  {
    PaintDc paint(m_hWnd);
    const RECT area = paint.Area();
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w > 0 && h > 0) {
      MemoryDc memory(paint.Get());
      GdiBitmap bitmap(CreateCompatibleBitmap(paint.Get(), w, h));
      SelectedObject selected(memory.Get(), bitmap.Get());
      SetViewportOrgEx(memory.Get(), -area.left, -area.top, NULL);  // client coordinates
      GdiBrush back(CreateSolidBrush(RGB(24, 24, 28)));
      FillRect(memory.Get(), &area, back.Get());
      if (!bLargeView) PaintGauges(memory.Get());
      BitBlt(paint.Get(), area.left, area.top, w, h, memory.Get(), area.left, area.top, SRCCOPY);
    }
    if (!bLargeView) PaintMapArea(paint.Get(), area);
  }
  if (!bLargeView && bInitDone && bRelayoutPending) {
    RelayoutToClientSize();
    bRelayoutPending = 0;
  }
  return true;
}
