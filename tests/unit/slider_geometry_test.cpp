#include "controls/slider_geometry.h"

#include <gtest/gtest.h>

TEST(SliderGeometry, PointsMapToTheRangeEndToEnd) {
  EXPECT_EQ(SliderPositionAt(10, 10, 110, 0, 20), 0);    // left end: the minimum
  EXPECT_EQ(SliderPositionAt(110, 10, 110, 0, 20), 20);  // right end: the maximum
  EXPECT_EQ(SliderPositionAt(60, 10, 110, 0, 20), 10);
  EXPECT_EQ(SliderPositionAt(60, 10, 110, 5, 5), 5);
  for (int right : {10, 9, -100}) EXPECT_EQ(SliderPositionAt(50, 10, right, 3, 20), 3);  // no width
}

TEST(SliderGeometry, BandsAndThePlayedBar) {
  const std::vector<SliderBand> bands = SliderBands(10);
  ASSERT_EQ(bands.size(), 5u);
  EXPECT_EQ(bands[0].colour, (SliderRgb{55, 60, 75}));
  EXPECT_EQ(bands[4].colour, (SliderRgb{128, 141, 176}));
  EXPECT_EQ(bands[4].bottom, 10);
  const std::vector<SliderBand> rows = PlayedBarRows(5);  // q = 1: the fifth row shows the bands
  EXPECT_EQ(rows.back().bottom, 4);
  EXPECT_EQ(PlayedBarEnd(0, 600, 20, 20), 600);  // the position at the length fills the bar
  EXPECT_EQ(PlayedBarEnd(0, 600, 5, 20), 150);
  EXPECT_EQ(PlayedBarEnd(0, 600, 5, 0), -1);  // no clip, no played part
}

// Every drag that moved ends with exactly one SB_THUMBPOSITION, also when the
// mouse capture is taken away in the middle of it.
TEST(SliderGeometry, ADragReportsEachMoveAndOneFinalPosition) {
  using Codes = std::vector<int>;
  CSliderDrag drag;
  EXPECT_EQ(drag.Press(true), Codes{5});
  EXPECT_EQ(drag.Move(false), Codes{});
  EXPECT_EQ(drag.Move(true), Codes{5});
  EXPECT_EQ(drag.Release(false), Codes{4});
  EXPECT_FALSE(drag.Dragging());
  EXPECT_EQ(drag.Move(true), Codes{});  // not dragging: the trackbar's own handling

  EXPECT_EQ(drag.Press(false), Codes{});
  EXPECT_EQ(drag.Release(false), Codes{});  // nothing moved: nothing to report
  EXPECT_EQ(drag.Press(false), Codes{});
  EXPECT_EQ(drag.Release(true), (Codes{5, 4}));

  EXPECT_EQ(drag.Press(true), Codes{5});
  EXPECT_EQ(drag.CaptureLost(), Codes{4});
  EXPECT_EQ(drag.Release(true), Codes{});  // the drag had ended
}

// An event's tick stands where the played part ends when its second plays,
// centred on that edge and kept inside the bar.
TEST(SliderGeometry, EventTicksStandWhereThePlayedPartReachesTheirSecond) {
  const struct {
    std::vector<int64_t> seconds;
    int left, right, nMax;
    std::vector<int> xs;
  } rows[] = {
      {{30}, 0, 600, 60, {299}},             // the middle
      {{0, 60}, 0, 600, 60, {0, 598}},       // the ends stay on the bar
      {{15, 45}, 10, 410, 60, {109, 309}},   // a bar not at 0
      {{-1, 61, 20}, 0, 600, 60, {199}},     // seconds outside the clip: no tick
      {{10}, 0, 600, 0, {}},                 // no clip
      {{10}, 0, 1, 60, {}},                  // no room for a tick
  };
  for (const auto& row : rows)
    EXPECT_EQ(EventTickXs(row.seconds, row.left, row.right, row.nMax), row.xs)
        << row.left << ".." << row.right << " of " << row.nMax;
}
