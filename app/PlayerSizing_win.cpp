// Size changes, the enlarged layout switch and the painting of the main window.
#include "app/MediaPlayerDlg_win.h"
#include "app/gauges.h"
#include "controls/MemDC2_win.h"
#include "framework/StopWatch_win.h"
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
  geometry.nClientWidth = client.right;
  geometry.nClientHeight = client.bottom;
  geometry.bSizeChanged = 1;
  LayoutControls(0);
}

bool CMediaPlayerDlg::OnSize(UINT type, int, int) {
  if (type == SIZE_MINIMIZED) return false;
  // The size change of a maximise comes before the window's state flag changes:
  // the buttons laid out now must already show the state it is changing to.
  if (type == SIZE_MAXIMIZED || type == SIZE_RESTORED) bMaximized = type == SIZE_MAXIMIZED;
  if (bInitDone) SetWindowTextA(GetDlgItem(IDC_MAXIMIZE), bMaximized ? "Restore" : "Maxmize");
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
  ResumeAfterLayout(paused);
  return false;
}

void CMediaPlayerDlg::OnMaximizeButton() {
  const int paused = app_Play(1);
  // The size change that follows sets bMaximized (OnSize).
  ShowWindow(m_hWnd, bMaximized ? SW_RESTORE : SW_MAXIMIZE);
  bRelayoutPending = 1;
  InvalidateRect(m_hWnd, NULL, FALSE);
  ResumeAfterLayout(paused);
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
  HideForEnlarged();
  LayoutEnlarged();
  FitEngineWindow();
  PrepareButtons(LayoutSwitchButtons(), CurrentSkinState(IsPlaying()));
  FinishLayoutPass();
}

void CMediaPlayerDlg::LeaveEnlargedLayout() {
  bLargeView = 0;
  ShowForNormal();
  geometry.bSizeChanged = 0;
  LayoutControls(0);
  FitEngineWindow();
  PrepareButtons(LayoutSwitchButtons(), CurrentSkinState(IsPlaying()));
  FinishLayoutPass();
}

RECT CMediaPlayerDlg::MapPanelRect() const {
  const LayoutScale k = geometry.Scale();
  return RECT{k.sx(896), k.sy(220), k.sx(896) + k.sx(421), k.sy(220) + k.sy(386)};
}

bool CMediaPlayerDlg::ShowsRouteView() const {
  return !bLargeView && GetInternetOk() == 0 && routeView.HasRoute();
}

// The map while it may show; else the route view, or the offline picture in its
// place with why.
void CMediaPlayerDlg::PaintMapArea(HDC dc, const RECT& area) {
  HWND map = GetDlgItem(IDC_MAP_AREA);
  const bool online = GetInternetOk() != 0;
  if ((IsWindowVisible(map) != FALSE) != online) ShowWindow(map, online ? SW_SHOW : SW_HIDE);
  const RECT panel = MapPanelRect();
  RECT overlap;
  if (online || !IntersectRect(&overlap, &panel, &area)) return;
  if (routeView.HasRoute()) {
    StopWatch clock;
    routeView.Paint(dc, panel, routeCar.nSec, fontLayout.Get(), MapOffText());
    TraceFormat("ROUTE %lld us\n", clock.ElapsedUs());
    return;
  }
  if (!pictureNoMap.RenderTo(dc, panel.left, panel.top, panel.right - panel.left,
                             panel.bottom - panel.top)) {
    GdiBrush ground(CreateSolidBrush(RGB(28, 31, 36)));
    FillRect(dc, &panel, ground.Get());
  }
  // Under the picture's symbol, in its free lower third.
  const LayoutScale k = geometry.Scale();
  RECT reason{panel.left, panel.top + (panel.bottom - panel.top) * 2 / 3, panel.right,
              panel.bottom};
  reason.bottom = reason.top + 2 * k.s() + 4;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(226, 228, 232));
  SelectedObject font(dc, fontLayout.Get());
  DrawTextA(dc, MapOffText(), -1, &reason, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CMediaPlayerDlg::PaintGauges(HDC dc) {
  const COLORREF red = RGB(255, 70, 70), yellow = RGB(255, 255, 70);
  DrawNeedle(dc, red, CompassNeedle(readouts.nCourse, geometry.nClientWidth, geometry.nClientHeight));
  DrawNeedle(dc, red, SpeedNeedle(readouts.nSpeed, geometry.nClientWidth, geometry.nClientHeight));
  DrawNeedle(dc, yellow, SpeedNeedle(readouts.nPulseSpeed, geometry.nClientWidth, geometry.nClientHeight));
}

bool CMediaPlayerDlg::OnEraseBkgnd(HDC, LRESULT& result) {
  result = 1;  // the paint covers the whole window
  return true;
}

// The background comes from the client-sized picture made once per size; the
// paint copies the part it must redraw (the tick asks for just the gauges),
// draws the needles and the offline picture over it off screen, and shows the
// result in one block. After a size change the layout comes first, so the
// paint shows the controls in their new places, not a frame of the new
// background with the controls where they were.
bool CMediaPlayerDlg::OnPaint() {
  if (IsIconic(m_hWnd)) return false;
  if (!bLargeView && bInitDone && bRelayoutPending) {
    bRelayoutPending = 0;  // first: the pass paints the window (and so comes back here)
    RelayoutToClientSize();
  }
  PaintDc paint(m_hWnd);
  HDC back = BackgroundDc();
  CMemDC2 memory(paint.Get());
  const RECT& area = memory.Area();
  if (back != NULL)
    BitBlt(memory, area.left, area.top, area.right - area.left, area.bottom - area.top, back,
           area.left, area.top, SRCCOPY);
  if (!bLargeView) {
    PaintGauges(memory);
    PaintMapArea(memory, area);
  }
  return true;
}
