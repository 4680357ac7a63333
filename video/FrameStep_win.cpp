// One-frame step. The renderer's own step comes first; where it is refused
// (some runtimes do not implement it) the engine pauses and seeks to the middle
// of the next frame.
#include "video/MediaLib_win.h"

#include "video/media_time.h"

namespace {

const LONG kStateTimeoutMs = 10;
// A paused seek settles in a few milliseconds; this only bounds a stuck graph.
const ULONGLONG kSettleLimitMs = 2000;

// One frame of the clip in 100 ns units, from the renderer's frame time; 0 when
// the graph cannot say.
LONGLONG FrameLengthOf(IGraphBuilder* graph) {
  ComPtr<IBasicVideo> video;
  REFTIME secondsPerFrame = 0;
  if (FAILED(TraceIfFailed("IBasicVideo", QueryInto(graph, IID_IBasicVideo, video))) ||
      FAILED(TraceIfFailed("get_AvgTimePerFrame", video->get_AvgTimePerFrame(&secondsPerFrame))))
    return 0;
  return media_time::FrameUnits(secondsPerFrame);
}

}  // namespace

void CMediaLib::StepFrame() {
  if (!GraphReady()) return;
  if (SUCCEEDED(TraceIfFailed("Step", pFrameStep->Step(1, NULL)))) return;
  StepBySeeking();
}

void CMediaLib::StepBySeeking() {
  const LONGLONG frame = FrameLengthOf(pGraphBuilder.Get());
  if (frame <= 0) return;

  TraceIfFailed("Pause", pMediaControl->Pause());
  WaitForSettledState();
  LONGLONG position = 0;
  LONGLONG duration = 0;
  if (FAILED(TraceIfFailed("GetCurrentPosition", pMediaSeeking->GetCurrentPosition(&position))))
    return;
  TraceIfFailed("GetDuration", pMediaSeeking->GetDuration(&duration));
  LONGLONG target = media_time::NextFrameTarget(position, frame);
  if (duration > 0 && target >= duration) return;  // the last frame stays
  TraceIfFailed("SetPositions", pMediaSeeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning,
                                                            NULL, AM_SEEKING_NoPositioning));
  WaitForSettledState();
}

// The frame before the one on screen: paused, then a seek to its middle.
void CMediaLib::StepFrameBack() {
  if (!GraphReady()) return;
  const LONGLONG frame = FrameLengthOf(pGraphBuilder.Get());
  if (frame <= 0) return;
  TraceIfFailed("Pause", pMediaControl->Pause());
  WaitForSettledState();
  LONGLONG position = 0;
  if (FAILED(TraceIfFailed("GetCurrentPosition", pMediaSeeking->GetCurrentPosition(&position))))
    return;
  LONGLONG target = media_time::PreviousFrameTarget(position, frame);
  if (target < 0) return;  // the first frame stays
  TraceIfFailed("SetPositions", pMediaSeeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning,
                                                            NULL, AM_SEEKING_NoPositioning));
  WaitForSettledState();
}

void CMediaLib::WaitForSettledState() {
  const ULONGLONG end = GetTickCount64() + kSettleLimitMs;
  OAFilterState state = State_Stopped;
  HRESULT hr;
  while ((hr = pMediaControl->GetState(kStateTimeoutMs, &state)) == VFW_S_STATE_INTERMEDIATE &&
         GetTickCount64() < end) {
    // Let messages sent from the graph's threads through, but run no posted
    // message (a timer tick) in the middle of a step.
    MSG msg;
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  TraceIfFailed("GetState", hr);
}
