#include "MediaPlayerApp_win.h"

#include <commctrl.h>

#include "MediaPlayerDlg_win.h"
#include "framework/Owners_win.h"
#include "framework/Trace_win.h"

CMediaPlayerApp theApp;

BOOL CMediaPlayerApp::InitInstance() {
  InstallTraceSink();
  // The manifest asks for common controls 6; register their classes up front.
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  ComApartment com;
  CMediaPlayerDlg dlg;
  dlg.DoModal();
  return FALSE;
}
