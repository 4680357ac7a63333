// The one-frame step, by the renderer where it can and by seeking where not,
// and the time arithmetic it rests on.
#include <gtest/gtest.h>

#include <vector>

#include "engine_doubles_win.h"
#include "engine_fixture_win.h"
#include "video/media_time.h"

namespace {

TEST(MediaTime, SecondsAndFrameTargets) {
  using namespace media_time;
  EXPECT_EQ(ToSeconds(0), 0);
  EXPECT_EQ(ToSeconds(119999999), 11);  // truncated, never rounded up
  EXPECT_EQ(ToSeconds(120000000), 12);
  EXPECT_EQ(ToSeconds(-5), 0);
  EXPECT_EQ(FromSeconds(5), 50000000);
  EXPECT_EQ(FromSeconds(2147483647), 21474836470000000LL) << "no 32-bit overflow";
  EXPECT_EQ(FromSeconds(-1), -10000000);

  EXPECT_EQ(FrameUnits(1.0 / 30), 333333);
  EXPECT_EQ(FrameUnits(0.04), 400000);
  EXPECT_EQ(FrameUnits(0.0), 0);
  EXPECT_EQ(FrameUnits(-0.04), 0);

  // The middle of the next frame, wherever in the current one the position is.
  EXPECT_EQ(NextFrameTarget(0, 400000), 600000);
  EXPECT_EQ(NextFrameTarget(399999, 400000), 600000);
  EXPECT_EQ(NextFrameTarget(400000, 400000), 1000000);
  EXPECT_EQ(NextFrameTarget(600000, 400000), 1000000) << "stepping from a stepped position";
  EXPECT_EQ(NextFrameTarget(-3, 400000), 600000);
}

// The frame on screen as the renderer returns it (the graph must be paused).
// The renderer may report the pause before the frame has arrived, so this
// asks again for a while.
std::vector<char> CurrentImage(CMediaLib& engine) {
  ComPtr<IBasicVideo> video;
  if (FAILED(QueryInto(engine.pGraphBuilder.Get(), IID_IBasicVideo, video))) return {};
  long width = 0, height = 0;
  video->GetVideoSize(&width, &height);
  // Room for a 32-bit frame and its header; Wine answers no size query.
  const long room = static_cast<long>(sizeof(BITMAPINFOHEADER)) + width * height * 4 + 4096;
  std::vector<char> image(static_cast<size_t>(room));
  const bool got = testkit::PumpUntil(
      [&] {
        long size = room;
        return SUCCEEDED(video->GetCurrentImage(&size, reinterpret_cast<long*>(image.data())));
      },
      1000);
  if (!got) image.clear();
  return image;
}

LONGLONG FrameLength(CMediaLib& engine) {
  ComPtr<IBasicVideo> video;
  REFTIME seconds = 0;
  if (FAILED(QueryInto(engine.pGraphBuilder.Get(), IID_IBasicVideo, video))) return 0;
  video->get_AvgTimePerFrame(&seconds);
  return media_time::FrameUnits(seconds);
}

TEST_F(EngineTest, StepShowsTheNextFrameAndLeavesThePictureStill) {
  Open("CLIP.MP4");
  engine->Play();
  testkit::PumpFor(700);
  const LONGLONG frame = FrameLength(*engine);
  ASSERT_EQ(frame, 333333);

  engine->StepFrame();  // from running: pauses on the frame after the current one
  ASSERT_EQ(SettledState(), State_Paused);
  LONGLONG before = Position();
  std::vector<char> shown = CurrentImage(*engine);
  ASSERT_FALSE(shown.empty());
  for (int i = 0; i < 3; ++i) {
    engine->StepFrame();
    ASSERT_EQ(SettledState(), State_Paused);
    const LONGLONG after = Position();
    EXPECT_EQ(after / frame, before / frame + 1) << "step " << i;
    const std::vector<char> next = CurrentImage(*engine);
    EXPECT_FALSE(next.empty());
    EXPECT_NE(next, shown) << "the picture did not change on step " << i;
    before = after;
    shown = next;
  }
}

TEST_F(EngineTest, StepNearTheEndKeepsTheLastFrame) {
  Open("CLIP.AVI");
  const LONGLONG frame = FrameLength(*engine);
  ASSERT_GT(frame, 0);
  LONGLONG duration = 0;
  engine->pMediaSeeking->GetDuration(&duration);
  LONGLONG last = duration - frame / 2;  // inside the last frame
  engine->pMediaSeeking->SetPositions(&last, AM_SEEKING_AbsolutePositioning, NULL,
                                      AM_SEEKING_NoPositioning);
  engine->Pause();
  ASSERT_EQ(SettledState(), State_Paused);
  engine->StepFrame();
  EXPECT_EQ(SettledState(), State_Paused);
  EXPECT_LT(Position(), duration);
}

TEST_F(EngineTest, StepUsesTheRenderersOwnStepWhenItWorks) {
  Open("CLIP.MP4");
  engine->Play();
  ASSERT_EQ(SettledState(), State_Running);
  auto* control = Install<CountingMediaControl>(engine->pMediaControl, engine->pMediaControl);
  auto* step = Install<SucceedingFrameStep>(engine->pFrameStep);
  engine->StepFrame();
  EXPECT_EQ(step->steps, 1);
  EXPECT_EQ(control->pauses, 0) << "no seek fallback after a successful step";
  EXPECT_EQ(SettledState(), State_Running);
}

}  // namespace
