// Layout passes, start-up, sizing and painting of the main window.
#include <windows.h>

#include <commctrl.h>

#include <cmath>

#include "app/MediaPlayerDlg_win.h"
#include "framework/Trace_win.h"
#include "map/GoogleMaps_win.h"
#include "video/MediaLib_win.h"

namespace {

std::string WindowText(HWND control) {
  char text[512] = "";
  GetWindowTextA(control, text, sizeof text);
  return text;
}

// A single-line text extent in the font selected into dc.
LayoutSize TextExtent(HDC dc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK SendFont(HWND child, LPARAM font) {
  SendMessage(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

const int kReadoutIds[] = {1019, 1018, 1017, 1020, 1021, 1022, 1025, 1063, 1058};

}  // namespace

BOOL CMediaPlayerDlg::OnInitDialog() {
  UpdateData(FALSE);
  SendMessage(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
  SendMessage(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
  // Seen only in the task bar, since the window has no caption.
  SetWindowTextA(m_hWnd, "PLAYER");
  bSizeChanged = 1;
  LayoutControls(1);
  nTimerId = 0;
  nClipLengthSec = 0;
  readouts.nCourse = readouts.nSpeed = readouts.nPulseSpeed = 0;
  bLargeView = 0;
  HWND progress = GetDlgItem(1049);
  SendMessage(progress, PBM_SETBARCOLOR, 0, RGB(210, 0, 0));
  SendMessage(progress, PBM_SETBKCOLOR, 0, RGB(172, 172, 172));
  SendMessage(progress, PBM_SETRANGE32, 0, 100);
  SendMessage(GetDlgItem(1059), BM_SETCHECK, BST_CHECKED, 0);
  bInitDone = 1;
  ShowWindow(GetDlgItem(1052), SW_HIDE);
  if (!strStartClip.empty()) AddStartupFile(strStartClip);
  return TRUE;
}

void CMediaPlayerDlg::ApplyLayoutFont(int height) {
  TraceFormat("Font Size : %d", height);
  fontLayout.SetHeight(height);
  SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontLayout.Get()), TRUE);
  EnumChildWindows(m_hWnd, SendFont, reinterpret_cast<LPARAM>(fontLayout.Get()));
}

void CMediaPlayerDlg::ApplyLayout(const std::vector<LayoutItem>& items) {
  for (const LayoutItem& item : items) {
    HWND control = GetDlgItem(item.id);
    if (control == NULL) continue;
    MoveWindow(control, item.x, item.y, item.cx, item.cy, TRUE);
    if (item.bFitted) InvalidateRect(control, NULL, FALSE);
    if (item.show != Visibility::unchanged)
      ShowWindow(control, item.show == Visibility::show ? SW_SHOW : SW_HIDE);
  }
}

// Times a layout pass for the trace ("LAYOUT WxH n us").
class LayoutTimer {
 public:
  LayoutTimer(int w, int h) : width(w), height(h) { QueryPerformanceCounter(&start); }
  ~LayoutTimer() {
    LARGE_INTEGER end, frequency;
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    TraceFormat("LAYOUT %dx%d %lld us\n", width, height,
                (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
  }

 private:
  int width, height;
  LARGE_INTEGER start;
};

void CMediaPlayerDlg::LayoutControls(int first) {
  const LayoutScale k(nClientWidth, nClientHeight);
  LayoutTimer timer(k.W, k.H);
  if (first) MoveWindow(m_hWnd, 0, 0, k.W, k.H, TRUE);
  ApplyLayoutFont(k.s());
  WindowDc dc(m_hWnd);
  SelectedObject font(dc.Get(), fontLayout.Get());
  auto measure = [&](int id) { return TextExtent(dc.Get(), WindowText(GetDlgItem(id))); };
  std::vector<LayoutItem> items = NormalLayout(k, measure);
  if (bLargeView) {  // the enlarged layout keeps its own places; only the title bar moves
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const LayoutItem& i) {
                                 return i.id != 1055 && i.id != 1052 && i.id != 1024 &&
                                        i.id != 1036 && i.id != 1023 && i.id != 1004 &&
                                        i.id != 1029 && i.id != 1059 && i.id != 1030 &&
                                        i.id != 1027;
                               }),
                items.end());
    ApplyLayout(items);
    return;
  }
  ApplyLayout(items);
  InvalidateRect(GetDlgItem(1016), NULL, FALSE);
  SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | WS_CLIPCHILDREN);
  if (first) CreateChildWindows();
  FitEngineWindow();
  if (pGoogleMaps) {
    const int w = k.sx(421), h = k.sy(386);
    pGoogleMaps->SetMapArea(w, h);
    MoveWindow(pGoogleMaps->GetSafeHwnd(), 0, 0, w, h, TRUE);
    MoveWindow(pGoogleMaps->GetDlgItem(1027), 0, 0, w, h, TRUE);
    pGoogleMaps->OnLayout(first != 0, bSizeChanged);
  }
  SetPlayButtonImage(first ? true : IsPlaying());
}

void CMediaPlayerDlg::CreateChildWindows() {
  if (pMediaLib) {
    pMediaLib->Stop();
    pMediaLib->ReleaseGraph();
  }
  pMediaLib = std::make_unique<CMediaLib>();
  pMediaLib->Create(GetDlgItem(1000));
  pMediaLib->pHostWnd = GetDlgItem(1000);
  TraceText("===> Create Media Library");
  pGoogleMaps = std::make_unique<CGoogleMaps>();
  pGoogleMaps->Create(GetDlgItem(1016));
}

void CMediaPlayerDlg::FitEngineWindow() {
  if (!pMediaLib || pMediaLib->GetSafeHwnd() == NULL) return;
  HWND host = GetDlgItem(1000);
  pMediaLib->pHostWnd = host;
  RECT client;
  GetClientRect(host, &client);
  MoveWindow(pMediaLib->GetSafeHwnd(), 0, 0, client.right, client.bottom, TRUE);
  if (!bStartPending) ShowWindow(pMediaLib->GetSafeHwnd(), SW_SHOW);
  InvalidateRect(pMediaLib->GetSafeHwnd(), NULL, FALSE);
  pMediaLib->PlaceVideoWindow();
}

void CMediaPlayerDlg::LayoutEnlarged() {
  const LayoutScale k(nClientWidth, nClientHeight);
  LayoutTimer timer(k.W, k.H);
  ApplyLayoutFont(k.s());
  WindowDc dc(m_hWnd);
  SelectedObject font(dc.Get(), fontLayout.Get());
  ApplyLayout(
      EnlargedLayout(k, [&](int id) { return TextExtent(dc.Get(), WindowText(GetDlgItem(id))); }));
}

void CMediaPlayerDlg::HideForEnlarged() {
  for (int id : HiddenWhenEnlarged()) ShowWindow(GetDlgItem(id), SW_HIDE);
  for (int id : ShownWhenEnlarged()) ShowWindow(GetDlgItem(id), SW_SHOW);
}

void CMediaPlayerDlg::ShowForNormal() {
  for (int id : ShownWhenNormal()) ShowWindow(GetDlgItem(id), SW_SHOW);
  for (int id : HiddenWhenNormal()) ShowWindow(GetDlgItem(id), SW_HIDE);
}

void CMediaPlayerDlg::RefitReadoutText() {
  const std::string* texts[] = {
      &readouts.strAltitude, &readouts.strLatitude, &readouts.strLongitude,
      &readouts.strGForceX,  &readouts.strGForceY,  &readouts.strGForceZ,
      &readouts.strSpeed,    &readouts.strSecond,   &readouts.strUnit};
  WindowDc dc(m_hWnd);
  SelectedObject font(dc.Get(), fontLayout.Get());
  for (size_t i = 0; i < 9; ++i) {
    HWND control = GetDlgItem(kReadoutIds[i]);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    LayoutSize size = TextExtent(dc.Get(), *texts[i]);
    if (size.cx != r.right - r.left) MoveWindow(control, r.left, r.top, size.cx, size.cy, TRUE);
  }
}

void CMediaPlayerDlg::SetPlayButtonImage(bool playing) {
  SetWindowTextA(GetDlgItem(1005), playing ? "Pause" : "Play");
}
