#include "map/route_view.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerDegree = 111319.49;  // along the equator and any meridian

}  // namespace

double RouteProjection::Unwrapped(double longitude) const {
  double d = longitude - m_originLon;
  while (d > 180) d -= 360;
  while (d < -180) d += 360;
  return d;
}

RouteProjection::RouteProjection(const std::vector<RouteFix>& seconds, int width, int height,
                                 int margin)
    : m_width(width), m_height(height) {
  double latSum = 0;
  for (const RouteFix& s : seconds) {
    if (!s.fix) continue;
    if (m_fixes == 0) m_originLat = s.latitude, m_originLon = s.longitude;
    latSum += s.latitude;
    ++m_fixes;
  }
  if (m_fixes == 0) return;
  m_cosLat = std::cos(latSum / m_fixes * kPi / 180);
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (const RouteFix& s : seconds) {
    if (!s.fix) continue;
    const double x = Unwrapped(s.longitude) * kMetresPerDegree * m_cosLat;
    const double y = (s.latitude - m_originLat) * kMetresPerDegree;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  m_centreX = (minX + maxX) / 2, m_centreY = (minY + maxY) / 2;
  const double roomX = std::max(1, width - 2 * margin), roomY = std::max(1, height - 2 * margin);
  // A car that never moved is shown at a street's scale.
  const double spanX = std::max(maxX - minX, 1.0), spanY = std::max(maxY - minY, 1.0);
  m_metresPerPixel = std::max({spanX / roomX, spanY / roomY, 0.5});
}

RoutePoint RouteProjection::Project(const RouteFix& fix) const {
  const double x = Unwrapped(fix.longitude) * kMetresPerDegree * m_cosLat - m_centreX;
  const double y = (fix.latitude - m_originLat) * kMetresPerDegree - m_centreY;
  return {static_cast<int>(std::lround(m_width / 2.0 + x / m_metresPerPixel)),
          static_cast<int>(std::lround(m_height / 2.0 - y / m_metresPerPixel))};
}

std::vector<std::vector<RoutePoint>> RouteProjection::Lines(
    const std::vector<RouteFix>& seconds) const {
  std::vector<std::vector<RoutePoint>> lines;
  bool inRun = false;
  for (const RouteFix& s : seconds) {
    if (!s.fix) {
      inRun = false;
      continue;
    }
    if (!inRun) lines.emplace_back();
    inRun = true;
    lines.back().push_back(Project(s));
  }
  return lines;
}

ScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels) {
  ScaleBar bar;
  if (metresPerPixel <= 0 || maxPixels <= 0) return bar;
  double best = 0;
  for (double decade = 1; decade <= 1e7; decade *= 10)
    for (double step : {1.0, 2.0, 5.0})
      if (step * decade / metresPerPixel <= maxPixels) best = step * decade;
  if (best == 0) return bar;
  bar.pixels = static_cast<int>(best / metresPerPixel);
  bar.text = best >= 1000 ? std::to_string(static_cast<long long>(best / 1000)) + " km"
                          : std::to_string(static_cast<long long>(best)) + " m";
  return bar;
}

std::vector<RoutePoint> CarMarker(RoutePoint at, double courseDegrees, int size) {
  const double a = courseDegrees * kPi / 180;
  auto point = [&](double angle, double length) {
    return RoutePoint{at.x + static_cast<int>(std::lround(std::sin(angle) * length)),
                      at.y - static_cast<int>(std::lround(std::cos(angle) * length))};
  };
  return {point(a, size), point(a + 2.5, size * 0.6), point(a - 2.5, size * 0.6)};
}
