// Clip loading, the one-second tick and the transport buttons of the main window.
#include <windows.h>

#include <commctrl.h>

#include "app/MediaPlayerDlg_win.h"
#include "app/clip_names.h"
#include "app/gauges.h"
#include "app/time_text.h"
#include "framework/StopWatch_win.h"
#include "framework/Trace_win.h"
#include "framework/WaitCursor_win.h"
#include "graph/GSensor_win.h"
#include "map/GoogleMaps_win.h"
#include "map/internet_ok.h"
#include "map/route_seconds.h"
#include "telemetry/text_file.h"
#include "video/MediaLib_win.h"

void CMediaPlayerDlg::app_LoadVideo(std::string path) {
  SetInternetOk(1);
  if (pGoogleMaps) ShowWindow(pGoogleMaps->GetSafeHwnd(), SW_HIDE);
  const std::string sidecar = SidecarPathOf(path);
  {
    WaitCursor wait;
    FitEngineWindow();
    if (pMediaLib) pMediaLib->LoadClip(path);
    bStopped = 0;
    TraceText("\r\n Play And Load Video File app_LoadVideo ");
  }
  TraceFormat("[%s] \r\n [%s]", path.c_str(), sidecar.c_str());
  nClipLengthSec = pMediaLib ? pMediaLib->LengthSec() : 0;
  strTimeText = TimeText(0, nClipLengthSec);
  LoadSidecar(sidecar);
  UpdateData(FALSE);
  HWND slider = GetDlgItem(IDC_SEEK_SLIDER);
  SendMessage(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, nClipLengthSec));
  SendMessage(slider, TBM_SETRANGEMAX, FALSE, nClipLengthSec);  // beyond 16 bits too
  seekSlider.nMax = nClipLengthSec;
  SendMessage(slider, TBM_SETPOS, TRUE, 0);
  EnableWindow(slider, TRUE);
  TraceText("\r\n Open GPS Video File:Start Timer");
  StartTimer();
}

void CMediaPlayerDlg::LoadSidecar(const std::string& sidecar) {
  bHasSidecar = !sidecar.empty() && textfile::CanOpenForReading(sidecar) ? 1 : 0;
  if (!pGoogleMaps) return;
  pGoogleMaps->LoadTelemetry(sidecar, bHasSidecar, nClipLengthSec);
  if (pGSensor) pGSensor->nClipSec = nClipLengthSec;  // a longer sidecar is cut to the clip
  routeView.SetRoute(bHasSidecar == 1 ? RouteFromTable(pGoogleMaps->Table())
                                      : std::vector<RouteFix>());
  nRouteRow = -2;  // the next second draws the car
  if (!bLargeView && GetInternetOk() == 0) {
    const RECT panel = MapPanelRect();  // the new route, or the offline picture
    InvalidateRect(m_hWnd, &panel, FALSE);
  }
  if (bHasSidecar == 0) return;  // the table is empty and the map stays hidden
  pGoogleMaps->ShowMap();
  ShowWindow(pGoogleMaps->GetSafeHwnd(), SW_SHOW);
}

int CMediaPlayerDlg::StartTimer() {
  StopTimer();
  nTimerId = SetTimer(m_hWnd, kTickTimerId, 1000, NULL);
  TraceText("\n\n===>  Start Timer ***\n");
  return 0;
}

int CMediaPlayerDlg::StopTimer() {
  if (nTimerId != 0) {
    KillTimer(m_hWnd, nTimerId);
    TraceText("<===  Stop Timer ***\n\n");
    nTimerId = 0;
  }
  return 0;
}

bool CMediaPlayerDlg::IsPlaying() {
  return pMediaLib && pMediaLib->HasClip() && pMediaLib->IsRunning();
}

// Space or Enter in the video toggled play: the button and the tick follow.
void CMediaPlayerDlg::OnKeyToggled() {
  if (!pMediaLib || !pMediaLib->TakeKeyToggle()) return;
  const bool playing = IsPlaying();
  SetPlayButtonImage(playing);
  if (playing && nTimerId == 0) StartTimer();
}

bool CMediaPlayerDlg::OnTimer(UINT_PTR) {
  OnKeyToggled();
  RetryMapWhenOffline();
  StopWatch clock;
  const CMediaLib::Position at = pMediaLib ? pMediaLib->ReportPosition() : CMediaLib::Position();
  const int s = at.second;
  if (bHasSidecar == 1 && pGoogleMaps) pGoogleMaps->UpdateTargetPos(s, 1);
  GdiRegion repaint;  // the window's parts this second changes, invalidated at once
  ShowSecond(s, &repaint);
  strTimeText = TimeText(s, at.length);
  nShownSec = s;
  ReadoutsStepFor(s);
  RefitReadoutText();
  UpdateData(FALSE);
  const bool advanced = nShownSec >= nClipLengthSec && nShownSec != 0 && AdvancePlaylist();
  if (bStartPending == 1) {
    if (pMediaLib && pMediaLib->LengthSec() >= nStartSec) SeekToSecond(nStartSec);
    if (pMediaLib) ShowWindow(pMediaLib->GetSafeHwnd(), SW_SHOW);
    bStartPending = 0;
  }
  InvalidateGauges(repaint);
  TraceFormat("TICK %lld us\n", clock.ElapsedUs());
  if (!advanced && s >= at.length) OnStopButton();
  return true;
}

void CMediaPlayerDlg::RetryMapWhenOffline() {
  if (GetInternetOk() != 0) return;
  if (nMapRetryCounter % 10 == 0) {
    if (pGoogleMaps) pGoogleMaps->ShowMap();
    nMapRetryCounter = 1;
  }
  ++nMapRetryCounter;
}

// Slider, graph and the route view's car at second s. A slider already there is
// left alone (a tick while paused repeats its second). The map area is added to
// `repaint` when given, else invalidated at once.
void CMediaPlayerDlg::ShowSecond(int s, GdiRegion* repaint) {
  HWND slider = GetDlgItem(IDC_SEEK_SLIDER);
  // TBM_SETPOS with redraw invalidates the slider itself.
  if (SendMessage(slider, TBM_GETPOS, 0, 0) != s) SendMessage(slider, TBM_SETPOS, TRUE, s);
  // The graph window itself: its placeholder would flash black first.
  if (pGSensor && pGSensor->GetSafeHwnd() != NULL) {
    pGSensor->nCursorSec = s;
    InvalidateRect(pGSensor->GetSafeHwnd(), NULL, FALSE);
  }
  if (!MoveCar(s)) return;
  const RECT panel = MapPanelRect();
  if (repaint != nullptr) return AddToRegion(*repaint, panel);
  InvalidateRect(m_hWnd, &panel, FALSE);
}

// The route view's car: the map area needs a repaint when the car moves, and
// when the view comes or goes (the connection check answers in between ticks).
bool CMediaPlayerDlg::MoveCar(int s) {
  nRouteSec = s;
  const int64_t row = routeView.CarRowAt(s);
  const bool shows = ShowsRouteView();
  const bool changed = row != nRouteRow || shows != bRouteShown;
  nRouteRow = row;
  bRouteShown = shows;
  return changed && shows;
}

// A click on the graph: to that second at once, when a clip is there to seek in.
void CMediaPlayerDlg::OnGraphSeek(int second) {
  if (!pMediaLib || !pMediaLib->IsReady()) return;
  SeekToSecond(second);
  ShowSecond(second);
}

// Only the needles (and the route view's car) move each second: the dial and
// the compass are repainted, not the whole window. One region, one call: each
// invalidation is a round trip to the window server on some systems.
void CMediaPlayerDlg::InvalidateGauges(GdiRegion& repaint) {
  for (const GaugeArea& a :
       {SpeedGaugeArea(nClientWidth, nClientHeight), CompassGaugeArea(nClientWidth, nClientHeight)})
    AddToRegion(repaint, RECT{a.left, a.top, a.right, a.bottom});
  InvalidateRgn(m_hWnd, repaint.Get(), FALSE);
}

// The next playlist row, when the clip that ended is a playlist row.
bool CMediaPlayerDlg::AdvancePlaylist() {
  if (!bPlayingListRow) return false;
  if (SendMessage(GetDlgItem(IDC_PLAYLIST), LB_SETCURSEL, nPlayIndex + 1, 0) == LB_ERR)
    return false;
  nPlayIndex = nPlayIndex + 1;
  app_LoadVideo(PathAt(nPlayIndex));
  return true;
}

int CMediaPlayerDlg::app_Play(int pauseOnly) {
  if (pauseOnly != 0) return PauseForLayout();
  TraceText("===> Check Play Status");
  if (IsPlaying()) {
    TraceText("===> Video is Running");
    StopTimer();
    SetPlayButtonImage(false);
    pMediaLib->Pause();
    return 0;
  }
  TraceText("===> Video is Not Running");
  TraceText("\r\n <===> Start app_Play ====>");
  if (bStopped == 1) {
    ReloadAfterStop();
    TraceText("\r\n ===> End Play Video File , Find Selected File");
  }
  if (pMediaLib && pMediaLib->HasClip()) {
    TraceText("\r\n ###### app_Play is pause to Play");
    pMediaLib->Play();
  }
  TraceText("===> End app_Play");
  const bool playing = IsPlaying();
  SetPlayButtonImage(playing);
  if (playing && nTimerId == 0) StartTimer();
  return 0;
}

// Pauses a running clip before a re-layout; 1 when it paused.
int CMediaPlayerDlg::PauseForLayout() {
  if (!pMediaLib) {
    TraceText("===>  Media Library is NULL");
    return 0;
  }
  TraceText("Check Media Library is created");
  if (!pMediaLib->IsReady() || !IsPlaying()) return 0;
  pMediaLib->Pause();
  StopTimer();
  SetPlayButtonImage(false);
  return 1;
}

// Play after a stop starts the selected playlist row from its start, or, with no
// row selected, the clip that was playing (one opened with "Open Video").
void CMediaPlayerDlg::ReloadAfterStop() {
  const int row = static_cast<int>(SendMessage(GetDlgItem(IDC_PLAYLIST), LB_GETCURSEL, 0, 0));
  if (row >= 0) {
    nPlayIndex = row;
    bPlayingListRow = 1;
    app_LoadVideo(PathAt(row));
  } else if (pMediaLib && pMediaLib->HasClip()) {
    app_LoadVideo(pMediaLib->ClipPath());
  }
}

void CMediaPlayerDlg::OnStopButton() {
  StopTimer();
  if (!pMediaLib) {
    TraceText("===>  Media Library is NULL");
  } else {
    TraceText("Check Media Library is created");
    if (pMediaLib->IsReady()) StopClip();
  }
  // Nothing plays after a stop, also when the clip could not be rendered.
  SetPlayButtonImage(false);
  if (pGoogleMaps) pGoogleMaps->UpdateTargetPos(0, 1);
  ShowSecond(0);
  strTimeText = TimeText(0, 0);
  nShownSec = 0;
  UpdateData(FALSE);
}

void CMediaPlayerDlg::StopClip() {
  bStopped = 1;
  WaitCursor wait;
  if (pMediaLib) {
    pMediaLib->Stop();
    pMediaLib->ReleaseGraph();
    InvalidateRect(pMediaLib->GetSafeHwnd(), NULL, TRUE);
  }
  TraceText("Invalidate Finish");
}

bool CMediaPlayerDlg::OnHScroll(UINT code, UINT pos, HWND scrollBar) {
  if (scrollBar != GetDlgItem(IDC_SEEK_SLIDER)) return false;
  // Only the thumb codes carry a position; the others (a click in the channel, a
  // key, the end of a drag) come with 0 and would send the video to its start.
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) SeekToSecond(static_cast<int>(pos));
  return false;
}

void CMediaPlayerDlg::SeekToSecond(int seconds) {
  if (pMediaLib) pMediaLib->SeekTo(seconds);  // guarded there: no graph, no seek
  if (IsPlaying() && nTimerId == 0) StartTimer();
}

void CMediaPlayerDlg::OnFrameStepButton() {
  // The engine falls back to a seek where the platform cannot step frames.
  if (pMediaLib) pMediaLib->StepFrame();
  SetPlayButtonImage(false);
}

void CMediaPlayerDlg::OnSnapshotButton() {
  if (!pMediaLib) {
    TraceText("===>  Media Library is NULL");
    return;
  }
  TraceText("Check Media Library is created");
  if (!pMediaLib->IsReady()) return;
  // The tick stays off while the save dialog is open: it could end the clip or
  // move on in the playlist under the snapshot.
  StopTimer();
  pMediaLib->TakeSnapshot(m_hWnd);
  const bool playing = IsPlaying();
  SetPlayButtonImage(playing);
  if (playing) StartTimer();
}

void CMediaPlayerDlg::OnFullScreenButton() {
  if (pMediaLib) pMediaLib->EnterFullScreen();
}

void CMediaPlayerDlg::OnKphRadio() {
  if (SendMessage(GetDlgItem(IDC_KPH_RADIO), BM_GETCHECK, 0, 0) != 0) readouts.strUnit = "KPH";
}

void CMediaPlayerDlg::OnMphRadio() {
  if (SendMessage(GetDlgItem(IDC_MPH_RADIO), BM_GETCHECK, 0, 0) != 0) readouts.strUnit = "MPH";
}
