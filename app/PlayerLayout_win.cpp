// Layout passes, start-up, sizing and painting of the main window.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "app/MediaPlayerDlg_win.h"
#include "app/VideoFileDialog_win.h"
#include "framework/StopWatch_win.h"
#include "framework/Trace_win.h"
#include "graph/GSensor_win.h"
#include "map/GoogleMaps_win.h"
#include "video/MediaLib_win.h"

namespace {

std::string WindowText(HWND control) {
  char text[512] = "";
  GetWindowTextA(control, text, sizeof text);
  return text;
}

// A single-line text extent in the font selected into dc; an empty text has none.
LayoutSize TextExtent(HDC dc, const std::string& text) {
  SIZE size{0, 0};
  if (text.empty() ||
      !GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size))
    return {0, 0};
  return {size.cx, size.cy};
}

const int kReadoutIds[CMediaPlayerDlg::kReadoutCount] = {
    IDC_ALTITUDE, IDC_LATITUDE,   IDC_LONGITUDE,   IDC_GFORCE_X, IDC_GFORCE_Y,
    IDC_GFORCE_Z, IDC_SPEED_TEXT, IDC_SECOND_TEXT, IDC_UNIT_TEXT};

}  // namespace

BOOL CMediaPlayerDlg::OnInitDialog() {
  UpdateData(FALSE);
  SendMessage(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
  SendMessage(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
  // Seen only in the task bar, since the window has no caption.
  SetWindowTextA(m_hWnd, "PLAYER");
  DragAcceptFiles(m_hWnd, TRUE);  // clips and folders can be dropped on it
  geometry.bSizeChanged = 1;
  LayoutControls(1);
  nTimerId = 0;
  readouts.nCourse = readouts.nSpeed = readouts.nPulseSpeed = 0;
  bLargeView = 0;
  PrepareButton(IDC_INTERNET_STATUS, CurrentSkinState(false));
  HWND progress = GetDlgItem(IDC_PROGRESS);
  SendMessage(progress, PBM_SETBARCOLOR, 0, RGB(210, 0, 0));
  SendMessage(progress, PBM_SETBKCOLOR, 0, RGB(172, 172, 172));
  SendMessage(progress, PBM_SETRANGE32, 0, 100);
  SendMessage(GetDlgItem(IDC_KPH_RADIO), BM_SETCHECK, BST_CHECKED, 0);
  pictureNoMap.LoadResourceImage("BMP", MAKEINTRESOURCEA(IDR_BMP_GM_FAILED));
  bInitDone = 1;
  ShowWindow(GetDlgItem(IDC_INTERNET_STATUS), SW_HIDE);
  if (!strStartClip.empty()) AddStartupFile(strStartClip);
  if (!strStartProblem.empty()) PostMessageA(m_hWnd, kStartProblemMessage, 0, 0);
  return TRUE;
}

void CMediaPlayerDlg::ApplyLayoutFont(int height) {
  TraceFormat("Font Size : %d", height);
  if (height == fontLayout.Height() && fontLayout.Get() != NULL) return;  // every window has it
  fontLayout.SetHeight(height);
  playlistBox.pDrawFont = fontLayout.Get();
  pathListBox.pDrawFont = fontLayout.Get();
  SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontLayout.Get()), FALSE);
  // The window's own controls that show text; the image buttons and the seek
  // bar draw none, and the child windows' descendants (the video's own window
  // on the graph's thread among them) keep their fonts.
  for (HWND child = GetWindow(m_hWnd, GW_CHILD); child != NULL;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id == IDC_SEEK_SLIDER || SkinButton(id) != nullptr) continue;
    SendMessage(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontLayout.Get()), FALSE);
  }
}

// The flags that bring a control to its item's place and visibility; 0 when it
// is there already (each move is a trip to the window system).
UINT CMediaPlayerDlg::MoveFlags(HWND control, const LayoutItem& item) const {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  const bool placed = r.left == item.x && r.top == item.y && r.right - r.left == item.cx &&
                      r.bottom - r.top == item.cy;
  if (placed) flags |= SWP_NOMOVE | SWP_NOSIZE;
  bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
  if (item.show == Visibility::show && !shown) flags |= SWP_SHOWWINDOW;
  if (item.show == Visibility::hide && shown) flags |= SWP_HIDEWINDOW;
  return placed && (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) == 0 ? 0 : flags;
}

// All moves in one batch and none of them repainted: the pass ends with one
// repaint of the whole window (FinishLayoutPass).
void CMediaPlayerDlg::ApplyLayout(const std::vector<LayoutItem>& items) {
  // With drawing off, the window system has no visible parts to work out for
  // each move.
  SendMessage(m_hWnd, WM_SETREDRAW, FALSE, 0);
  HDWP batch = BeginDeferWindowPos(static_cast<int>(items.size()));
  for (const LayoutItem& item : items) {
    HWND control = GetDlgItem(item.id);
    const UINT flags = control != NULL ? MoveFlags(control, item) : 0;
    if (flags == 0) continue;
    if (batch != NULL)
      batch = DeferWindowPos(batch, control, NULL, item.x, item.y, item.cx, item.cy, flags);
    if (batch == NULL) SetWindowPos(control, NULL, item.x, item.y, item.cx, item.cy, flags);
  }
  if (batch != NULL) EndDeferWindowPos(batch);
  SendMessage(m_hWnd, WM_SETREDRAW, TRUE, 0);
}

// Everything is painted before the pass returns, so the window never shows
// some controls in their new places and others still in their old ones.
void CMediaPlayerDlg::FinishLayoutPass() {
  RefreshBackdrops();
  RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Traces how long a layout pass took and where ("LAYOUT WxH n us (step us, ...)").
class LayoutTimer {
 public:
  LayoutTimer(int w, int h) : width(w), height(h) {}
  ~LayoutTimer() {
    TraceFormat("LAYOUT %dx%d %lld us (%s)\n", width, height, clock.ElapsedUs(), steps.c_str());
  }
  void Lap(const char* step) {
    const long long now = clock.ElapsedUs();
    steps += (steps.empty() ? "" : ", ") + std::string(step) + " " + std::to_string(now - last);
    last = now;
  }

 private:
  int width, height;
  StopWatch clock;
  long long last = 0;
  std::string steps;
};

void CMediaPlayerDlg::LayoutControls(int first) {
  const LayoutScale k = geometry.Scale();
  for (std::string& text : fittedTexts) text.clear();  // fitted again below, in the new font
  LayoutTimer timer(k.W, k.H);
  if (first) MoveWindow(m_hWnd, 0, 0, k.W, k.H, TRUE);
  ApplyLayoutFont(k.s());
  timer.Lap("font");
  WindowDc dc(m_hWnd);
  SelectedObject font(dc.Get(), fontLayout.Get());
  auto measure = [&](int id) { return TextExtent(dc.Get(), WindowText(GetDlgItem(id))); };
  std::vector<LayoutItem> items = NormalLayout(k, measure);
  timer.Lap("measure");
  const SkinState skin =
      CurrentSkinState(IsPlaying());  // also in the first pass: nothing plays yet
  if (bLargeView) {  // the enlarged layout keeps its own places; only the title bar moves
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const LayoutItem& i) { return !MovesInEnlargedLayout(i.id); }),
                items.end());
    ApplyLayout(items);
    PrepareButtons(TitleBarButtons(), skin);
    FinishLayoutPass();
    return;
  }
  ApplyLayout(items);
  timer.Lap("move");
  PrepareButtons(TitleBarButtons(), skin);
  timer.Lap("title");
  InvalidateRect(GetDlgItem(IDC_MAP_AREA), NULL, FALSE);
  SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | WS_CLIPCHILDREN);
  if (first) CreateChildWindows();
  FitEngineWindow();
  FitGraphWindow();
  timer.Lap("engine");
  if (pGoogleMaps) {
    const int w = k.sx(421), h = k.sy(386);
    pGoogleMaps->SetMapArea(w, h);
    const UINT quiet = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    SetWindowPos(pGoogleMaps->GetSafeHwnd(), NULL, 0, 0, w, h, quiet);
    SetWindowPos(pGoogleMaps->GetDlgItem(IDC_MAP_WEBVIEW), NULL, 0, 0, w, h, quiet);
    pGoogleMaps->OnLayout(first != 0, geometry.bSizeChanged);
  }
  timer.Lap("map");
  PrepareButtons(PanelButtons(), skin);
  PrepareButtons(PlayerAreaButtons(), skin);
  timer.Lap("buttons");
  FinishLayoutPass();
  timer.Lap("finish");
}

void CMediaPlayerDlg::CreateChildWindows() {
  ReleaseEngine();
  pMediaLib = std::make_unique<CMediaLib>();
  pMediaLib->Create(GetDlgItem(IDC_VIDEO_AREA));
  pMediaLib->SetHost(GetDlgItem(IDC_VIDEO_AREA));
  pair.Attach(m_hWnd, GetDlgItem(IDC_VIDEO_AREA), pMediaLib.get());
  // Its save dialog refuses names too long for the dialog, as the open dialog does.
  pMediaLib->chooseSnapshotFile = AskForSnapshotFile;
  TraceText("===> Create Media Library");
  pGoogleMaps = std::make_unique<CGoogleMaps>();
  pGoogleMaps->Create(GetDlgItem(IDC_MAP_AREA));
  HWND graphArea = GetDlgItem(IDC_GSENSOR_AREA);
  // The graph covers its placeholder, which must not paint over it.
  SetWindowLongPtrA(graphArea, GWL_STYLE,
                    GetWindowLongPtrA(graphArea, GWL_STYLE) | WS_CLIPCHILDREN);
  pGSensor = std::make_unique<CGSENSOR>();
  pGSensor->Create(graphArea);
  pGSensor->pStore = &pGoogleMaps->Store();
  pGSensor->onSeek = [this](int second) { OnGraphSeek(second); };
}

// The graph fills its placeholder.
void CMediaPlayerDlg::FitGraphWindow() {
  if (!pGSensor || pGSensor->GetSafeHwnd() == NULL) return;
  RECT area;
  GetClientRect(GetDlgItem(IDC_GSENSOR_AREA), &area);
  pGSensor->nWidth = area.right;
  pGSensor->nHeight = area.bottom;
  SetWindowPos(pGSensor->GetSafeHwnd(), NULL, 0, 0, area.right, area.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
  InvalidateRect(pGSensor->GetSafeHwnd(), NULL, FALSE);
}

void CMediaPlayerDlg::FitEngineWindow() {
  if (!pMediaLib || pMediaLib->GetSafeHwnd() == NULL) return;
  HWND host = GetDlgItem(IDC_VIDEO_AREA);
  pMediaLib->SetHost(host);
  RECT client;
  GetClientRect(host, &client);
  SetWindowPos(pMediaLib->GetSafeHwnd(), NULL, 0, 0, client.right, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  if (!model.bStartPending) ShowWindow(pMediaLib->GetSafeHwnd(), SW_SHOW);
  InvalidateRect(pMediaLib->GetSafeHwnd(), NULL, FALSE);
  pMediaLib->PlaceVideoWindow();
  pair.Place();
}

void CMediaPlayerDlg::LayoutEnlarged() {
  const LayoutScale k = geometry.Scale();
  LayoutTimer timer(k.W, k.H);
  ApplyLayoutFont(k.s());
  WindowDc dc(m_hWnd);
  SelectedObject font(dc.Get(), fontLayout.Get());
  ApplyLayout(
      EnlargedLayout(k, [&](int id) { return TextExtent(dc.Get(), WindowText(GetDlgItem(id))); }));
  PrepareButton(IDC_LOGO, CurrentSkinState(IsPlaying()));
}

void CMediaPlayerDlg::HideForEnlarged() {
  for (int id : HiddenWhenEnlarged()) ShowWindow(GetDlgItem(id), SW_HIDE);
  for (int id : ShownWhenEnlarged()) ShowWindow(GetDlgItem(id), SW_SHOW);
}

void CMediaPlayerDlg::ShowForNormal() {
  for (int id : ShownWhenNormal()) ShowWindow(GetDlgItem(id), SW_SHOW);
  for (int id : HiddenWhenNormal()) ShowWindow(GetDlgItem(id), SW_HIDE);
}

// Measures in a memory DC of the dialog's own (a window DC costs a round trip to
// the window system every second), and only the texts that changed since the
// last fit.
void CMediaPlayerDlg::RefitReadoutText() {
  const std::string* texts[] = {
      &readouts.strAltitude, &readouts.strLatitude, &readouts.strLongitude,
      &readouts.strGForceX,  &readouts.strGForceY,  &readouts.strGForceZ,
      &readouts.strSpeed,    &readouts.strSecond,   &readouts.strUnit};
  static_assert(sizeof texts / sizeof texts[0] == kReadoutCount, "one text per readout");
  SelectedObject font(measureDc.Get(), fontLayout.Get());
  GdiRegion uncovered;  // what the moves change on screen, repainted in one go
  for (size_t i = 0; i < kReadoutCount; ++i) {
    if (fittedTexts[i] == *texts[i]) continue;
    HWND control = GetDlgItem(kReadoutIds[i]);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    const LayoutSize size = TextExtent(measureDc.Get(), *texts[i]);
    fittedTexts[i] = *texts[i];
    if (size.cx == r.right - r.left) continue;
    // Resized without its own repaint (a synchronous one per control is slow on
    // some systems); old and new places are invalidated below.
    SetWindowPos(control, NULL, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    r.right = r.left + (size.cx > r.right - r.left ? size.cx : r.right - r.left);
    r.bottom = r.top + (size.cy > r.bottom - r.top ? size.cy : r.bottom - r.top);
    AddToRegion(uncovered, r);
  }
  if (uncovered.Get() != NULL)
    RedrawWindow(m_hWnd, NULL, uncovered.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
