#include "controls/NiceSliderCtrl_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/MemDC2_win.h"
#include "framework/Owners_win.h"

namespace {

void FillRows(HDC dc, int left, int right, const SliderBand& band) {
  const RECT rect{left, band.top, right, band.bottom};
  GdiBrush brush(CreateSolidBrush(RGB(band.colour.red, band.colour.green, band.colour.blue)));
  FillRect(dc, &rect, brush.Get());
}

}  // namespace

LRESULT CNiceSliderCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case TBM_SETPOS:
    case TBM_SETRANGE:
    case TBM_SETRANGEMAX: {
      // The trackbar would repaint only where its thumb was and is; the played
      // part runs from the left edge, so the whole bar is drawn again, with one
      // invalidation instead of the trackbar's own two and ours.
      const LRESULT result = DefaultWith(msg, FALSE, lParam);
      if (wParam) InvalidateRect(GetSafeHwnd(), NULL, FALSE);
      return result;
    }
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_LBUTTONDOWN:
      OnButtonDown(GET_X_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      return OnMouseMove(GET_X_LPARAM(lParam));
    case WM_LBUTTONUP:
      return OnButtonUp(GET_X_LPARAM(lParam));
    case WM_CAPTURECHANGED:
      // Not the trackbar's: it never took the capture, and would report an
      // end of tracking (TB_ENDTRACK) for a drag it never saw.
      Report(drag.CaptureLost());
      return 0;
    default:
      return Default();
  }
}

void CNiceSliderCtrl::OnPaint() {
  PaintDc paint(GetSafeHwnd());
  CMemDC2 dc(paint.Get());
  RECT client;
  GetClientRect(GetSafeHwnd(), &client);
  const int height = client.bottom - client.top;
  for (const SliderBand& band : SliderBands(height)) FillRows(dc, client.left, client.right, band);

  const int pos = static_cast<int>(SendMessage(GetSafeHwnd(), TBM_GETPOS, 0, 0));
  const int end = PlayedBarEnd(client.left, client.right, pos, nMax);
  if (end < 0) return;
  for (const SliderBand& rows : PlayedBarRows(height)) FillRows(dc, client.left, end, rows);
  const SliderBand tick{client.top, client.bottom, kEventTickColour};
  for (int x : EventTickXs(eventSeconds, client.left, client.right, nMax))
    FillRows(dc, x, x + kEventTickWidth, tick);
}

void CNiceSliderCtrl::OnButtonDown(int x) {
  // The trackbar never sees the press: no thumb drag of its own.
  SetCapture(GetSafeHwnd());
  SetFocus(GetSafeHwnd());
  Report(drag.Press(MoveToPoint(x)));
}

LRESULT CNiceSliderCtrl::OnMouseMove(int x) {
  if (!drag.Dragging()) return Default();
  Report(drag.Move(MoveToPoint(x)));
  return 0;
}

LRESULT CNiceSliderCtrl::OnButtonUp(int x) {
  if (!drag.Dragging()) return Default();
  const std::vector<int> codes = drag.Release(MoveToPoint(x));
  ReleaseCapture();  // the drag is over: the capture change reports nothing more
  Report(codes);
  return 0;
}

bool CNiceSliderCtrl::MoveToPoint(int x) {
  const HWND hwnd = GetSafeHwnd();
  RECT channel{};
  SendMessage(hwnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const int min = static_cast<int>(SendMessage(hwnd, TBM_GETRANGEMIN, 0, 0));
  const int max = static_cast<int>(SendMessage(hwnd, TBM_GETRANGEMAX, 0, 0));
  const int pos = SliderPositionAt(x, channel.left, channel.right, min, max);
  if (pos == static_cast<int>(SendMessage(hwnd, TBM_GETPOS, 0, 0))) return false;
  SendMessage(hwnd, TBM_SETPOS, TRUE, pos);  // the trackbar clamps to its range
  InvalidateRect(hwnd, NULL, FALSE);
  return true;
}

void CNiceSliderCtrl::Report(const std::vector<int>& codes) {
  const HWND hwnd = GetSafeHwnd();
  const auto pos = static_cast<WORD>(SendMessage(hwnd, TBM_GETPOS, 0, 0));
  for (int code : codes)
    PostMessage(GetParent(hwnd), WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(hwnd));
}
