#include "MediaPlayerApp_win.h"

#include <commctrl.h>

#include "MediaPlayerDlg_win.h"
#include "Owners_win.h"

CMediaPlayerApp theApp;

BOOL CMediaPlayerApp::InitInstance() {
  // The manifest asks for common controls 6; register their classes up front.
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  CMediaPlayerDlg dlg;
  {
    ComApartment com;
    dlg.DoModal(GetModuleHandle(NULL));
  }
  return FALSE;
}
