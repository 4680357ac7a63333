// The main window: a captionless, resizable pop-up from dialog template 102.
#pragma once

#include <windows.h>

#include "Owners_win.h"

class CMediaPlayerDlg {
 public:
  CMediaPlayerDlg();
  CMediaPlayerDlg(const CMediaPlayerDlg&) = delete;
  CMediaPlayerDlg& operator=(const CMediaPlayerDlg&) = delete;

  // Shows the window and returns when it has been closed.
  INT_PTR DoModal(HINSTANCE instance);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // TRUE when the message was handled, FALSE for the default dialog processing.
  INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  BOOL OnInitDialog();
  void OnClose();
  void OnLButtonDown(LPARAM point);
  void OnSizing(WPARAM edge, RECT* rect);
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
  HICON OnQueryDragIcon();

  HWND hWnd = NULL;
  HINSTANCE hInstance = NULL;
  HICON hIcon = NULL;  // shared resource icon, not owned
  GdiBrush brushBack;
  int bMaximized = 0;
  int bInitDone = 0;
  int bRelayoutPending = 0;
};
