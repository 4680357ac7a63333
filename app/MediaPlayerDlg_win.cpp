#include "MediaPlayerDlg_win.h"

#include "resource.h"

namespace {

// Reference canvas of the layout; the window first shows at this outer size.
const int kCanvasWidth = 1366;
const int kCanvasHeight = 768;

// Smallest outer size the user can drag the window to.
const LONG kMinWidth = 684;
const LONG kMinHeight = 324;

const COLORREF kBackColour = RGB(24, 24, 28);

}  // namespace

CMediaPlayerDlg::CMediaPlayerDlg()
    : CDialogBase(IDD_MEDIAPLAYER_DIALOG), brushBack(CreateSolidBrush(kBackColour)) {
  hIcon = LoadIcon(AppInstance(), MAKEINTRESOURCE(IDR_MAINFRAME));
}

BOOL CMediaPlayerDlg::PreTranslateMessage(MSG* msg) {
  // Keys never reach the dialog manager, so Enter and Escape cannot close the window.
  if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) return TRUE;
  return CDialogBase::PreTranslateMessage(msg);
}

BOOL CMediaPlayerDlg::OnInitDialog() {
  SendMessage(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
  SendMessage(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
  // Seen only in the task bar, since the window has no caption.
  SetWindowTextA(m_hWnd, "PLAYER");
  MoveWindow(m_hWnd, 0, 0, kCanvasWidth, kCanvasHeight, FALSE);
  bInitDone = 1;
  return TRUE;
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
  // Clamp on the side being dragged so that the opposite edge stays put.
  if (rect->right - rect->left < kMinWidth) {
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
      rect->left = rect->right - kMinWidth;
    else
      rect->right = rect->left + kMinWidth;
  }
  if (rect->bottom - rect->top < kMinHeight) {
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
      rect->top = rect->bottom - kMinHeight;
    else
      rect->bottom = rect->top + kMinHeight;
  }
  return true;
}

HBRUSH CMediaPlayerDlg::OnCtlColor(HDC, HWND, UINT kind) {
  return kind == CTLCOLOR_DLG ? brushBack.Get() : NULL;
}

bool CMediaPlayerDlg::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_QUERYDRAGICON) return false;
  result = reinterpret_cast<LRESULT>(hIcon);
  return true;
}
