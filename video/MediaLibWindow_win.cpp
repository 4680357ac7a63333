// The engine as a window: its video window, full screen, input, background.
#include "video/MediaLib_win.h"

#include "framework/Trace_win.h"
#include "video/EngineInput_win.h"

namespace {

OAHWND AsOaHwnd(HWND hwnd) { return reinterpret_cast<OAHWND>(hwnd); }

}  // namespace

int CMediaLib::PlaceVideoWindow() {
  if (!pVideoWindow) return 0;
  if (IsPartner()) {
    PlacePartnerVideo();
    return 0;
  }
  const RECT area = VideoArea();
  long visible = OAFALSE;
  pVideoWindow->get_Visible(&visible);
  // Owner and style only when they differ: each change is a round of messages
  // to the renderer's own thread, and a layout pass places the video every time.
  OAHWND owner = 0;
  if (FAILED(pVideoWindow->get_Owner(&owner)) || owner != AsOaHwnd(VideoSurface()))
    pVideoWindow->put_Owner(AsOaHwnd(VideoSurface()));
  // One call for place and size: some renderers take put_Left and put_Top in
  // screen coordinates, which moves a child window off its surface.
  pVideoWindow->SetWindowPosition(0, 0, area.right - area.left, area.bottom - area.top);
  long style = 0;
  const long wanted = WS_CHILD | WS_CLIPSIBLINGS;
  if (FAILED(pVideoWindow->get_WindowStyle(&style)) ||
      (style & ~static_cast<long>(WS_VISIBLE)) != wanted)
    pVideoWindow->put_WindowStyle(wanted);
  // Some renderers hide the window with a new style; a shown video stays shown.
  // A graph that runs or pauses always shows its video: while the engine window
  // is hidden (a command-line start) the video reads as not visible, and hidden
  // by the new style it would stay so when the engine window shows.
  if (visible != OAFALSE || (pMediaControl && !IsStopped())) pVideoWindow->put_Visible(OATRUE);
  return 0;
}

void CMediaLib::EnterFullScreen() {
  if (!pGraphBuilder || !pFrameStep || !pVideoWindow) return;
  pVideoWindow->put_WindowStyle(WS_CLIPCHILDREN);
  // Keys and clicks of the full-screen window come to the surface, so to us.
  pVideoWindow->put_MessageDrain(AsOaHwnd(VideoSurface()));
  pVideoWindow->put_FullScreenMode(OATRUE);
}

void CMediaLib::LeaveFullScreen() {
  if (!pVideoWindow) return;
  pVideoWindow->put_FullScreenMode(OAFALSE);
  // Some renderers keep the full-screen size and style after leaving.
  PlaceVideoWindow();
}

BOOL CMediaLib::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == 'S' && GetKeyState(VK_CONTROL) < 0) {
    if (m_hWnd != NULL) PostMessageA(GetAncestor(m_hWnd, GA_ROOT), kSnapshotKeyMessage, 0, 0);
    return TRUE;
  }
  switch (ClassifyEngineInput(*msg)) {
    case EngineInput::LeaveFullScreen:
      LeaveFullScreen();
      return TRUE;
    case EngineInput::TogglePlay:
      if (IsRunning())
        Pause();
      else
        Play();
      bKeyToggled = true;
      if (m_hWnd != NULL) PostMessageA(GetAncestor(m_hWnd, GA_ROOT), kKeyToggledMessage, 0, 0);
      return TRUE;
    case EngineInput::ForwardKey:
      // The main window decides: its keys work the same in the video.
      if (m_hWnd != NULL)
        PostMessageA(GetAncestor(m_hWnd, GA_ROOT), kForwardedKeyMessage, msg->wParam,
                     ForwardedKeyFlagsOf(*msg, GetKeyState(VK_SHIFT) < 0,
                                         GetKeyState(VK_CONTROL) < 0));
      if (msg->message == WM_KEYDOWN) TranslateMessage(msg);  // its character may be a key too
      return TRUE;
    case EngineInput::Swallow:
      return TRUE;
    case EngineInput::PassOn:
      break;
  }
  return CDialogBase::PreTranslateMessage(msg);
}

bool CMediaLib::OnEraseBkgnd(HDC dc, LRESULT&) {
  const RECT area = VideoArea();
  HWND surface = VideoSurface();
  if (surface != NULL)
    MoveWindow(surface, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  if (pGraphBuilder) {
    TraceText("\r\n ****** pGraphBuilder != NULL ******* \r\n ");
    // The video is drawn by the renderer; the erase must not paint over it.
    RECT video = {0, 0, 0, 0};
    if (surface != NULL && GetWindowRect(surface, &video)) {
      MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&video), 2);
      ExcludeClipRect(dc, video.left, video.top, video.right, video.bottom);
    }
  } else {
    TraceText("\r\n ****** Set BK Color=RGB(0,0,0) ******* \r\n ");
    SetBkColor(dc, RGB(0, 0, 0));
  }
  return false;  // the dialog's own erase, with the brush below
}

HBRUSH CMediaLib::OnCtlColor(HDC dc, HWND control, UINT kind) {
  CDialogBase::OnCtlColor(dc, control, kind);
  return brushBlack.Get();
}
