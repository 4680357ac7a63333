// Size changes, the enlarged layout switch and the painting of the main window.
#include <cmath>

#include "app/MediaPlayerDlg_win.h"
#include "framework/Trace_win.h"
#include "map/GoogleMaps_win.h"
#include "map/internet_ok.h"
#include "video/MediaLib_win.h"

namespace {

const double kPi = 3.14159265;

// A needle end point: angle clockwise from straight up.
POINT NeedleEnd(int cx, int cy, double degrees, int length) {
  double a = degrees * kPi / 180.0;
  return {cx + static_cast<int>(std::sin(a) * length), cy - static_cast<int>(std::cos(a) * length)};
}

void DrawLine(HDC dc, COLORREF colour, POINT from, POINT to) {
  GdiPen pen(CreatePen(PS_SOLID, 3, colour));
  SelectedObject selected(dc, pen.Get());
  MoveToEx(dc, from.x, from.y, NULL);
  LineTo(dc, to.x, to.y);
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
  if (!bInitDone || type == SIZE_MINIMIZED) return false;
  const int paused = app_Play(1);
  bRelayoutPending = 1;
  if (bLargeView) {
    RelayoutToClientSize();
    bLargeView = 0;
    OnLargeViewButton();
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
  SetWindowTextA(GetDlgItem(1036), bMaximized ? "Restore" : "Maxmize");
  bRelayoutPending = 1;
  InvalidateRect(m_hWnd, NULL, FALSE);
  if (paused) app_Play(0);
}

void CMediaPlayerDlg::OnLargeViewButton() {
  if (!pMediaLib) {
    TraceText("===>  Media Library is NULL");
    return;
  }
  TraceText("Check Media Library is created");
  if (!pMediaLib->bReady) return;
  if (bLargeView == 0) {
    bLargeView = 1;
    bEnlargedView = 1;
    HideForEnlarged();
    LayoutEnlarged();
    FitEngineWindow();
    SetPlayButtonImage(IsPlaying());
    SetWindowTextA(GetDlgItem(1008), "Normal Screen");
  } else {
    bLargeView = 0;
    bEnlargedView = 0;
    ShowForNormal();
    bSizeChanged = 0;
    LayoutControls(0);
    FitEngineWindow();
    SetPlayButtonImage(IsPlaying());
    SetWindowTextA(GetDlgItem(1008), "Full Screen");
  }
  InvalidateRect(m_hWnd, NULL, TRUE);
}

void CMediaPlayerDlg::PaintGauges(HDC dc) {
  const LayoutScale k(nClientWidth, nClientHeight);
  const COLORREF red = RGB(255, 70, 70), yellow = RGB(255, 255, 70);
  POINT compass{k.sx(1263), k.sy(674)};
  DrawLine(dc, red, compass, NeedleEnd(compass.x, compass.y, readouts.nCourse, k.sx(25)));
  // Speed needles: 0 points left, 150 km/h up, 300 right; 80 canvas units long,
  // scaled separately in x and y.
  const POINT dial{k.sx(1100), k.sy(718)};
  auto speedEnd = [&](int kmh) {
    const POINT canvas = NeedleEnd(1100, 718, kmh * 90 / 150 - 90, 80);
    return POINT{static_cast<LONG>(static_cast<long long>(canvas.x) * k.W / 1366),
                 static_cast<LONG>(static_cast<long long>(canvas.y) * k.H / 768)};
  };
  DrawLine(dc, red, dial, speedEnd(readouts.nSpeed));
  DrawLine(dc, yellow, dial, speedEnd(readouts.nPulseSpeed));
}

bool CMediaPlayerDlg::OnPaint() {
  if (IsIconic(m_hWnd)) return false;
  {
    PaintDc paint(m_hWnd);
    RECT client;
    GetClientRect(m_hWnd, &client);
    MemoryDc memory(paint.Get());
    GdiBitmap bitmap(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    SelectedObject selected(memory.Get(), bitmap.Get());
    GdiBrush back(CreateSolidBrush(RGB(24, 24, 28)));
    FillRect(memory.Get(), &client, back.Get());
    if (!bLargeView) PaintGauges(memory.Get());
    BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    if (!bLargeView) {
      const LayoutScale k(nClientWidth, nClientHeight);
      if (GetInternetOk()) {
        ShowWindow(GetDlgItem(1016), SW_SHOW);
      } else {
        ShowWindow(GetDlgItem(1016), SW_HIDE);
        RECT map{k.sx(896), k.sy(220), k.sx(896) + k.sx(421), k.sy(220) + k.sy(386)};
        GdiBrush grey(CreateSolidBrush(RGB(48, 48, 52)));
        FillRect(paint.Get(), &map, grey.Get());
        SetBkMode(paint.Get(), TRANSPARENT);
        SetTextColor(paint.Get(), RGB(220, 220, 220));
        DrawTextA(paint.Get(), "No connection: map unavailable", -1, &map,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
    }
  }
  if (!bLargeView && bInitDone && bRelayoutPending) {
    RelayoutToClientSize();
    bRelayoutPending = 0;
  }
  return true;
}
