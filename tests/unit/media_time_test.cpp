// The engine's frame arithmetic for stepping back.
#include "video/media_time.h"

#include <gtest/gtest.h>

TEST(MediaTime, PreviousFrameLandsInTheMiddleOfTheFrameBefore) {
  const std::int64_t frame = 333667;  // 29.97 frames a second
  struct Case {
    const char* what;
    std::int64_t position, target;
  } cases[] = {
      {"the first frame has none before it", 0, -1},
      {"inside the first frame", frame / 2, -1},
      {"the start of the second frame", frame, frame / 2},
      {"the middle of the third frame", 2 * frame + frame / 2, frame + frame / 2},
      {"a negative position is the start", -5, -1},
      {"ten seconds in", 10 * media_time::kUnitsPerSecond,
       (10 * media_time::kUnitsPerSecond / frame - 1) * frame + frame / 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(media_time::PreviousFrameTarget(c.position, frame), c.target) << c.what;
  // Forward then back is the frame it started from.
  const std::int64_t at = 7 * frame + 10;
  EXPECT_EQ(media_time::PreviousFrameTarget(media_time::NextFrameTarget(at, frame), frame) / frame,
            at / frame);
}
