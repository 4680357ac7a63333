#include "graph/gsensor_plot.h"

#include <cstdlib>
#include <string>

GraphPlot PlotArea(int width, int height) {
  GraphPlot p;
  p.left = static_cast<int>(width * 0.01);
  p.width = static_cast<int>(width * 0.975) - p.left;
  p.bottom = static_cast<int>(height * 0.94);
  p.top = static_cast<int>(height * 0.05);
  p.height = p.bottom - p.top;
  p.middle = p.height / 2;
  return p;
}

GraphScale ChooseScale(size_t entries, int32_t samplesPerSec, int64_t clipSeconds) {
  GraphScale s;
  if (samplesPerSec <= 0) return s;
  int64_t L = static_cast<int64_t>(entries) / samplesPerSec;
  if (clipSeconds > 0 && clipSeconds < L) L = clipSeconds;
  s.length = L;
  if (L >= 365) {
    s.background = GraphBackground::kLong;
    s.seconds = static_cast<int>(L);
  } else if (L >= 310) {
    s.background = GraphBackground::kSixMinutes;
    s.seconds = 360;
  }
  s.plotted = (L >= 301 && L <= 309) ? 300 : L;
  s.curves = L > 10 && s.plotted > 1;
  s.cursor = L > 10;
  return s;
}

int SampleOffset(int thousandths, int plotHeight) {
  return static_cast<int>(static_cast<float>(thousandths) * static_cast<float>(plotHeight) /
                          -4000.0f * 4.0f);
}

int SecondX(int64_t second, const GraphPlot& plot, int scaleSeconds) {
  return plot.left + static_cast<int>(second * plot.width / scaleSeconds);
}

int CursorX(int64_t second, const GraphPlot& plot, int scaleSeconds) {
  return static_cast<int>(static_cast<float>(second) * static_cast<float>(plot.width) /
                              static_cast<float>(scaleSeconds) +
                          static_cast<float>(plot.left));
}

int64_t SecondAt(int x, const GraphPlot& plot, const GraphScale& scale) {
  if (scale.length <= 0 || plot.width <= 0 || x < plot.left || x > plot.left + plot.width)
    return -1;
  const int64_t second =
      ((static_cast<int64_t>(x - plot.left) * scale.seconds) * 2 + plot.width) / (2 * plot.width);
  return second < scale.length ? second : scale.length - 1;
}

std::vector<GraphPoint> CurvePoints(const CTextColumn& column, int32_t samplesPerSec,
                                    const GraphScale& scale, const GraphPlot& plot,
                                    int windowHeight) {
  std::vector<GraphPoint> points;
  if (!scale.curves) return points;
  auto clamp = [&](int y) { return y < 0 ? 0 : y >= windowHeight ? windowHeight - 1 : y; };
  points.reserve(static_cast<size_t>(scale.plotted));
  points.push_back({SecondX(0, plot, scale.seconds), clamp(plot.top + plot.middle)});
  std::string entry;
  for (int64_t i = 1; i < scale.plotted; ++i) {
    const int v = column.Get(samplesPerSec * i, entry) ? std::atoi(entry.c_str()) : 0;
    points.push_back({SecondX(i, plot, scale.seconds),
                      clamp(plot.top + plot.middle + SampleOffset(v, plot.height))});
  }
  return points;
}

uint32_t AxisColour(char axis) {
  switch (axis) {
    case 'Y':
      return 0x00FF00;
    case 'Z':
      return 0xFF0000;
    default:
      return 0x0000FF;
  }
}

std::vector<GraphMarker> EventMarkers(const std::vector<GForceEvent>& events,
                                      const GraphScale& scale, const GraphPlot& plot) {
  std::vector<GraphMarker> markers;
  if (!scale.curves || scale.seconds <= 0) return markers;
  const int half = plot.height / 24 > 3 ? plot.height / 24 : 3;
  for (const GForceEvent& event : events) {
    if (event.nSecond < 0 || event.nSecond >= scale.length) continue;
    GraphMarker m;
    m.x = CursorX(event.nSecond, plot, scale.seconds);
    m.top = plot.top;
    m.tip = plot.top + 2 * half;
    m.halfWidth = half;
    m.colour = AxisColour(event.cAxis);
    markers.push_back(m);
  }
  return markers;
}
