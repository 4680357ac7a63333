// Run state, position and duration of the engine's graph.
#include "video/MediaLib_win.h"

#include "framework/Trace_win.h"
#include "resources/resource.h"
#include "video/media_time.h"

namespace {
const LONG kStateTimeoutMs = 10;
// How far the position may seem to move across a pause (the time between two
// readings) before it counts as the graph's miscount; 20 ms in 100-ns units.
const LONGLONG kPauseDrift = 200000;

HRESULT SeekAbsolute(IMediaSeeking* seeking, LONGLONG target) {
  return TraceIfFailed("SetPositions", seeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning,
                                                             NULL, AM_SEEKING_NoPositioning));
}

}  // namespace

bool CMediaLib::GraphReady() const {
  return pGraphBuilder && pMediaControl && pMediaSeeking && pVideoWindow && pFrameStep;
}

void CMediaLib::QueryDuration() {
  if (!GraphReady()) return;
  LONGLONG duration = 0;
  TraceIfFailed("GetDuration", pMediaSeeking->GetDuration(&duration));
  nTotalSec = media_time::ToSeconds(duration);
}

void CMediaLib::Play() {
  if (!GraphReady() || IsRunning()) return;
  if (HWND surface = VideoSurface()) ShowWindow(surface, SW_SHOW);
  TraceIfFailed("Run", pMediaControl->Run());
}

void CMediaLib::Pause() {
  if (!GraphReady()) return;
  OAFilterState state = State_Stopped;
  const bool known =
      SUCCEEDED(TraceIfFailed("GetState", pMediaControl->GetState(kStateTimeoutMs, &state)));
  if (known && state == State_Paused) return;
  LONGLONG before = -1;
  if (known && state == State_Running &&
      FAILED(TraceIfFailed("GetCurrentPosition", pMediaSeeking->GetCurrentPosition(&before))))
    before = -1;
  TraceIfFailed("Pause", pMediaControl->Pause());
  KeepPositionAcrossPause(before);
}

// Some graphs (Wine's) add all the running time since the last seek to the
// position again at every pause: a clip paused a few times (every resize of the
// window pauses) runs ahead of its video and past its end. A pause never moves
// the video, so when the graph says it did, it is put back where it was; the
// seek also restarts the graph's count.
void CMediaLib::KeepPositionAcrossPause(LONGLONG before) {
  if (before < 0) return;
  LONGLONG after = before;
  TraceIfFailed("GetCurrentPosition", pMediaSeeking->GetCurrentPosition(&after));
  if (after - before > kPauseDrift || before - after > kPauseDrift) {
    TraceFormat("Pause moved the position from %lld to %lld: put back\n", before, after);
    SeekAbsolute(pMediaSeeking.Get(), before);
  }
}

void CMediaLib::Stop() {
  if (!GraphReady() || IsStopped()) return;
  SeekTo(0);
  TraceIfFailed("Stop", pMediaControl->Stop());
  if (IsStopped())
    TraceText("Video Is Stopped");
  else if (IsRunning())
    TraceText("Video Is Running");
}

bool CMediaLib::HasState(OAFilterState wanted) {
  if (!GraphReady()) return false;
  OAFilterState state = State_Stopped;
  // A state change still under way (VFW_S_STATE_INTERMEDIATE) counts as its target.
  return SUCCEEDED(TraceIfFailed("GetState", pMediaControl->GetState(kStateTimeoutMs, &state))) &&
         state == wanted;
}

bool CMediaLib::IsRunning() { return HasState(State_Running); }

bool CMediaLib::IsStopped() { return HasState(State_Stopped); }

void CMediaLib::SeekTo(int seconds) {
  if (!GraphReady()) return;
  SeekAbsolute(pMediaSeeking.Get(), media_time::FromSeconds(seconds));
}

void CMediaLib::UpdatePosition() {
  if (!GraphReady()) return;
  LONGLONG position = 0;
  TraceIfFailed("GetCurrentPosition", pMediaSeeking->GetCurrentPosition(&position));
  nCurrentSec = media_time::ToSeconds(position);
}

void CMediaLib::LoadClip(const std::string& path) {
  ReleaseGraph();
  strFilePath = path;
  OpenClip();
  QueryDuration();  // guarded: nothing without a graph
  Play();
}

CMediaLib::Position CMediaLib::ReportPosition() {
  Position at;
  if (!GraphReady()) return at;
  UpdatePosition();
  // The graph's clock may run past the end (Wine does after quick pause and run
  // cycles); the clip never does.
  const std::int64_t second = nCurrentSec < 0 ? 0 : nCurrentSec;
  at.second = static_cast<std::int32_t>(second < nTotalSec ? second : nTotalSec);
  at.length = static_cast<std::int32_t>(nTotalSec);
  return at;
}

bool CMediaLib::TakeKeyToggle() {
  const bool toggled = bKeyToggled;
  bKeyToggled = false;
  return toggled;
}
