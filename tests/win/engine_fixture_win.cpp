#include "engine_fixture_win.h"

#include "resources/resource.h"

std::string g_clipDir;

void EngineTest::SetUp() {
  frame = std::make_unique<TestWindow>(
      CreateWindowExA(0, "STATIC", "engine test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                      kHostWidth + 40, kHostHeight + 40, NULL, NULL, NULL, NULL));
  ASSERT_NE(frame->Get(), (HWND)NULL);
  host = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 20, 20, kHostWidth, kHostHeight,
                         frame->Get(), reinterpret_cast<HMENU>(IDC_VIDEO_AREA), NULL, NULL);
  ASSERT_NE(host, (HWND)NULL);
  engine = std::make_unique<CMediaLib>();
  ASSERT_TRUE(engine->Create(host)) << "template 101 missing from the test program?";
  engine->pHostWnd = host;
  MoveWindow(engine->GetSafeHwnd(), 0, 0, kHostWidth, kHostHeight, FALSE);
  ShowWindow(engine->GetSafeHwnd(), SW_SHOW);
  engine->PlaceVideoWindow();
  testkit::PumpFor(20);
  trace.Take();
}

void EngineTest::TearDown() {
  if (engine) {
    // As the application does after its window has closed.
    engine->Stop();
    engine->ReleaseGraph();
    engine.reset();
  }
  frame.reset();
}

void EngineTest::Open(const std::string& name) {
  engine->strFilePath = ClipPath(name);
  engine->OpenClip();
  if (engine->pGraphBuilder && engine->pMediaSeeking) engine->QueryDuration();
}

HWND EngineTest::Surface() const { return engine->GetDlgItem(IDC_MEDIALIB_VIDEO); }

OAFilterState EngineTest::SettledState(DWORD timeoutMs) {
  OAFilterState state = State_Stopped;
  if (!engine->pMediaControl) return state;
  testkit::PumpUntil(
      [&] { return engine->pMediaControl->GetState(10, &state) != VFW_S_STATE_INTERMEDIATE; },
      timeoutMs);
  return state;
}

LONGLONG EngineTest::Position() {
  LONGLONG position = -1;
  if (engine->pMediaSeeking) engine->pMediaSeeking->GetCurrentPosition(&position);
  return position;
}

void EngineTest::ExpectVideoOnHost(bool visible) {
  // Read off the window itself: some renderers report GetWindowPosition in
  // screen coordinates.
  HWND video = GetWindow(Surface(), GW_CHILD);
  ASSERT_NE(video, (HWND)NULL) << "no video window on the surface";
  OAHWND owner = 0;
  engine->pVideoWindow->get_Owner(&owner);
  EXPECT_EQ(reinterpret_cast<HWND>(owner), Surface());
  RECT place = {};
  GetWindowRect(video, &place);
  MapWindowPoints(NULL, Surface(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 0);
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(place.right, kHostWidth);
  EXPECT_EQ(place.bottom, kHostHeight);
  EXPECT_EQ(IsWindowVisible(video) != FALSE, visible);
}
