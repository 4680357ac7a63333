#include "app/CameraPairView_win.h"

#include <cstdlib>

#include "framework/Trace_win.h"
#include "video/MediaLib_win.h"

namespace {

PairRect ToPair(const RECT& r) { return PairRect{r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const PairRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

PairSize VideoSizeOf(CMediaLib& engine) {
  long w = 0, h = 0;
  if (!engine.NativeVideoSize(w, h)) return PairSize{4, 3};
  return PairSize{static_cast<int>(w), static_cast<int>(h)};
}

RECT ClientOf(HWND window) {
  RECT r{0, 0, 0, 0};
  if (window != NULL) GetClientRect(window, &r);
  return r;
}

void AddStyle(HWND window, LONG_PTR style) {
  if (window == NULL) return;
  const LONG_PTR old = GetWindowLongPtrA(window, GWL_STYLE);
  if ((old & style) != style) SetWindowLongPtrA(window, GWL_STYLE, old | style);
}

long long Ms(LONGLONG units) { return units / 10000; }

}  // namespace

CCameraPairView::CCameraPairView() = default;

CCameraPairView::~CCameraPairView() { Detach(); }

void CCameraPairView::Detach() {
  if (pMaster != nullptr) LeaveFullScreen();
  ReleasePartner();
  pMaster = nullptr;
  stage.Close();
}

void CCameraPairView::Attach(HWND mainWindow, HWND videoArea, CMediaLib* master) {
  hMain = mainWindow;
  hVideoArea = videoArea;
  pMaster = master;
  // The frame and the line lie over the engine's window: it must not draw over them.
  AddStyle(videoArea, WS_CLIPCHILDREN);
  if (master != nullptr) AddStyle(master->GetSafeHwnd(), WS_CLIPSIBLINGS);
}

bool CCameraPairView::IsOpen() const { return pPartner && pPartner->IsReady(); }

CMediaLib* CCameraPairView::LargeEngine() const {
  return IsOpen() && bPartnerLarge ? pPartner.get() : pMaster;
}

void CCameraPairView::Open(const std::string& partner, bool partnerLarge) {
  Close();
  if (pMaster == nullptr || !pMaster->IsReady() || partner.empty()) return Place();
  pPartner = std::make_unique<CMediaLib>();
  // Its snapshots are asked for as the main engine's are.
  pPartner->chooseSnapshotFile = pMaster->chooseSnapshotFile;
  // Out of sight until Place puts it where the layout wants it.
  pPartner->SetVideoHidden(true);
  pPartner->PlacePartner(pMaster->VideoSurfaceWindow(), RECT{0, 0, 1, 1});
  const std::string reason = pPartner->OpenPartner(partner);
  if (!reason.empty()) {
    TraceFormat("PAIR cannot open [%s]: %s\n", partner.c_str(), reason.c_str());
    pPartner.reset();
    strProblem = reason;
    return Place();
  }
  strPartner = partner;
  bPartnerLarge = partnerLarge;
  Place();
  Follow();
}

void CCameraPairView::ReleasePartner() {
  if (!pPartner) return;
  pPartner->Stop();
  pPartner->ReleaseGraph();
  pPartner.reset();
  TraceText("PAIR closed\n");
}

void CCameraPairView::Close() {
  ReleasePartner();
  strPartner.clear();
  strProblem.clear();
  sync = PartnerSyncState();
  if (pMaster != nullptr) Place();
}

void CCameraPairView::CycleLayout() {
  layout = NextPairLayout(layout);
  Place();
}

void CCameraPairView::Swap() {
  if (!IsOpen()) return;
  bPartnerLarge = !bPartnerLarge;
  Place();
}

void CCameraPairView::PlaceMasterAlone(HWND parent, const RECT& area) {
  frame.Hide();
  pMaster->SetVideoHidden(false);
  if (parent == hVideoArea) {
    pMaster->PlaceVideoOnSurface();
    pMaster->SetVideoDrain(NULL);
  } else {
    const PairRects rects = PlacePair(ToPair(area), VideoSizeOf(*pMaster), PairSize(), PairLayout::kOff);
    pMaster->PlaceVideoIn(parent, ToRect(rects.large));
    pMaster->SetVideoDrain(parent);
  }
  if (strProblem.empty())
    note.Hide();
  else
    note.ShowNote(parent, area, strProblem);
}

void CCameraPairView::Place() {
  if (pMaster == nullptr) return;
  // The videos' parent: the stage in full screen, else the video area (whose
  // coordinates the engine's surface shares).
  HWND stageWindow = bOnStage ? stage.Window() : hVideoArea;
  const RECT area = ClientOf(stageWindow);
  if (!IsOpen()) return PlaceMasterAlone(stageWindow, area);
  note.Hide();
  CMediaLib& large = bPartnerLarge ? *pPartner : *pMaster;
  CMediaLib& small = bPartnerLarge ? *pMaster : *pPartner;
  const PairRects rects = PlacePair(ToPair(area), VideoSizeOf(large), VideoSizeOf(small), layout);
  HWND largeParent = bOnStage ? stage.Window() : pMaster->VideoSurfaceWindow();
  HWND drain = bOnStage ? stage.Window() : NULL;
  large.SetVideoHidden(false);
  large.PlaceVideoIn(largeParent, ToRect(rects.large));
  large.SetVideoDrain(drain);
  if (layout == PairLayout::kInset && !rects.small.IsEmpty()) {
    // The light border with a dark line around it, so that it shows on any picture
    // (the inset's margin has room for the line).
    const PairRect& b = rects.smallBorder;
    const RECT outline{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1};
    frame.ShowFrame(stageWindow, outline, hMain);
    const int dx = outline.left, dy = outline.top;
    const RECT inside{rects.small.left - dx, rects.small.top - dy, rects.small.right - dx,
                      rects.small.bottom - dy};
    small.PlaceVideoIn(frame.Window(), inside);
    small.SetVideoHidden(false);
    small.SetVideoDrain(frame.Window());
    return;
  }
  frame.Hide();
  if (layout == PairLayout::kSideBySide && !rects.small.IsEmpty()) {
    small.PlaceVideoIn(largeParent, ToRect(rects.small));
    small.SetVideoHidden(false);
    // A click on the right picture swaps too: the hidden frame takes it.
    small.SetVideoDrain(frame.ClickTarget(stageWindow, hMain));
    return;
  }
  small.SetVideoHidden(true);
}

void CCameraPairView::MatchPlayState() {
  const bool running = pMaster->IsRunning();
  if (running && !pPartner->IsRunning()) pPartner->Play();
  // A paused clip: the partner shows the same moment's frame, also from stopped.
  if (!running && (pPartner->IsRunning() || pPartner->IsStopped())) pPartner->Pause();
}

void CCameraPairView::Follow() {
  if (!IsOpen() || !pMaster->IsReady()) return;
  MatchPlayState();
  const LONGLONG master = pMaster->ExactPosition();
  const LONGLONG length = pPartner->ExactLength();
  const LONGLONG partner = pPartner->ExactPosition();
  // Past its end the partner holds its last frame (its own position may not
  // say so after a seek there, so it is not asked).
  sync.bHoldingEnd = length > 0 && master >= length;
  if (sync.bHoldingEnd || std::llabs(master - partner) > kPartnerPausedLimit)
    pPartner->SeekExact(master);
  TracePositions("follow");
}

void CCameraPairView::Tick() {
  if (!IsOpen() || !pMaster->IsReady()) return;
  MatchPlayState();
  const PartnerTick tick =
      PartnerSyncTick(pMaster->ExactPosition(), pPartner->ExactPosition(), pPartner->ExactLength(),
                      pMaster->IsRunning(), sync);
  if (tick.bSeek) pPartner->SeekExact(tick.nSeekTo);
  TracePositions("tick");
}

void CCameraPairView::TracePositions(const char* when) {
  const LONGLONG master = pMaster->ExactPosition(), partner = pPartner->ExactPosition();
  TraceFormat("PAIR %s master %lld ms partner %lld ms running %d %d reseeks %d largest %lld ms\n",
              when, Ms(master), Ms(partner), pMaster->IsRunning() ? 1 : 0,
              pPartner->IsRunning() ? 1 : 0, sync.nReseeks, Ms(sync.nLargestDrift));
}

bool CCameraPairView::EnterFullScreen() {
  if (!IsOpen() || !stage.Open(hMain)) return false;
  bOnStage = true;
  Place();
  return true;
}

void CCameraPairView::LeaveFullScreen() {
  if (!bOnStage) return;
  // Everything on the stage goes back before the stage goes: a renderer's
  // window must not be destroyed with its parent.
  bOnStage = false;
  Place();
  stage.Close();
}
