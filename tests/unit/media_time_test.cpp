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

TEST(MediaTime, HeldTargetKeepsTheLastFrameForSeeksPastTheEnd) {
  const std::int64_t frame = 333333;  // 30 frames a second
  const std::int64_t length = 6 * media_time::kUnitsPerSecond;
  const std::int64_t last = length - frame / 2;
  struct Case {
    const char* what;
    std::int64_t target, length, frame, held;
  } cases[] = {
      {"inside the clip", 25000000, length, frame, 25000000},
      {"the start", 0, length, frame, 0},
      {"before the start", -7, length, frame, 0},
      {"just before the last frame's middle", last - 1, length, frame, last - 1},
      {"the very end", length, length, frame, last},
      {"far past the end", 40 * media_time::kUnitsPerSecond, length, frame, last},
      {"an unknown frame length counts as 40 ms", length, length, 0, length - 200000},
      {"a clip shorter than half a frame", 5, 100, frame, 0},
      {"no length at all", 30000000, 0, frame, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(media_time::HeldTarget(c.target, c.length, c.frame), c.held) << c.what;
}
