// Run control of the engine: what each operation calls on the graph, the
// guards, stop and release with their traces.
#include <gtest/gtest.h>

#include "engine_doubles_win.h"
#include "engine_fixture_win.h"

namespace {

TEST_F(EngineTest, PlayAndPauseCallTheGraphOnlyWhenItsStateNeedsIt) {
  Open("CLIP.MP4");
  ASSERT_TRUE(engine->bReady);
  auto* control = Install<CountingMediaControl>(engine->pMediaControl, engine->pMediaControl);
  ShowWindow(Surface(), SW_HIDE);

  engine->Play();
  EXPECT_EQ(control->runs, 1);
  EXPECT_TRUE(IsWindowVisible(Surface())) << "Play shows the video surface";
  ASSERT_EQ(SettledState(), State_Running);

  ShowWindow(Surface(), SW_HIDE);
  engine->Play();  // already running
  EXPECT_EQ(control->runs, 1);
  EXPECT_FALSE(IsWindowVisible(Surface())) << "nor is the surface shown again";

  engine->Pause();
  EXPECT_EQ(control->pauses, 1);
  ASSERT_EQ(SettledState(), State_Paused);
  engine->Pause();  // already paused
  EXPECT_EQ(control->pauses, 1);

  engine->Play();  // paused is not running
  EXPECT_EQ(control->runs, 2);
  EXPECT_EQ(SettledState(), State_Running);
  EXPECT_EQ(control->stops, 0);
}

// Every resize pauses and resumes; dragging a window edge does it twenty times in
// half a second. The position must still follow the video, not run ahead of it.
TEST_F(EngineTest, PausesAndResumesInABurstKeepThePosition) {
  Open("CLIP.MP4");
  ASSERT_TRUE(engine->bReady);
  engine->Play();
  testkit::PumpFor(1000);
  const ULONGLONG start = GetTickCount64();
  const LONGLONG startPosition = Position();
  for (int i = 0; i < 20; ++i) {
    engine->Pause();
    engine->Play();
    testkit::PumpFor(30);
  }
  testkit::PumpFor(1000);
  const LONGLONG played = Position() - startPosition;
  const LONGLONG wall = static_cast<LONGLONG>(GetTickCount64() - start) * 10000;
  EXPECT_LE(played, wall + 5000000) << "position ran ahead by " << (played - wall) / 10000 << " ms";
  EXPECT_GE(played, wall - 10000000);
  const CMediaLib::Position at = engine->ReportPosition();
  EXPECT_LE(at.second, at.length);
}

TEST_F(EngineTest, RefusedRunPauseAndStopAreTracedWithTheirCode) {
  Open("CLIP.MP4");
  ASSERT_TRUE(engine->bReady);
  auto* control = Install<CountingMediaControl>(engine->pMediaControl, engine->pMediaControl);
  engine->Play();
  ASSERT_EQ(SettledState(), State_Running);
  trace.Take();
  control->refusal = E_FAIL;
  engine->Pause();
  engine->Stop();
  const std::string traced = trace.Take();
  const std::string pause = "Video: Pause failed (0x80004005";
  const std::string stop = "Video: Stop failed (0x80004005";
  EXPECT_EQ(traced.rfind(pause, 0), 0u) << traced;
  EXPECT_NE(traced.find(stop, pause.size()), std::string::npos) << traced;
  EXPECT_NE(traced.find("Video Is Running"), std::string::npos) << traced;
  control->refusal = S_OK;
  engine->Stop();
  ASSERT_EQ(SettledState(), State_Stopped);
  trace.Take();
  control->refusal = E_UNEXPECTED;
  engine->Play();
  EXPECT_EQ(trace.Take().rfind("Video: Run failed (0x8000FFFF", 0), 0u);
  EXPECT_EQ(control->runs, 2);
}

TEST_F(EngineTest, StopRewindsOnceAndSaysSo) {
  Open("CLIP.MP4");
  ASSERT_TRUE(engine->bReady);
  auto* control = Install<CountingMediaControl>(engine->pMediaControl, engine->pMediaControl);
  engine->Play();
  testkit::PumpFor(1500);
  engine->UpdatePosition();
  ASSERT_GE(engine->nCurrentSec, 1);
  trace.Take();

  engine->Stop();
  EXPECT_EQ(control->stops, 1);
  EXPECT_TRUE(engine->IsStopped());
  engine->UpdatePosition();
  EXPECT_EQ(engine->nCurrentSec, 0);
  EXPECT_EQ(trace.Take(), "Video Is Stopped");

  engine->Stop();  // already stopped: no seek, no call, no trace
  EXPECT_EQ(control->stops, 1);
  EXPECT_EQ(trace.Take(), "");
  engine->Play();
  EXPECT_EQ(control->runs, 2) << "a stopped clip plays again from the start";
}

TEST_F(EngineTest, ReleaseTwiceSecondOnlyTracesItsFirstLine) {
  Open("CLIP.AVI");
  ASSERT_TRUE(engine->bReady);
  engine->Play();
  engine->UpdatePosition();
  const std::string path = engine->strFilePath;
  trace.Take();

  engine->ReleaseGraph();
  EXPECT_EQ(trace.Take(), "\r\n\r\n ===> Video Release <===\r\n =====> Put_Visible False");
  EXPECT_FALSE(engine->pGraphBuilder || engine->pMediaControl || engine->pVideoWindow ||
               engine->pMediaEvent || engine->pMediaSeeking || engine->pFrameStep);
  EXPECT_EQ(GetWindow(Surface(), GW_CHILD), (HWND)NULL) << "the video window left the surface";
  // What the main window reads afterwards keeps its value.
  EXPECT_TRUE(engine->bReady);
  EXPECT_EQ(engine->strFilePath, path);
  EXPECT_EQ(engine->nTotalSec, 12);

  engine->ReleaseGraph();
  EXPECT_EQ(trace.Take(), "\r\n\r\n ===> Video Release <===");
}

TEST_F(EngineTest, OpeningOverAnOpenClipReleasesTheOldGraphFirst) {
  Open("CLIP.MP4");
  engine->Play();
  ASSERT_EQ(SettledState(), State_Running);
  trace.Take();
  Open("CLIP.AVI");  // the loader always releases first; this one did not
  EXPECT_EQ(trace.Take(), "\r\n\r\n ===> Video Release <===\r\n =====> Put_Visible False");
  ASSERT_TRUE(engine->bReady);
  engine->Play();
  EXPECT_EQ(SettledState(), State_Running);
  int videoWindows = 0;
  for (HWND w = GetWindow(Surface(), GW_CHILD); w != NULL; w = GetWindow(w, GW_HWNDNEXT))
    ++videoWindows;
  EXPECT_EQ(videoWindows, 1) << "the old clip's video window stayed on the surface";
}

TEST_F(EngineTest, EveryOperationWithoutGraphDoesNothing) {
  engine->nTotalSec = 9;
  engine->nCurrentSec = 7;
  engine->QueryDuration();
  engine->Play();
  engine->Pause();
  engine->Stop();
  engine->SeekTo(3);
  engine->UpdatePosition();
  EXPECT_EQ(engine->PlaceVideoWindow(), 0);
  engine->StepFrame();
  engine->EnterFullScreen();
  engine->LeaveFullScreen();
  EXPECT_FALSE(engine->IsRunning());
  EXPECT_FALSE(engine->IsStopped());
  EXPECT_EQ(engine->nTotalSec, 9);
  EXPECT_EQ(engine->nCurrentSec, 7);
  EXPECT_EQ(trace.Take(), "");
  EXPECT_TRUE(boxes.Calls().empty());

  // A graph without a renderer's window: full screen has nothing to act on.
  ComPtr<IGraphBuilder> graph;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER,
                                            IID_IGraphBuilder,
                                            reinterpret_cast<void**>(graph.GetAddressOf())));
  engine->pGraphBuilder = graph;
  ASSERT_HRESULT_SUCCEEDED(QueryInto(graph.Get(), IID_IVideoFrameStep, engine->pFrameStep));
  engine->EnterFullScreen();
  engine->StepFrame();
  engine->UpdatePosition();
  EXPECT_EQ(engine->nCurrentSec, 7);
}

}  // namespace
