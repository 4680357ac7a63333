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
  const std::string sidecar =
      SidecarPathOf(path, [](const std::string& p) { return textfile::CanOpenForReading(p); });
  model.BeginLoad();
  StopWatch clock;
  {
    WaitCursor wait;
    pair.Close();
    FitEngineWindow();
    if (pMediaLib) pMediaLib->LoadClip(LoadPairFront(path));
    OpenPairPartner();
    TraceText("\r\n Play And Load Video File app_LoadVideo ");
  }
  TraceFormat("[%s] \r\n [%s]", path.c_str(), sidecar.c_str());
  const int length = pMediaLib ? pMediaLib->LengthSec() : 0;
  const long long engineUs = clock.ElapsedUs();
  const bool hasSidecar = LoadSidecar(sidecar, length);
  const long long sidecarUs = clock.ElapsedUs() - engineUs;
  // The graph and the seek bar mark the new clip's events.
  if (pGSensor) pGSensor->events = clipEvents;
  seekSlider.eventSeconds.clear();
  for (const GForceEvent& event : clipEvents) seekSlider.eventSeconds.push_back(event.nSecond);
  const LoadPlan plan = model.Loaded(length, hasSidecar, pMediaLib && pMediaLib->IsReady());
  // What the readouts keep across seconds without a fix belongs to one clip.
  const std::string unit = readouts.strUnit;
  readouts = ReadoutTexts();
  readouts.strUnit = unit;
  HWND slider = GetDlgItem(IDC_SEEK_SLIDER);
  SendMessage(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, length));
  SendMessage(slider, TBM_SETRANGEMAX, FALSE, length);  // beyond 16 bits too
  seekSlider.nMax = length;
  SendMessage(slider, TBM_SETPOS, TRUE, 0);
  EnableWindow(slider, TRUE);
  ApplyLoadPlan(plan);
  TraceText("\r\n Open GPS Video File:Start Timer");
  StartTimer();
  TraceFormat("LOAD %lld us (engine %lld, sidecar %lld)\n", clock.ElapsedUs(), engineUs, sidecarUs);
}

// The start second is reached before anything shows; the clip's first second
// then shows at once, as a tick would show it.
void CMediaPlayerDlg::ApplyLoadPlan(const LoadPlan& plan) {
  if (plan.nSeekSec >= 0 && pMediaLib) pMediaLib->SeekTo(plan.nSeekSec);
  if (plan.bShowVideo && pMediaLib) ShowWindow(pMediaLib->GetSafeHwnd(), SW_SHOW);
  pair.Follow();
  ShowTickPlan(plan.show);
  if (!plan.strProblem.empty()) {
    strStartProblem = plan.strProblem;
    PostMessageA(m_hWnd, kStartProblemMessage, 0, 0);
  }
  if (plan.bEnterFullScreen) OnFullScreenButton();
}

bool CMediaPlayerDlg::LoadSidecar(const std::string& sidecar, int length) {
  const int present = !sidecar.empty() && textfile::CanOpenForReading(sidecar) ? 1 : 0;
  if (pGSensor) pGSensor->nClipSec = length;  // a longer sidecar is cut to the clip
  clipEvents.clear();
  if (!pGoogleMaps) return present == 1;
  pGoogleMaps->LoadTelemetry(sidecar, present, length);
  clipEvents = present == 1 ? FindGForceEvents(pGoogleMaps->Table(), pGoogleMaps->SamplesPerSecond())
                            : std::vector<GForceEvent>();
  SetRouteForClip(present == 1);
  routeCar.Forget();
  // The map area follows the new clip at once: its route, the offline
  // picture, or the map's place, never the last clip's route.
  if (!bLargeView) {
    const RECT panel = MapPanelRect();
    InvalidateRect(m_hWnd, &panel, FALSE);
  }
  if (present == 0) return false;  // the table is empty and the map stays hidden
  pGoogleMaps->ShowMap();
  ShowWindow(pGoogleMaps->GetSafeHwnd(), SW_SHOW);
  return true;
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
  pair.Follow();
  const bool playing = IsPlaying();
  SetPlayButtonImage(playing);
  if (playing && nTimerId == 0) StartTimer();
}

bool CMediaPlayerDlg::OnTimer(UINT_PTR) {
  OnKeyToggled();
  StopWatch clock;
  const CMediaLib::Position at = pMediaLib ? pMediaLib->ReportPosition() : CMediaLib::Position();
  pair.Tick();
  const TickPlan plan = model.Tick(at.second, at.length, GetInternetOk() != 0);
  if (plan.bRetryMap && pGoogleMaps) pGoogleMaps->ShowMap();
  ShowTickPlan(plan);
  TraceFormat("TICK %lld us\n", clock.ElapsedUs());
  if (plan.nAdvanceRow >= 0) AdvanceTo(plan.nAdvanceRow);
  if (plan.bStop) OnStopButton();
  return true;
}

void CMediaPlayerDlg::ShowTickPlan(const TickPlan& plan) {
  const int s = plan.nShowSec;
  if (plan.bWritePosition && pGoogleMaps) pGoogleMaps->UpdateTargetPos(s, 1);
  GdiRegion repaint;  // the window's parts this second changes, invalidated at once
  ShowSecond(s, &repaint);
  strTimeText = TimeText(s, plan.nLengthSec);
  ShowTripPosition(s);
  ReadoutsStepFor(s);
  RefitReadoutText();
  UpdateData(FALSE);
  InvalidateGauges(repaint);
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
  return routeCar.Move(s, routeView.CarRowAt(s), ShowsRouteView());
}

// A click on the graph: to that second, when a clip is open to seek in.
void CMediaPlayerDlg::OnGraphSeek(int second) { SeekFromUser(second); }

void CMediaPlayerDlg::SeekFromUser(int second) {
  if (!pMediaLib || !pMediaLib->IsReady()) return;
  const SeekPlan plan = model.Seek(second, IsPlaying());
  if (!plan.bSeek) {
    ShowSecond(model.nShownSec);  // the slider goes back where it was
    return;
  }
  SeekToSecond(plan.nSecond);
  if (plan.bShowNow) ShowTickPlan(model.ShowAt(plan.nSecond));
}

// Only the needles (and the route view's car) move each second: the dial and
// the compass are repainted, not the whole window. One region, one call: each
// invalidation is a round trip to the window server on some systems.
void CMediaPlayerDlg::InvalidateGauges(GdiRegion& repaint) {
  const int w = geometry.nClientWidth, h = geometry.nClientHeight;
  for (const GaugeArea& a : {SpeedGaugeArea(w, h), CompassGaugeArea(w, h)})
    AddToRegion(repaint, RECT{a.left, a.top, a.right, a.bottom});
  InvalidateRgn(m_hWnd, repaint.Get(), FALSE);
}

// The end of a playlist row: the next row, selected as it plays.
void CMediaPlayerDlg::AdvanceTo(int row) {
  SendMessage(GetDlgItem(IDC_PLAYLIST), LB_SETCURSEL, row, 0);
  model.LoadRow(row);
  app_LoadVideo(PathAt(row));
}

int CMediaPlayerDlg::app_Play(int pauseOnly) {
  if (pauseOnly != 0) return PauseForLayout();
  TraceText("===> Check Play Status");
  const int selected = static_cast<int>(SendMessage(GetDlgItem(IDC_PLAYLIST), LB_GETCURSEL, 0, 0));
  const bool hasClip = pMediaLib && pMediaLib->HasClip();
  const PlayPlan plan = model.Play(selected, IsPlaying(), hasClip);
  switch (plan.action) {
    case PlayPlan::kPause:
      TraceText("===> Video is Running");
      StopTimer();
      SetPlayButtonImage(false);
      pMediaLib->Pause();
      pair.Follow();
      return 0;
    case PlayPlan::kLoadRow:
      LoadPlaylistRow(plan.nRow);
      break;
    case PlayPlan::kReloadClip:
      app_LoadVideo(strLoadedPath.empty() ? pMediaLib->ClipPath() : strLoadedPath);
      break;
    case PlayPlan::kResume:
      pMediaLib->Play();
      break;
    case PlayPlan::kNothing:
      break;
  }
  pair.Follow();
  TraceText("===> End app_Play");
  const bool playing = IsPlaying();
  SetPlayButtonImage(playing);
  if (playing && nTimerId == 0) StartTimer();
  return 0;
}

void CMediaPlayerDlg::LoadPlaylistRow(int row) {
  model.LoadRow(row);
  app_LoadVideo(PathAt(row));
}

// Pauses a running clip before a re-layout; 1 when it paused. The tick keeps
// its rhythm: a drag sends many size changes, and each second of playback
// still gets its tick.
int CMediaPlayerDlg::PauseForLayout() {
  if (!pMediaLib || !pMediaLib->IsReady() || !IsPlaying()) return 0;
  pMediaLib->Pause();
  pair.Follow();
  return 1;
}

void CMediaPlayerDlg::ResumeAfterLayout(int paused) {
  if (!paused || !pMediaLib) return;
  pMediaLib->Play();
  pair.Follow();
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
  ShowTripPosition(-1);
  model.ShownZero();
  UpdateData(FALSE);
}

void CMediaPlayerDlg::StopClip() {
  model.Stopped();
  WaitCursor wait;
  // Both cameras stop; a full-screen pair has nothing left to show.
  pair.LeaveFullScreen();
  pair.Close();
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
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) SeekFromUser(static_cast<int>(pos));
  return false;
}

void CMediaPlayerDlg::SeekToSecond(int seconds) {
  if (pMediaLib) pMediaLib->SeekTo(seconds);  // guarded there: no graph, no seek
  pair.Follow();
  if (IsPlaying() && nTimerId == 0) StartTimer();
}

// The frame on screen after a step is the one the telemetry shows.
void CMediaPlayerDlg::OnFrameStepButton() {
  if (!pMediaLib || !pMediaLib->IsReady() || model.bStopped) return;
  // The engine falls back to a seek where the platform cannot step frames.
  pMediaLib->StepFrame();
  pair.Follow();
  SetPlayButtonImage(false);
  ShowTickPlan(model.ShowAt(pMediaLib->ReportPosition().second));
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
  SnapshotOf(*pair.LargeEngine());
  const bool playing = IsPlaying();
  SetPlayButtonImage(playing);
  if (playing) StartTimer();
}

void CMediaPlayerDlg::OnFullScreenButton() {
  if (!pMediaLib || !model.AskFullScreen()) return;
  // A pair shows both pictures on a stage of its own; a clip alone is the
  // video's own full screen.
  if (!pair.EnterFullScreen()) pMediaLib->EnterFullScreen();
}

void CMediaPlayerDlg::OnKphRadio() {
  if (SendMessage(GetDlgItem(IDC_KPH_RADIO), BM_GETCHECK, 0, 0) != 0) readouts.strUnit = "KPH";
}

void CMediaPlayerDlg::OnMphRadio() {
  if (SendMessage(GetDlgItem(IDC_MPH_RADIO), BM_GETCHECK, 0, 0) != 0) readouts.strUnit = "MPH";
}
