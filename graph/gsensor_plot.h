// The G-sensor graph's arithmetic: where the plot lies in the window, which
// background and time scale a clip gets, where each second's point and the
// cursor go, and which second lies under a point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "telemetry/gforce_events.h"
#include "telemetry/text_column.h"

struct GraphPlot {
  int left = 0, width = 0, top = 0, bottom = 0, height = 0, middle = 0;
};
// The plot inside a window of width x height.
GraphPlot PlotArea(int width, int height);

enum class GraphBackground {
  kFiveMinutes,  // grid labelled 1 to 5 minutes: 300 s across
  kSixMinutes,   // 1 to 6 minutes: 360 s across
  kLong,         // grid and G scale without minutes: the clip's own length across
};

struct GraphScale {
  GraphBackground background = GraphBackground::kFiveMinutes;
  int seconds = 300;    // seconds across the plot
  int64_t length = 0;   // the clip's seconds: entries / samples per second, at most the clip's
  int64_t plotted = 0;  // seconds with a point
  bool curves = false;  // the three axes are drawn
  bool cursor = false;  // the current second is marked
};
// For a G-sensor column of `entries` at `samplesPerSec` (<= 0: no data), of a
// clip `clipSeconds` long (<= 0: not known): a sidecar longer than its clip
// scales, plots and answers clicks only for the clip's seconds.
GraphScale ChooseScale(size_t entries, int32_t samplesPerSec, int64_t clipSeconds = 0);

// Pixels above (negative) or below the middle for a sample in thousandths of
// a g: +500 reaches the top of the plot, -500 the bottom.
int SampleOffset(int thousandths, int plotHeight);
int SecondX(int64_t second, const GraphPlot& plot, int scaleSeconds);
int CursorX(int64_t second, const GraphPlot& plot, int scaleSeconds);
// The second whose point lies nearest to x, within [0, length - 1]; -1 when x is
// outside the plot or there is no clip.
int64_t SecondAt(int x, const GraphPlot& plot, const GraphScale& scale);

struct GraphPoint {
  int x = 0, y = 0;
};
// One axis as a line through its points, from the zero line at second 0 to
// second plotted - 1; y kept inside a window `windowHeight` high (a hard brake
// beyond 0.5 g goes past the plot but stays visible).
std::vector<GraphPoint> CurvePoints(const CTextColumn& column, int32_t samplesPerSec,
                                    const GraphScale& scale, const GraphPlot& plot,
                                    int windowHeight);

// The curves' colours (0x00bbggrr): X red, Y green, Z blue; an unknown axis
// is drawn as X.
uint32_t AxisColour(char axis);

// A G-force event's marker: a small triangle pointing down from the top of
// the plot at the event's second, in its axis's colour.
struct GraphMarker {
  int x = 0;           // the tip's column, where the cursor stands at that second
  int top = 0;         // the triangle's flat top edge
  int tip = 0;         // the row of its tip, below the top
  int halfWidth = 0;
  uint32_t colour = 0;
};
// The markers of the events whose second is plotted (curves drawn, second in
// [0, length)), in the events' order.
std::vector<GraphMarker> EventMarkers(const std::vector<GForceEvent>& events,
                                      const GraphScale& scale, const GraphPlot& plot);
