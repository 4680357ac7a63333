#include "map/RouteView_win.h"

#include <algorithm>
#include <utility>

#include "framework/Owners_win.h"
#include "map/route_seconds.h"
#include "map/trip_route.h"

namespace {

// The skin's palette: the panel's dark ground, the seek bar's green for the
// way already driven, the needles' red for the car.
const COLORREF kGround = RGB(30, 33, 38), kGrid = RGB(45, 49, 56), kFrame = RGB(62, 66, 73);
const COLORREF kRoad = RGB(64, 70, 80), kAhead = RGB(92, 160, 230), kDim = RGB(140, 146, 154);
const COLORREF kDriven = RGB(168, 212, 48), kCar = RGB(255, 70, 70), kInk = RGB(226, 228, 232);
const COLORREF kStart = RGB(60, 200, 90), kEnd = RGB(235, 80, 80);
const COLORREF kClip = RGB(170, 215, 255);  // the playing clip's part of a trip

GdiPen RoundPen(COLORREF colour, int width) {
  LOGBRUSH brush{BS_SOLID, colour, 0};
  return GdiPen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, width,
                             &brush, 0, NULL));
}

void Disc(HDC dc, POINT at, int radius, COLORREF fill, COLORREF ring) {
  GdiBrush brush(CreateSolidBrush(fill));
  GdiPen pen(CreatePen(PS_SOLID, std::max(1, radius / 3), ring));
  SelectedObject b(dc, brush.Get()), p(dc, pen.Get());
  Ellipse(dc, at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1);
}

// The runs of seconds with a fix among rows [begin, end), each as one polyline.
template <class Draw>
void ForEachRun(const std::vector<RouteFix>& seconds, const std::vector<RoutePoint>& points,
                int64_t begin, int64_t end, int dx, int dy, std::vector<POINT>& run, Draw draw) {
  run.clear();
  for (int64_t i = begin; i < end; ++i) {
    const size_t k = static_cast<size_t>(i);
    if (seconds[k].fix) run.push_back({points[k].x + dx, points[k].y + dy});
    if ((!seconds[k].fix || i + 1 == end) && !run.empty()) {
      draw(run);
      run.clear();
    }
  }
}

void DrawPolyline(HDC dc, const std::vector<POINT>& run) {
  if (run.size() == 1) {
    const POINT two[2] = {run[0], run[0]};
    Polyline(dc, two, 2);  // a lone second still shows as a dot
  } else {
    Polyline(dc, run.data(), static_cast<int>(run.size()));
  }
}

// Lines every scale-bar length, so the ground reads as a map's squares.
void DrawGrid(HDC dc, int width, int height, int step) {
  if (step < 24) return;
  GdiPen pen(CreatePen(PS_SOLID, 1, kGrid));
  SelectedObject p(dc, pen.Get());
  for (int x = step; x < width; x += step) {
    MoveToEx(dc, x, 0, NULL);
    LineTo(dc, x, height);
  }
  for (int y = height - step; y > 0; y -= step) {
    MoveToEx(dc, 0, y, NULL);
    LineTo(dc, width, y);
  }
}

// The bar with end ticks, its length written above it, left end at x.
void DrawScaleBar(HDC dc, const ScaleBar& bar, int x, int y) {
  if (bar.pixels <= 0) return;
  GdiPen pen(CreatePen(PS_SOLID, 2, kInk));
  SelectedObject p(dc, pen.Get());
  const int tick = 4;
  const POINT line[4] = {{x, y - tick}, {x, y}, {x + bar.pixels, y}, {x + bar.pixels, y - tick}};
  Polyline(dc, line, 4);
  RECT text{x, y - 40, x + bar.pixels, y - tick - 1};
  DrawTextA(dc, bar.text.c_str(), -1, &text, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
}

// An arrow pointing up with "N" under it, centred on x, its tip at y.
void DrawNorthArrow(HDC dc, int x, int y, int size) {
  size = std::max(size, 8);
  const POINT left[3] = {{x, y}, {x - size / 3, y + size * 2 / 3}, {x, y + size / 2}};
  const POINT right[3] = {{x, y}, {x + size / 3, y + size * 2 / 3}, {x, y + size / 2}};
  GdiPen pen(CreatePen(PS_SOLID, 1, kInk));
  GdiBrush light(CreateSolidBrush(kInk)), dark(CreateSolidBrush(kFrame));
  SelectedObject p(dc, pen.Get());
  {
    SelectedObject b(dc, light.Get());
    Polygon(dc, left, 3);
  }
  {
    SelectedObject b(dc, dark.Get());
    Polygon(dc, right, 3);
  }
  RECT text{x - size, y + size * 2 / 3, x + size, y + size * 2 / 3 + 40};
  DrawTextA(dc, "N", -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE);
}

}  // namespace

struct CRouteView::Layer {
  Layer(HDC like, int w, int h) : dc(like, w, h), width(w), height(h) {}
  BitmapDc dc;
  int width, height;
};

CRouteView::CRouteView() = default;
CRouteView::~CRouteView() = default;

void CRouteView::SetRoute(std::vector<RouteFix> seconds, int64_t begin, int64_t end) {
  m_seconds = std::move(seconds);
  const int64_t rows = static_cast<int64_t>(m_seconds.size());
  m_clipEnd = end < 0 ? rows : std::min(end, rows);
  m_clipBegin = std::clamp<int64_t>(begin, 0, m_clipEnd);
  m_fixCount =
      std::count_if(m_seconds.begin(), m_seconds.end(), [](const RouteFix& s) { return s.fix; });
  m_layer.reset();
}

int64_t CRouteView::CarRowAt(int64_t second) const {
  return SpanCarRow(m_seconds, m_clipBegin, m_clipEnd, second);
}

// Ground, grid, frame, the whole route, its marks, the scale bar and the north
// arrow: everything but the car and the way already driven.
void CRouteView::DrawLayer(HDC like, int width, int height, HFONT font, const char* note) {
  m_layer = std::make_unique<Layer>(like, width, height);
  if (!m_layer->dc.Valid()) return m_layer.reset();
  HDC dc = m_layer->dc.Get();
  const int margin = std::max(12, std::min(width, height) / 9);
  const int strip = margin;  // below the route: the scale bar
  const RouteProjection projection(m_seconds, width, std::max(1, height - strip), margin);
  m_points.resize(m_seconds.size());
  for (size_t i = 0; i < m_seconds.size(); ++i)
    if (m_seconds[i].fix) m_points[i] = projection.Project(m_seconds[i]);
  m_markerSize = std::clamp(std::min(width, height) / 24, 7, 20);
  m_roadWidth = std::clamp(std::min(width, height) / 43, 5, 13);
  m_lineWidth = std::max(2, (m_roadWidth + 1) / 3);

  const RECT all{0, 0, width, height};
  GdiBrush ground(CreateSolidBrush(kGround));
  FillRect(dc, &all, ground.Get());
  const ScaleBar bar = ChooseScaleBar(projection.MetresPerPixel(), width / 3);
  DrawGrid(dc, width, height, bar.pixels);
  const int64_t rows = static_cast<int64_t>(m_seconds.size());
  DrawRoad(dc, kRoad, m_roadWidth, 0, rows, 0, 0);
  DrawRoad(dc, kAhead, m_lineWidth, 0, rows, 0, 0);
  if (m_clipBegin > 0 || m_clipEnd < rows)  // a trip: the playing clip's part stands out
    DrawRoad(dc, kClip, m_lineWidth + 1, m_clipBegin, m_clipEnd, 0, 0);
  DrawEnds(dc);
  SelectedObject f(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kInk);
  DrawScaleBar(dc, bar, margin, height - strip / 2);
  DrawNorthArrow(dc, width - margin / 2 - 2, margin / 2 + 2, margin / 2);
  m_note = note;
  SetTextColor(dc, kDim);
  RECT corner{margin / 3, margin / 3, width - margin, margin};
  DrawTextA(dc, note, -1, &corner, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
  GdiBrush frame(CreateSolidBrush(kFrame));
  FrameRect(dc, &all, frame.Get());
}

// The route's lines over rows [begin, end), in the layer's pixels moved by x, y.
void CRouteView::DrawRoad(HDC dc, COLORREF colour, int width, int64_t begin, int64_t end, int x,
                          int y) const {
  GdiPen pen = RoundPen(colour, width);
  SelectedObject p(dc, pen.Get());
  std::vector<POINT> run;
  ForEachRun(m_seconds, m_points, begin, end, x, y, run,
             [dc](const std::vector<POINT>& r) { DrawPolyline(dc, r); });
}

void CRouteView::DrawEnds(HDC dc) const {
  const auto first =
      std::find_if(m_seconds.begin(), m_seconds.end(), [](const RouteFix& s) { return s.fix; });
  const auto last =
      std::find_if(m_seconds.rbegin(), m_seconds.rend(), [](const RouteFix& s) { return s.fix; });
  if (first == m_seconds.end()) return;
  const RoutePoint a = m_points[static_cast<size_t>(first - m_seconds.begin())];
  const RoutePoint b = m_points[static_cast<size_t>(m_seconds.rend() - last - 1)];
  const int r = std::max(4, m_markerSize / 2);
  Disc(dc, {b.x, b.y}, r, kEnd, kInk);
  Disc(dc, {a.x, a.y}, r, kStart, kInk);
}

// The car: a triangle along its course, or a disc when the course is unknown.
void CRouteView::DrawCar(HDC dc, int x, int y, int64_t carRow) const {
  if (carRow < 0) return;
  const RouteFix& s = m_seconds[static_cast<size_t>(carRow)];
  const RoutePoint at = m_points[static_cast<size_t>(carRow)];
  if (!s.hasCourse) return Disc(dc, {at.x + x, at.y + y}, m_markerSize / 2 + 1, kCar, kInk);
  POINT corners[3];
  const std::vector<RoutePoint> marker = CarMarker(at, s.course, m_markerSize);
  for (size_t i = 0; i < 3; ++i) corners[i] = {marker[i].x + x, marker[i].y + y};
  GdiBrush brush(CreateSolidBrush(kCar));
  GdiPen pen(CreatePen(PS_SOLID, m_markerSize >= 12 ? 2 : 1, kInk));  // a small car stays red
  SelectedObject b(dc, brush.Get()), p(dc, pen.Get());
  Polygon(dc, corners, 3);
}

void CRouteView::Paint(HDC dc, const RECT& area, int64_t second, HFONT font, const char* note) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  if (!m_layer || m_layer->width != width || m_layer->height != height || m_note != note)
    DrawLayer(dc, width, height, font, note);
  if (!m_layer) {
    GdiBrush ground(CreateSolidBrush(kGround));
    FillRect(dc, &area, ground.Get());
    return;
  }
  BitBlt(dc, area.left, area.top, width, height, m_layer->dc.Get(), 0, 0, SRCCOPY);
  const int64_t carRow = CarRowAt(second);
  DrawRoad(dc, kDriven, m_lineWidth, 0, carRow + 1, area.left, area.top);
  DrawCar(dc, area.left, area.top, carRow);
}
