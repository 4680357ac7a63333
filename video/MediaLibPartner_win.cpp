// The engine as a partner: the other camera's clip, muted, in a captionless
// child window of the main window's video area, positioned in 100-ns units so
// that it can follow the main clip, and holding its last frame when the main
// clip plays on past its end.
#include "video/MediaLib_win.h"

#include "video/ClipMessages_win.h"
#include "video/media_time.h"

namespace {

const char kCannotPlay[] = "The rear camera's clip cannot be played here.";
const char kNoPicture[] = "The rear camera's clip has no picture.";
// Silence in IBasicAudio's hundredths of a decibel.
const long kSilent = -10000;

OAHWND AsOaHwnd(HWND hwnd) { return reinterpret_cast<OAHWND>(hwnd); }

// Why a partner that did not render cannot play: the file's own fault when it
// has one, else (a video nothing here decodes) just that it cannot.
std::string ReasonFor(ClipVerdict verdict) {
  if (verdict == ClipVerdict::kVideo) return kCannotPlay;
  return std::string(kCannotPlay) + " " + UnplayableReason(verdict);
}

// One frame in 100-ns units; 0 when the renderer cannot say.
LONGLONG FrameUnitsOf(IBasicVideo* video) {
  REFTIME seconds = 0;
  if (FAILED(TraceIfFailed("get_AvgTimePerFrame", video->get_AvgTimePerFrame(&seconds)))) return 0;
  return media_time::FrameUnits(seconds);
}

}  // namespace

std::string CMediaLib::OpenPartner(const std::string& path) {
  strFilePath = path;
  if (!CreateGraph()) return kCannotPlay;
  if (FAILED(RenderClip())) {
    ReleaseGraph();
    return ReasonFor(CheckClipFileAt(path));
  }
  // A sound-only file renders, but a partner without a picture shows nothing.
  long width = 0, height = 0;
  if (!NativeVideoSize(width, height)) {
    ReleaseGraph();
    return kNoPicture;
  }
  MutePartner();
  QueryDuration();
  bReady = true;
  PlacePartnerVideo();
  return std::string();
}

void CMediaLib::MutePartner() {
  ComPtr<IBasicAudio> audio;
  if (FAILED(TraceIfFailed("IBasicAudio", QueryInto(pGraphBuilder.Get(), IID_IBasicAudio, audio))))
    return;
  // A clip without sound has no audio renderer to answer: nothing to mute.
  long volume = 0;
  if (FAILED(audio->get_Volume(&volume))) return;
  TraceIfFailed("put_Volume", audio->put_Volume(kSilent));
}

void CMediaLib::PlacePartner(HWND host, const RECT& place) {
  partnerHost = host;
  partnerPlace = place;
  PlacePartnerVideo();
}

void CMediaLib::PlaceVideoOnSurface() {
  if (partnerHost == NULL) return;
  partnerHost = NULL;
  PlaceVideoWindow();
}

void CMediaLib::SetVideoHidden(bool hidden) {
  if (bVideoHidden == hidden) return;
  bVideoHidden = hidden;
  PlacePartnerVideo();
}

void CMediaLib::SetVideoDrain(HWND drain) {
  if (pVideoWindow) TraceIfFailed("put_MessageDrain", pVideoWindow->put_MessageDrain(AsOaHwnd(drain)));
}

void CMediaLib::PlacePartnerVideo() {
  if (!pVideoWindow || partnerHost == NULL) return;
  OAHWND owner = 0;
  if (FAILED(pVideoWindow->get_Owner(&owner)) || owner != AsOaHwnd(partnerHost))
    TraceIfFailed("put_Owner", pVideoWindow->put_Owner(AsOaHwnd(partnerHost)));
  // A child without caption or frame, beside the host's other children.
  const long wanted = WS_CHILD | WS_CLIPSIBLINGS;
  long style = 0;
  if (FAILED(pVideoWindow->get_WindowStyle(&style)) ||
      (style & ~static_cast<long>(WS_VISIBLE)) != wanted)
    TraceIfFailed("put_WindowStyle", pVideoWindow->put_WindowStyle(wanted));
  TraceIfFailed("SetWindowPosition",
                pVideoWindow->SetWindowPosition(partnerPlace.left, partnerPlace.top,
                                                partnerPlace.right - partnerPlace.left,
                                                partnerPlace.bottom - partnerPlace.top));
  // A new style may hide the window; a placed video shows unless it is hidden.
  TraceIfFailed("put_Visible", pVideoWindow->put_Visible(bVideoHidden ? OAFALSE : OATRUE));
}

LONGLONG CMediaLib::ExactLength() {
  if (!GraphReady()) return 0;
  LONGLONG length = 0;
  if (FAILED(TraceIfFailed("GetDuration", pMediaSeeking->GetDuration(&length)))) return 0;
  return length;
}

LONGLONG CMediaLib::ExactPosition() {
  if (!GraphReady()) return -1;
  LONGLONG position = 0;
  if (FAILED(TraceIfFailed("GetCurrentPosition", pMediaSeeking->GetCurrentPosition(&position))))
    return -1;
  // The graph's clock runs on after the last frame; the clip does not.
  const LONGLONG length = ExactLength();
  if (position < 0) return 0;
  return length > 0 && position > length ? length : position;
}

void CMediaLib::SeekExact(LONGLONG position) {
  if (!GraphReady()) return;
  ComPtr<IBasicVideo> video;
  const LONGLONG frame =
      SUCCEEDED(QueryInto(pGraphBuilder.Get(), IID_IBasicVideo, video)) ? FrameUnitsOf(video.Get())
                                                                         : 0;
  LONGLONG target = media_time::HeldTarget(position, ExactLength(), frame);
  TraceIfFailed("SetPositions", pMediaSeeking->SetPositions(&target, AM_SEEKING_AbsolutePositioning,
                                                            NULL, AM_SEEKING_NoPositioning));
}

bool CMediaLib::NativeVideoSize(long& width, long& height) {
  width = 0;
  height = 0;
  ComPtr<IBasicVideo> video;
  if (!pGraphBuilder ||
      FAILED(TraceIfFailed("IBasicVideo", QueryInto(pGraphBuilder.Get(), IID_IBasicVideo, video))))
    return false;
  if (FAILED(TraceIfFailed("GetVideoSize", video->GetVideoSize(&width, &height)))) return false;
  return width > 0 && height > 0;
}
