#include "app/MediaPlayerDlg_win.h"

#include <shellapi.h>

#include "app/layout.h"
#include "framework/Trace_win.h"
#include "map/GoogleMaps_win.h"
#include "resource.h"
#include "video/MediaLib_win.h"

namespace {

const char kVersion[] = "2.3.0.1";
const char kMakerSite[] = "https://example.com/";  // the maker's site, opened by the logo button

}  // namespace

int nClientWidth = 1366;
int nClientHeight = 768;
int bSizeChanged = 1;
int bEnlargedView = 0;
int nMapRetryCounter = 1;

CMediaPlayerDlg::CMediaPlayerDlg()
    : CDialogBase(IDD_MEDIAPLAYER_DIALOG),
      brushBlack(CreateSolidBrush(RGB(0, 0, 0))),
      brushVersion(CreateSolidBrush(RGB(0x30, 0x30, 0x30))) {
  hIcon = LoadIcon(AppInstance(), MAKEINTRESOURCE(IDR_MAINFRAME));
  strVersion = std::string("VERSION : ") + kVersion;
  TraceText("===>Initial Finish");
}

CMediaPlayerDlg::~CMediaPlayerDlg() = default;

void CMediaPlayerDlg::ReleaseEngine() {
  if (!pMediaLib) return;
  pMediaLib->Stop();
  pMediaLib->ReleaseGraph();
  pMediaLib.reset();
}

void CMediaPlayerDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, 1002, strTimeText);
  DDX_Text(dx, 1004, strTimeText);
  DDX_Text(dx, 1019, readouts.strAltitude);
  DDX_Text(dx, 1018, readouts.strLatitude);
  DDX_Text(dx, 1017, readouts.strLongitude);
  DDX_Text(dx, 1025, readouts.strSpeed);
  DDX_Text(dx, 1058, readouts.strUnit);
  DDX_Text(dx, 1063, readouts.strSecond);
  DDX_Text(dx, 1020, readouts.strGForceX);
  DDX_Text(dx, 1021, readouts.strGForceY);
  DDX_Text(dx, 1022, readouts.strGForceZ);
  DDX_Text(dx, 1053, strVersion);
}

BOOL CMediaPlayerDlg::PreTranslateMessage(MSG* msg) {
  // Keys never reach the dialog manager, so Enter and Escape cannot close the window.
  if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) return TRUE;
  return CDialogBase::PreTranslateMessage(msg);
}

bool CMediaPlayerDlg::OnButtonClicked(int id) {
  switch (id) {
    case 1005:
      app_Play(0);
      return true;
    case 1006:
      OnStopButton();
      return true;
    case 1007:
      OpenVideoFile();
      return true;
    case 1008:
      OnLargeViewButton();
      return true;
    case 1009:
      OnSnapshotButton();
      return true;
    case 1011:
      BrowseFolder();
      return true;
    case 1012:
      AddFile();
      return true;
    case 1013:
      DeleteEntry();
      return true;
    case 1023:
      OnCancel();
      return true;
    case 1024:
      ShowWindow(m_hWnd, SW_MINIMIZE);
      return true;
    case 1027:
      OnMphRadio();
      return true;
    case 1036:
      OnMaximizeButton();
      return true;
    case 1044:
      ShellExecuteA(NULL, "open", kMakerSite, NULL, NULL, SW_SHOWNORMAL);
      return true;
    case 1050:
      OnFrameStepButton();
      return true;
    case 1059:
      OnKphRadio();
      return true;
    case 1060:
      OnFullScreenButton();
      return true;
    default:
      return false;
  }
}

bool CMediaPlayerDlg::OnCommand(int id, int code, HWND) {
  if (id == 1014 && code == LBN_DBLCLK) {
    PlayEntry();
    return true;
  }
  return false;
}

bool CMediaPlayerDlg::OnLButtonDown(UINT, POINT at) {
  // No caption to hold, so a press anywhere on the background starts a move.
  if (bMaximized) return false;
  ClientToScreen(m_hWnd, &at);  // non-client messages carry screen coordinates
  PostMessage(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
  return false;
}

bool CMediaPlayerDlg::OnSizing(UINT edge, RECT* rect) {
  bRelayoutPending = 1;
  static const DragEdge kEdges[] = {DragEdge::left,   DragEdge::left,       DragEdge::right,
                                    DragEdge::top,    DragEdge::topLeft,    DragEdge::topRight,
                                    DragEdge::bottom, DragEdge::bottomLeft, DragEdge::bottomRight};
  WindowRect r{rect->left, rect->top, rect->right, rect->bottom};
  KeepMinimumSize(edge < 9 ? kEdges[edge] : DragEdge::bottomRight, r);
  *rect = RECT{r.left, r.top, r.right, r.bottom};
  return true;
}

bool CMediaPlayerDlg::OnDestroy() {
  OnStopButton();
  StopTimer();
  return false;
}

bool CMediaPlayerDlg::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_QUERYDRAGICON) return false;
  result = reinterpret_cast<LRESULT>(hIcon);
  return true;
}
