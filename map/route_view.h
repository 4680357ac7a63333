// The route drawn by the player itself when the web map is not showing: every
// second with a fix projected into the map area (equirectangular, the cosine
// of the mean latitude, north up, one scale on both axes), a scale bar and the
// car's marker. Pure geometry; the window draws it.
#pragma once

#include <string>
#include <vector>

struct RouteFix {
  bool fix = false;                    // seconds without a fix leave a gap
  double latitude = 0, longitude = 0;  // degrees, north and east positive
  bool hasCourse = false;
  double course = 0;  // degrees clockwise from north
};

struct RoutePoint {
  int x = 0, y = 0;
};

class RouteProjection {
 public:
  // Fits the fixes into width x height with `margin` pixels on every side. A
  // route that crosses the antimeridian stays in one piece.
  RouteProjection(const std::vector<RouteFix>& seconds, int width, int height, int margin);

  bool HasRoute() const { return m_fixes >= 2; }
  // The screen point of one second's fix (meaningless for a second without one).
  RoutePoint Project(const RouteFix& fix) const;
  // The route as lines: one per run of seconds with a fix.
  std::vector<std::vector<RoutePoint>> Lines(const std::vector<RouteFix>& seconds) const;
  double MetresPerPixel() const { return m_metresPerPixel; }

 private:
  double Unwrapped(double longitude) const;

  int m_fixes = 0;
  double m_originLat = 0, m_originLon = 0, m_cosLat = 1;
  double m_metresPerPixel = 1;
  double m_centreX = 0, m_centreY = 0;  // metres east and north of the origin
  int m_width = 0, m_height = 0;
};

struct ScaleBar {
  int pixels = 0;
  std::string text;  // "200 m", "5 km"
};
// The longest bar of 1, 2 or 5 x 10^n metres that fits in `maxPixels`.
ScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels);

// The car's marker: a triangle of `size` pixels pointing along `courseDegrees`
// (clockwise from north), its tip first.
std::vector<RoutePoint> CarMarker(RoutePoint at, double courseDegrees, int size);
