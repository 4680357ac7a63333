#include "MediaPlayerDlg_win.h"

#include <windowsx.h>

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

CMediaPlayerDlg::CMediaPlayerDlg() : brushBack(CreateSolidBrush(kBackColour)) {}

INT_PTR CMediaPlayerDlg::DoModal(HINSTANCE instance) {
  hInstance = instance;
  hIcon = LoadIcon(instance, MAKEINTRESOURCE(IDR_MAINFRAME));
  return DialogBoxParam(instance, MAKEINTRESOURCE(IDD_MEDIAPLAYER_DIALOG), NULL, DialogProc,
                        reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CMediaPlayerDlg::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CMediaPlayerDlg* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CMediaPlayerDlg*>(lParam);
    self->hWnd = hwnd;
    SetWindowLongPtr(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<CMediaPlayerDlg*>(GetWindowLongPtr(hwnd, DWLP_USER));
  }
  // Messages sent before WM_INITDIALOG (WM_SETFONT and the like) get the default.
  return self ? self->OnMessage(msg, wParam, lParam) : FALSE;
}

INT_PTR CMediaPlayerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_COMMAND:
      // Enter and Escape arrive as IDOK and IDCANCEL; neither closes this window.
      return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
    case WM_LBUTTONDOWN:
      OnLButtonDown(lParam);
      return FALSE;
    case WM_SIZING:
      OnSizing(wParam, reinterpret_cast<RECT*>(lParam));
      return FALSE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CTLCOLOR_DLG));
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    default:
      return FALSE;
  }
}

BOOL CMediaPlayerDlg::OnInitDialog() {
  SendMessage(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
  SendMessage(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
  // Seen only in the task bar, since the window has no caption.
  SetWindowTextA(hWnd, "PLAYER");
  MoveWindow(hWnd, 0, 0, kCanvasWidth, kCanvasHeight, FALSE);
  bInitDone = 1;
  return TRUE;
}

void CMediaPlayerDlg::OnClose() { EndDialog(hWnd, IDCANCEL); }

void CMediaPlayerDlg::OnLButtonDown(LPARAM point) {
  // No caption to hold, so a press anywhere on the background starts a move.
  if (bMaximized) return;
  POINT at = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  ClientToScreen(hWnd, &at);  // non-client messages carry screen coordinates
  PostMessage(hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

void CMediaPlayerDlg::OnSizing(WPARAM edge, RECT* rect) {
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
}

HBRUSH CMediaPlayerDlg::OnCtlColor(HDC, HWND, UINT kind) {
  return kind == CTLCOLOR_DLG ? brushBack.Get() : NULL;
}

HICON CMediaPlayerDlg::OnQueryDragIcon() { return hIcon; }
