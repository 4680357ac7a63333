// Clip loading, the one-second tick and the transport buttons of the main window.
#include <windows.h>

#include <commctrl.h>

#include "app/MediaPlayerDlg_win.h"
#include "app/clip_names.h"
#include "app/time_text.h"
#include "framework/Trace_win.h"
#include "framework/WaitCursor_win.h"
#include "map/GoogleMaps_win.h"
#include "map/internet_ok.h"
#include "telemetry/text_file.h"
#include "video/MediaLib_win.h"

void CMediaPlayerDlg::app_LoadVideo(std::string path) {
  SetInternetOk(1);
  if (pGoogleMaps) ShowWindow(pGoogleMaps->GetSafeHwnd(), SW_HIDE);
  const std::string sidecar = SidecarPathOf(path);
  {
    WaitCursor wait;
    FitEngineWindow();
    if (pMediaLib) {
      pMediaLib->ReleaseGraph();
      pMediaLib->strFilePath = path;
      pMediaLib->OpenClip();
      if (pMediaLib->pGraphBuilder && pMediaLib->pMediaSeeking) pMediaLib->QueryDuration();
      pMediaLib->Play();
    }
    bStopped = 0;
    TraceText("\r\n Play And Load Video File app_LoadVideo ");
  }
  TraceFormat("[%s] \r\n [%s]", path.c_str(), sidecar.c_str());
  nClipLengthSec = pMediaLib ? static_cast<int>(pMediaLib->nTotalSec) : 0;
  strTimeText = TimeText(0, nClipLengthSec);
  if (textfile::CanOpenForReading(sidecar)) {
    bHasSidecar = 1;
    if (pGoogleMaps) {
      pGoogleMaps->LoadTelemetry(sidecar, 1, nClipLengthSec);
      pGoogleMaps->ShowMap();
      ShowWindow(pGoogleMaps->GetSafeHwnd(), SW_SHOW);
    }
  } else {
    bHasSidecar = 0;
    if (pGoogleMaps) pGoogleMaps->LoadTelemetry(sidecar, 0, nClipLengthSec);
  }
  UpdateData(FALSE);
  HWND slider = GetDlgItem(1001);
  SendMessage(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, nClipLengthSec));
  SendMessage(slider, TBM_SETRANGEMAX, FALSE, nClipLengthSec);  // beyond 16 bits too
  SendMessage(slider, TBM_SETPOS, TRUE, 0);
  EnableWindow(slider, TRUE);
  TraceText("\r\n Open GPS Video File:Start Timer");
  StartTimer();
}

int CMediaPlayerDlg::StartTimer() {
  StopTimer();
  nTimerId = SetTimer(m_hWnd, 1, 1000, NULL);
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
  return pMediaLib && !pMediaLib->strFilePath.empty() && pMediaLib->IsRunning();
}

bool CMediaPlayerDlg::OnTimer(UINT_PTR) {
  if (pMediaLib && pMediaLib->bKeyToggled) {
    SetPlayButtonImage(IsPlaying());
    pMediaLib->bKeyToggled = false;
  }
  if (GetInternetOk() == 0) {
    if (nMapRetryCounter % 10 == 0) {
      if (pGoogleMaps) pGoogleMaps->ShowMap();
      nMapRetryCounter = 1;
    }
    ++nMapRetryCounter;
  }
  LARGE_INTEGER start, end, frequency;
  QueryPerformanceCounter(&start);
  int s = 0, length = 0;
  if (pMediaLib) {
    pMediaLib->UpdatePosition();
    s = static_cast<int>(pMediaLib->nCurrentSec);
    length = static_cast<int>(pMediaLib->nTotalSec);
  }
  if (bHasSidecar == 1 && pGoogleMaps) pGoogleMaps->UpdateTargetPos(s, 1);
  SendMessage(GetDlgItem(1001), TBM_SETPOS, TRUE, s);
  InvalidateRect(GetDlgItem(1001), NULL, FALSE);
  InvalidateRect(GetDlgItem(1010), NULL, FALSE);
  strTimeText = TimeText(s, length);
  nShownSec = s;
  ReadoutsStepFor(s);
  RefitReadoutText();
  UpdateData(FALSE);
  bool advanced = false;
  if (nShownSec == nClipLengthSec && nShownSec != 0) {
    HWND list = GetDlgItem(1014);
    if (SendMessage(list, LB_SETCURSEL, nPlayIndex + 1, 0) != LB_ERR) {
      nPlayIndex = nPlayIndex + 1;
      advanced = true;
      app_LoadVideo(PathAt(nPlayIndex));
    }
  }
  if (bStartPending == 1) {
    if (pMediaLib && pMediaLib->nTotalSec >= nStartSec) SeekToSecond(nStartSec);
    if (pMediaLib) ShowWindow(pMediaLib->GetSafeHwnd(), SW_SHOW);
    bStartPending = 0;
  }
  InvalidateRect(m_hWnd, NULL, FALSE);
  QueryPerformanceCounter(&end);
  QueryPerformanceFrequency(&frequency);
  TraceFormat("TICK %lld us\n", (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
  if (!advanced && length == s) OnStopButton();
  return true;
}

int CMediaPlayerDlg::app_Play(int pauseOnly) {
  if (pauseOnly != 0) {
    if (!pMediaLib) {
      TraceText("===>  Media Library is NULL");
      return 0;
    }
    TraceText("Check Media Library is created");
    if (!pMediaLib->bReady || !IsPlaying()) return 0;
    pMediaLib->Pause();
    StopTimer();
    SetPlayButtonImage(false);
    return 1;
  }
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
    nPlayIndex = static_cast<int>(SendMessage(GetDlgItem(1014), LB_GETCURSEL, 0, 0));
    if (nPlayIndex >= 0) app_LoadVideo(PathAt(nPlayIndex));
    TraceText("\r\n ===> End Play Video File , Find Selected File");
  }
  const bool loaded = pMediaLib && !pMediaLib->strFilePath.empty();
  if (loaded) {
    TraceText("\r\n ###### app_Play is pause to Play");
    pMediaLib->Play();
  }
  TraceText("===> End app_Play");
  if (loaded) {
    SetPlayButtonImage(true);
    if (nTimerId == 0) StartTimer();
  }
  return 0;
}

void CMediaPlayerDlg::OnStopButton() {
  StopTimer();
  if (!pMediaLib) {
    TraceText("===>  Media Library is NULL");
  } else {
    TraceText("Check Media Library is created");
    if (pMediaLib->bReady) StopClip();
  }
  // Nothing plays after a stop, also when the clip could not be rendered.
  SetPlayButtonImage(false);
  if (pGoogleMaps) pGoogleMaps->UpdateTargetPos(0, 1);
  SendMessage(GetDlgItem(1001), TBM_SETPOS, TRUE, 0);
  InvalidateRect(GetDlgItem(1001), NULL, FALSE);
  InvalidateRect(GetDlgItem(1010), NULL, FALSE);
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

bool CMediaPlayerDlg::OnHScroll(UINT, UINT pos, HWND scrollBar) {
  if (scrollBar != GetDlgItem(1001)) return false;
  SeekToSecond(static_cast<int>(pos));
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
}

void CMediaPlayerDlg::OnFullScreenButton() {
  if (pMediaLib) pMediaLib->EnterFullScreen();
}

void CMediaPlayerDlg::OnKphRadio() {
  if (SendMessage(GetDlgItem(1059), BM_GETCHECK, 0, 0) != 0) readouts.strUnit = "KPH";
}

void CMediaPlayerDlg::OnMphRadio() {
  if (SendMessage(GetDlgItem(1027), BM_GETCHECK, 0, 0) != 0) readouts.strUnit = "MPH";
}
