// The route drawn by the player itself in the map area while the web map is
// not showing: the clip's seconds with a fix as lines, start and end marks, a
// scale bar, a north arrow and the car at the shown second. The parts that do
// not move are drawn once per clip and size into a picture of their own; each
// paint copies that picture and draws the travelled part and the car over it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "map/route_view.h"

class CRouteView {
 public:
  CRouteView();
  ~CRouteView();
  CRouteView(const CRouteView&) = delete;
  CRouteView& operator=(const CRouteView&) = delete;

  // At every clip load: one entry per second (none without a sidecar). For a
  // trip, the whole trip's entries, the playing clip's being [begin, end):
  // the car's second counts from `begin`, and that part is drawn brighter.
  void SetRoute(std::vector<RouteFix> seconds, int64_t begin = 0, int64_t end = -1);
  // Two seconds with a fix or more: there is a route to draw.
  bool HasRoute() const { return m_fixCount >= 2; }
  // The row the car is drawn at for this second (-1: no car yet); a paint is
  // needed only when it changes.
  int64_t CarRowAt(int64_t second) const;
  // Draws the view into `area` of dc, the car at `second`, texts in `font`,
  // `note` (why the web map is not there) small in a corner.
  void Paint(HDC dc, const RECT& area, int64_t second, HFONT font, const char* note);

 private:
  struct Layer;
  void DrawLayer(HDC like, int width, int height, HFONT font, const char* note);
  void DrawRoad(HDC dc, COLORREF colour, int width, int64_t begin, int64_t end, int x,
                int y) const;
  void DrawEnds(HDC dc) const;
  void DrawCar(HDC dc, int x, int y, int64_t carRow) const;

  std::vector<RouteFix> m_seconds;
  int64_t m_fixCount = 0;
  int64_t m_clipBegin = 0, m_clipEnd = 0;  // the playing clip's entries
  std::vector<RoutePoint> m_points;  // per second, in the layer's pixels
  std::unique_ptr<Layer> m_layer;
  int m_markerSize = 8;  // the car's length and the marks' size, in pixels
  int m_roadWidth = 9, m_lineWidth = 3;
  std::string m_note;  // the one in the layer
};
