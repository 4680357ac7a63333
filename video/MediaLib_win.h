// The video engine: a borderless child dialog (template 101) that owns the
// filter graph of the clip being shown and hosts the renderer's video window
// inside its only control, the video surface; it steps frames, switches to
// full screen and saves snapshots of the frame on screen. The main window
// polls it; it reads no graph events and has no timer of its own. Failed calls
// of the graph are traced as text (TraceIfFailed).
#pragma once

#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Dialog_win.h"
#include "framework/Owners_win.h"

// Traces a failed call of the graph as "Video: CALL failed (0xCODE: text)" and
// returns hr as it is.
HRESULT TraceIfFailed(const char* call, HRESULT hr);

class CMediaLib : public CDialogBase {
 public:
  // Posted to the top-level window when Space or Enter has toggled play, so that
  // its play button and tick follow at once (see TakeKeyToggle).
  static constexpr UINT kKeyToggledMessage = WM_APP + 126;

  CMediaLib();
  ~CMediaLib() override;

  // What the main window asks of the engine.
  //
  // Releases the graph held, then opens, measures and runs the clip at `path`.
  // A clip that cannot be played is reported to the user here, once.
  void LoadClip(const std::string& path);
  // The clip opened last; it stays known after a stop has released the graph.
  const std::string& ClipPath() const { return strFilePath; }
  bool HasClip() const { return !strFilePath.empty(); }
  // The clip rendered and a graph is held.
  bool IsReady() const { return bReady; }
  // The clip's length as measured at its load, in whole seconds.
  std::int32_t LengthSec() const { return static_cast<std::int32_t>(nTotalSec); }
  struct Position {
    std::int32_t second = 0;
    std::int32_t length = 0;
  };
  // Where the graph is, in whole seconds, never past the clip's length; 0 of 0
  // without a graph.
  Position ReportPosition();
  // True once after each Space or Enter that toggled play.
  bool TakeKeyToggle();
  void SetHost(HWND host) { pHostWnd = host; }

  // A partner: the other camera's clip played beside the main one by a second
  // engine that is never created as a window. Its video is a captionless child
  // of a host window, it has no sound and it never asks or tells the user
  // anything: what went wrong comes back as text for the caller to show.
  //
  // Opens the clip at `path` muted and leaves it stopped; "" when it can be
  // played, else a short reason.
  std::string OpenPartner(const std::string& path);
  // Puts the partner's video at `place` (client coordinates of `host`); at any
  // time, before the open as well.
  void PlacePartner(HWND host, const RECT& place);
  bool IsPartner() const { return partnerHost != NULL; }
  // The main engine's video somewhere else than its own surface (the small
  // picture of a pair, or a full-screen pair); PlaceVideoOnSurface takes it back.
  void PlaceVideoIn(HWND host, const RECT& place) { PlacePartner(host, place); }
  void PlaceVideoOnSurface();
  // A placed video kept out of sight (its graph plays on) or shown again.
  void SetVideoHidden(bool hidden);
  // Where the video's clicks and keys go (its message drain); NULL: nowhere.
  void SetVideoDrain(HWND drain);
  // The control the video fills while it is on the surface; NULL before Create.
  HWND VideoSurfaceWindow() const { return VideoSurface(); }
  // The position in 100-ns units, never past the clip's end; -1 without a graph.
  LONGLONG ExactPosition();
  // The clip's length in 100-ns units; 0 without a graph.
  LONGLONG ExactLength();
  // Seeks to `position` (100-ns units). A position at or past the end shows
  // the last frame and keeps it: the graph is neither stopped nor blanked.
  void SeekExact(LONGLONG position);
  // The clip's own picture size; false when the graph cannot say.
  bool NativeVideoSize(long& width, long& height);

  // Builds the graph of strFilePath with every installed filter and attaches its
  // video window; on a clip nothing can decode, offers the codec site, and on a
  // file that is no playable video says what is wrong with it.
  void OpenClip();
  // Releases the six interfaces (idempotent); the graph is not stopped first.
  void ReleaseGraph();
  void QueryDuration();
  void Play();
  void Pause();
  // Back to the start, stopped.
  void Stop();
  // The graph's state, read afresh each time.
  bool IsRunning();
  bool IsStopped();
  void SeekTo(int seconds);
  void UpdatePosition();
  // Attaches the video window to the surface and sizes it to the host.
  int PlaceVideoWindow();
  // Shows the next frame and leaves the graph paused.
  void StepFrame();
  // Shows the frame before and leaves the graph paused.
  void StepFrameBack();
  // The frame on screen as a BMP with that second's sidecar lines beside it,
  // through a save dialog owned by `owner`; a clip that was playing plays on
  // afterwards, a paused one stays paused. A snapshot that cannot be saved
  // says why in a message box owned by `owner`.
  void TakeSnapshot(HWND owner);
  void SaveSnapshot(HWND owner, const std::string& clip, std::int32_t second, std::int32_t length,
                    std::int64_t recorded);
  // Asks where a snapshot goes (owner, folder, in: offered name, out: chosen
  // path); false when cancelled. Unset: no snapshot can be saved.
  std::function<bool(HWND, const std::string&, std::string&)> chooseSnapshotFile;
  // Posted to the top-level window for Ctrl+S in the video.
  static constexpr UINT kSnapshotKeyMessage = WM_APP + 124;
  // Posted to the top-level window with the other keys of the video (also in
  // full screen): wParam the key or character, lParam its ForwardedKeyFlags
  // (EngineInput_win.h).
  static constexpr UINT kForwardedKeyMessage = WM_APP + 121;
  void EnterFullScreen();
  void LeaveFullScreen();

  // Escape or a click leaves full screen, Space and Enter toggle play, other keys
  // go to the main window (kForwardedKeyMessage); full-screen input arrives here
  // through the message drain.
  BOOL PreTranslateMessage(MSG* msg) override;

  GdiBrush brushBlack;
  std::string strFilePath;
  HWND pHostWnd = NULL;  // the main window's video placeholder
  bool bReady = false;
  std::int64_t nTotalSec = 0;
  std::int64_t nCurrentSec = 0;
  std::string strSnapshotDir;
  bool bKeyToggled = false;  // read and cleared by the main window's tick

  ComPtr<IGraphBuilder> pGraphBuilder;
  ComPtr<IMediaControl> pMediaControl;
  ComPtr<IVideoWindow> pVideoWindow;
  ComPtr<IMediaEventEx> pMediaEvent;  // held, never read
  ComPtr<IMediaSeeking> pMediaSeeking;
  ComPtr<IVideoFrameStep> pFrameStep;
  HWND partnerHost = NULL;  // a partner's host; NULL in the main engine
  RECT partnerPlace = {0, 0, 0, 0};
  bool bVideoHidden = false;

 protected:
  bool OnEraseBkgnd(HDC dc, LRESULT& result) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;

 private:
  bool QueryGraphInterfaces();
  // A clip's graph with every interface the control paths call: they do
  // nothing without it.
  bool GraphReady() const;
  void ReportRenderFailure();
  // A new graph with every interface; false (nothing held) when there is none.
  bool CreateGraph();
  // Renders strFilePath into the graph; the result traced.
  HRESULT RenderClip();
  void MutePartner();
  void PlacePartnerVideo();
  void ReleaseVideoWindow();
  bool HasState(OAFilterState wanted);
  // `before` is the position read just before a pause from running (-1: none).
  void KeepPositionAcrossPause(LONGLONG before);
  // Waits (bounded) until a state change of the graph has finished.
  void WaitForSettledState();
  void StepBySeeking();
  bool AskPath(HWND owner, std::string& path);
  // The area the engine and its video fill: the host's client rectangle.
  RECT VideoArea() const;
  HWND VideoSurface() const;
};
