// A clip played with the other camera's clip: the partner engine (muted, its
// own graph) beside the main engine, where both pictures go, the partner kept
// in step with the main clip, and the line that says why a partner is missing.
// The main engine stays the clock: everything the user does acts on it, and
// Follow brings the partner after.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/PairWindows_win.h"
#include "app/pair_view.h"
#include "app/partner_sync.h"

class CMediaLib;

class CCameraPairView {
 public:
  CCameraPairView();
  ~CCameraPairView();
  CCameraPairView(const CCameraPairView&) = delete;
  CCameraPairView& operator=(const CCameraPairView&) = delete;

  // The main window (told of clicks on the small picture and of leaving full
  // screen), its video area control and the main engine inside it.
  void Attach(HWND mainWindow, HWND videoArea, CMediaLib* master);
  // Before the main engine goes: full screen left, the partner released.
  void Detach();

  // Opens `partner` beside the clip the main engine has just loaded; the large
  // picture is the partner's when `partnerLarge`. A partner that cannot play
  // leaves the main picture alone, with a line saying why.
  void Open(const std::string& partner, bool partnerLarge);
  // The partner goes (a new clip, a stop); so does the line.
  void Close();
  bool IsOpen() const;
  const std::string& PartnerPath() const { return strPartner; }
  bool PartnerLarge() const { return bPartnerLarge; }
  // The engine whose picture is the large one.
  CMediaLib* LargeEngine() const;
  CMediaLib* Partner() const { return pPartner.get(); }
  const PartnerSyncState& Sync() const { return sync; }

  void CycleLayout();
  PairLayout Layout() const { return layout; }
  void Swap();

  // Both pictures, the frame or the line, where the layout puts them now.
  void Place();
  // After the user acted on the main engine: the partner plays, pauses and
  // stands where it does.
  void Follow();
  // The tick: a partner drifting past the limit is seeked back (counted).
  void Tick();

  // Full screen with both pictures, on a stage of its own.
  bool EnterFullScreen();
  void LeaveFullScreen();
  bool IsFullScreen() const { return bOnStage; }

 private:
  void ReleasePartner();
  void MatchPlayState();
  void PlaceMasterAlone(HWND parent, const RECT& area);
  void TracePositions(const char* when);

  HWND hMain = NULL;
  HWND hVideoArea = NULL;
  CMediaLib* pMaster = nullptr;  // the main window's engine, not owned
  std::unique_ptr<CMediaLib> pPartner;
  std::string strPartner;
  std::string strProblem;  // why the partner is not shown; empty: nothing to say
  bool bPartnerLarge = false;
  PairLayout layout = PairLayout::kInset;
  PartnerSyncState sync;
  bool bOnStage = false;  // the pictures are on the full-screen stage
  CPairPanel frame;
  CPairPanel note;
  CPairStage stage;
};
