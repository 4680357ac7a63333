#include "MediaPlayerApp_win.h"

#include <commctrl.h>

#include <string>

#include "app/MediaPlayerDlg_win.h"
#include "app/command_line.h"
#include "framework/Owners_win.h"
#include "framework/Trace_win.h"
#include "telemetry/number_text.h"

namespace {

std::string CurrentFolder() {
  const DWORD size = GetCurrentDirectoryA(0, NULL);
  std::string folder(size, '\0');
  const DWORD n = size ? GetCurrentDirectoryA(size, &folder[0]) : 0;
  folder.resize(n < size ? n : 0);
  return folder;
}

// The start clip and second from the command line, when the clip exists; else
// what to tell the user once the window shows.
void ApplyStartRequest(CMediaPlayerDlg& dlg) {
  StartRequest request;
  if (!ParseStartCommandLine(GetCommandLineA(), CurrentFolder(), request)) {
    if (!request.strArgument.empty()) dlg.strStartProblem = StartProblemText(request);
    return;
  }
  const DWORD attributes = GetFileAttributesA(request.strClip.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    dlg.strStartProblem = StartProblemText(request);
    return;
  }
  dlg.strStartClip = request.strClip;
  dlg.SetStartSecond(numtext::AtoI(request.strSecond));  // digits only: never negative
}

}  // namespace

BOOL CMediaPlayerApp::InitInstance() {
  InstallTraceSink();
  // The manifest asks for common controls 6; register their classes up front.
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  CMediaPlayerDlg dlg;
  ApplyStartRequest(dlg);
  {
    ComApartment com;
    dlg.DoModal();
    dlg.ReleaseEngine();  // graphs are released in the apartment that made them
  }
  return FALSE;
}
