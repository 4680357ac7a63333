// The G-sensor graph's arithmetic against the clip lengths that change it.
#include <gtest/gtest.h>

#include <string>

#include "graph/gsensor_plot.h"

namespace {

// A G-sensor column of `seconds` at 10 samples a second, every sample `value`.
CTextColumn Column(int seconds, int value = 0) {
  CTextColumn column;
  column.AppendRepeated(std::to_string(value), static_cast<size_t>(seconds) * 10);
  return column;
}

const GraphPlot kPlot = PlotArea(749, 100);

}  // namespace

TEST(GSensorPlot, ThePlotSitsInsideTheWindowAsTheBackgroundsAreDrawn) {
  EXPECT_EQ(kPlot.left, 7);
  EXPECT_EQ(kPlot.left + kPlot.width, 730);
  EXPECT_EQ(kPlot.top, 5);
  EXPECT_EQ(kPlot.bottom, 94);
  EXPECT_EQ(kPlot.middle, 44);
}

// 305 s: five minutes, 300 seconds plotted, the last point one second short of
// the right edge. 330 s: the six-minute grid at once. 400 s: its own length
// across, so the whole clip fits.
TEST(GSensorPlot, TheClipLengthPicksGridAndTimeScale) {
  const GraphScale five = ChooseScale(3050, 10);
  EXPECT_EQ(five.background, GraphBackground::kFiveMinutes);
  EXPECT_EQ(five.seconds, 300);
  const auto fivePoints = CurvePoints(Column(305), 10, five, kPlot, 100);
  ASSERT_EQ(fivePoints.size(), 300u);
  EXPECT_EQ(fivePoints.back().x, kPlot.left + 299 * kPlot.width / 300);

  const GraphScale six = ChooseScale(3300, 10);
  EXPECT_EQ(six.background, GraphBackground::kSixMinutes);
  EXPECT_EQ(six.seconds, 360);

  const GraphScale longer = ChooseScale(4000, 10);
  EXPECT_EQ(longer.background, GraphBackground::kLong);
  const auto longPoints = CurvePoints(Column(400), 10, longer, kPlot, 100);
  ASSERT_EQ(longPoints.size(), 400u);
  EXPECT_LT(longPoints.back().x, kPlot.left + kPlot.width);
  EXPECT_GT(longPoints.back().x, kPlot.left + kPlot.width * 99 / 100);
}

TEST(GSensorPlot, ShortClipsAndClipsWithoutDataShowOnlyTheBackground) {
  for (const GraphScale& s : {ChooseScale(100, 10), ChooseScale(5000, 0), ChooseScale(0, 10)}) {
    EXPECT_FALSE(s.curves);
    EXPECT_FALSE(s.cursor);
    EXPECT_TRUE(CurvePoints(Column(10), 10, s, kPlot, 100).empty());
  }
  EXPECT_TRUE(ChooseScale(110, 10).cursor);
}

// Half a g reaches the edges of the plot; a hard brake beyond it goes past the
// plot but stays in the window.
TEST(GSensorPlot, SamplesRunFromTopToBottomAndStayInTheWindow) {
  const GraphScale s = ChooseScale(200, 10);
  EXPECT_EQ(CurvePoints(Column(20, 500), 10, s, kPlot, 100)[1].y, kPlot.top);
  EXPECT_NEAR(CurvePoints(Column(20, -500), 10, s, kPlot, 100)[1].y, kPlot.bottom, 1);
  const auto brake = CurvePoints(Column(20, -900), 10, s, kPlot, 100);
  EXPECT_EQ(brake[0].y, kPlot.top + kPlot.middle) << "every curve starts on the zero line";
  EXPECT_EQ(brake[1].y, 99);
  EXPECT_EQ(CurvePoints(Column(20, 900), 10, s, kPlot, 100)[1].y, 0);
}

TEST(GSensorPlot, APointOnThePlotGoesBackToItsSecond) {
  const GraphScale s = ChooseScale(1200, 10);  // 120 s against 300
  for (int second : {0, 1, 37, 119})
    EXPECT_EQ(SecondAt(CursorX(second, kPlot, s.seconds), kPlot, s), second);
  EXPECT_EQ(SecondAt(kPlot.left + kPlot.width, kPlot, s), 119)
      << "past the clip's end: its last second";
  EXPECT_EQ(SecondAt(kPlot.left - 1, kPlot, s), -1);
  EXPECT_EQ(SecondAt(kPlot.left + 5, kPlot, ChooseScale(0, 10)), -1);
}

// An hour of telemetry beside a 20-second clip: the graph is the clip's, so the
// cursor moves across the 300-second grid and no click seeks past the clip.
TEST(GSensorPlot, ASidecarLongerThanItsClipIsCutToTheClip) {
  struct Case {
    size_t entries;
    int64_t clip;
    GraphBackground background;
    int seconds;
    int64_t length;
  } cases[] = {
      {36000, 20, GraphBackground::kFiveMinutes, 300, 20},
      {36000, 330, GraphBackground::kSixMinutes, 360, 330},
      {36000, 400, GraphBackground::kLong, 400, 400},
      {36000, 0, GraphBackground::kLong, 3600, 3600},  // length not known: the table's
      {200, 3600, GraphBackground::kFiveMinutes, 300, 20},  // a shorter table stays as it is
  };
  for (const Case& c : cases) {
    const GraphScale s = ChooseScale(c.entries, 10, c.clip);
    EXPECT_EQ(s.background, c.background) << c.clip;
    EXPECT_EQ(s.seconds, c.seconds) << c.clip;
    EXPECT_EQ(s.length, c.length) << c.clip;
    EXPECT_EQ(s.plotted, c.length) << c.clip;
  }
  const GraphScale clip = ChooseScale(36000, 10, 20);
  EXPECT_EQ(SecondAt(kPlot.left + kPlot.width / 2, kPlot, clip), 19);
  EXPECT_EQ(SecondAt(CursorX(7, kPlot, clip.seconds), kPlot, clip), 7);
  EXPECT_LT(CursorX(19, kPlot, clip.seconds), kPlot.left + kPlot.width / 10);
  EXPECT_EQ(CurvePoints(Column(3600), 10, clip, kPlot, 100).size(), 20u);
}

// Events are marked at the top of the plot where the cursor stands at their
// second, in their axis's curve colour; seconds the graph does not plot get none.
TEST(GSensorPlot, EventMarkersStandAtTheirSecondInTheirAxisColour) {
  auto event = [](int64_t second, char axis) {
    GForceEvent e;
    e.nSecond = second;
    e.cAxis = axis;
    return e;
  };
  const GraphScale minute = ChooseScale(600, 10);  // 60 s on the five-minute grid
  const std::vector<GraphMarker> markers = EventMarkers(
      {event(30, 'Y'), event(60, 'X'), event(-1, 'X'), event(0, 'Z'), event(59, 'X')}, minute,
      kPlot);
  ASSERT_EQ(markers.size(), 3u);
  EXPECT_EQ(markers[0].x, CursorX(30, kPlot, 300));
  EXPECT_EQ(markers[0].x, 79);
  EXPECT_EQ(markers[0].colour, 0x00FF00u);
  EXPECT_EQ(markers[1].x, kPlot.left);
  EXPECT_EQ(markers[1].colour, 0xFF0000u);
  EXPECT_EQ(markers[2].colour, 0x0000FFu);
  EXPECT_EQ(markers[0].top, kPlot.top);
  EXPECT_GT(markers[0].tip, markers[0].top);
  EXPECT_LT(markers[0].tip, kPlot.top + kPlot.middle);  // well above the zero line
  EXPECT_GE(markers[0].halfWidth, 3);
  EXPECT_EQ(AxisColour('?'), AxisColour('X'));
  // A clip too short for curves shows no markers either.
  EXPECT_TRUE(EventMarkers({event(2, 'X')}, ChooseScale(50, 10), kPlot).empty());
}
