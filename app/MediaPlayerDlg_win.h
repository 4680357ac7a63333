// The main window: a captionless, resizable pop-up from dialog template 102.
#pragma once

#include <windows.h>

#include "framework/Dialog_win.h"
#include "framework/Owners_win.h"

class CMediaPlayerDlg : public CDialogBase {
 public:
  CMediaPlayerDlg();

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  BOOL OnInitDialog() override;
  bool OnLButtonDown(UINT flags, POINT point) override;
  bool OnSizing(UINT edge, RECT* rect) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HICON hIcon = NULL;  // shared resource icon, not owned
  GdiBrush brushBack;
  int bMaximized = 0;
  int bInitDone = 0;
  int bRelayoutPending = 0;
};
