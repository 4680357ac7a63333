#include "app/MediaPlayerDlg_win.h"

#include <shellapi.h>

#include "app/layout.h"
#include "framework/Trace_win.h"
#include "graph/GSensor_win.h"
#include "map/GoogleMaps_win.h"
#include "framework/MessageBox_win.h"
#include "video/MediaLib_win.h"

namespace {

const char kVersion[] = "2.3.0.1";
const char kMakerSite[] = "https://example.com/";  // the maker's site, opened by the logo button

}  // namespace

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
  pair.Detach();
  if (!pMediaLib) return;
  pMediaLib->Stop();
  pMediaLib->ReleaseGraph();
  pMediaLib.reset();
}

void CMediaPlayerDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, IDC_TIME_TEXT, strTimeText);
  DDX_Text(dx, IDC_TIME_TEXT_LARGE, strTimeText);
  DDX_Text(dx, IDC_ALTITUDE, readouts.strAltitude);
  DDX_Text(dx, IDC_LATITUDE, readouts.strLatitude);
  DDX_Text(dx, IDC_LONGITUDE, readouts.strLongitude);
  DDX_Text(dx, IDC_SPEED_TEXT, readouts.strSpeed);
  DDX_Text(dx, IDC_UNIT_TEXT, readouts.strUnit);
  DDX_Text(dx, IDC_SECOND_TEXT, readouts.strSecond);
  DDX_Text(dx, IDC_GFORCE_X, readouts.strGForceX);
  DDX_Text(dx, IDC_GFORCE_Y, readouts.strGForceY);
  DDX_Text(dx, IDC_GFORCE_Z, readouts.strGForceZ);
  DDX_Text(dx, IDC_VERSION_TEXT, strVersion);
  DDX_Control(dx, IDC_SEEK_SLIDER, seekSlider);
  DDX_Control(dx, IDC_PLAYLIST, playlistBox);
  DDX_Control(dx, IDC_PATH_LIST, pathListBox);
  const std::vector<int>& buttons = SkinnedButtons();
  for (size_t i = 0; i < buttons.size() && i < kSkinButtonCount; ++i)
    DDX_Control(dx, buttons[i], skinButtons[i]);
}

BOOL CMediaPlayerDlg::PreTranslateMessage(MSG* msg) {
  // Ctrl+S takes a snapshot, in both layouts (the snapshot button has no
  // place of its own in them).
  if (msg->message == WM_KEYDOWN && msg->wParam == 'S' && GetKeyState(VK_CONTROL) < 0) {
    OnSnapshotButton();
    return TRUE;
  }
  if ((msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && OnKeyMessage(*msg)) return TRUE;
  // Keys never reach the dialog manager, so Enter and Escape cannot close the
  // window; a key-down is still made into its character (',' '.' '?' are keys).
  if (msg->message == WM_KEYDOWN) TranslateMessage(msg);
  if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_CHAR) return TRUE;
  return CDialogBase::PreTranslateMessage(msg);
}

bool CMediaPlayerDlg::OnButtonClicked(int id) {
  switch (id) {
    case IDC_PLAY_PAUSE:
      app_Play(0);
      return true;
    case IDC_STOP:
      OnStopButton();
      return true;
    case IDC_OPEN_VIDEO:
      OpenVideoFile();
      return true;
    case IDC_LARGE_VIEW:
      OnLargeViewButton();
      return true;
    case IDC_SNAPSHOT:
      OnSnapshotButton();
      return true;
    case IDC_BROWSE_FOLDER:
      BrowseFolder();
      return true;
    case IDC_ADD_FILE:
      AddFile();
      return true;
    case IDC_DELETE_FILE:
      DeleteEntry();
      return true;
    case IDC_CLOSE:
      OnCancel();
      return true;
    case IDC_MINIMIZE:
      ShowWindow(m_hWnd, SW_MINIMIZE);
      return true;
    case IDC_MPH_RADIO:
      OnMphRadio();
      return true;
    case IDC_MAXIMIZE:
      OnMaximizeButton();
      return true;
    case IDC_WEB_SITE:
      ShellExecuteA(NULL, "open", kMakerSite, NULL, NULL, SW_SHOWNORMAL);
      return true;
    case IDC_FRAME_STEP:
      OnFrameStepButton();
      return true;
    case IDC_KPH_RADIO:
      OnKphRadio();
      return true;
    case IDC_FULL_SCREEN:
      OnFullScreenButton();
      return true;
    default:
      return false;
  }
}

bool CMediaPlayerDlg::OnCommand(int id, int code, HWND) {
  if (id == IDC_PLAYLIST && code == LBN_DBLCLK) {
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

bool CMediaPlayerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_GETMINMAXINFO: {  // every size change, not only a drag of an edge
      MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize.x = kMinWindowWidth;
      limits->ptMinTrackSize.y = kMinWindowHeight;
      result = 0;
      return true;
    }
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(hIcon);
      return true;
    case CMediaLib::kKeyToggledMessage:
      OnKeyToggled();
      result = 0;
      return true;
    case CMediaLib::kSnapshotKeyMessage:
      OnSnapshotButton();
      result = 0;
      return true;
    case CMediaLib::kForwardedKeyMessage:
      OnForwardedKey(wParam, lParam);
      result = 0;
      return true;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      result = 0;
      return true;
    case kReadFactsMessage:
      ReadFactsChunk(wParam);
      result = 0;
      return true;
    case CPairPanel::kClickedMessage:
      pair.Swap();
      TraceFormat("PAIR swapped: %s large\n", pair.PartnerLarge() ? "partner" : "main");
      result = 0;
      return true;
    case CPairStage::kLeaveMessage:
      pair.LeaveFullScreen();
      result = 0;
      return true;
    case kStartProblemMessage:
      ShowStartProblem();
      result = 0;
      return true;
    default:
      return false;
  }
}

// Posted by the window's initialisation, so the box comes over the shown window.
void CMediaPlayerDlg::ShowStartProblem() {
  if (strStartProblem.empty()) return;
  const std::string text = strStartProblem;
  strStartProblem.clear();
  ShowMessageBox(m_hWnd, text.c_str(), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
}
