// The offline route view's geometry on routes that break naive projections.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "map/route_seconds.h"
#include "map/route_view.h"
#include "telemetry/telemetry_table.h"

namespace {

std::vector<RouteFix> Route(std::initializer_list<std::pair<double, double>> points) {
  std::vector<RouteFix> route;
  for (auto p : points) route.push_back({true, p.first, p.second});
  return route;
}

}  // namespace

// Across the antimeridian the route stays short and in the area, not a line
// across the whole world.
TEST(RouteView, ARouteAcrossTheAntimeridianStaysInOnePiece) {
  const auto route = Route({{10, 179.999}, {10, -179.999}});
  RouteProjection p(route, 400, 300, 20);
  const RoutePoint a = p.Project(route[0]), b = p.Project(route[1]);
  EXPECT_LT(a.x, b.x) << "eastwards stays eastwards";
  EXPECT_GE(a.x, 20);
  EXPECT_LE(b.x, 380);
  EXPECT_LT(p.MetresPerPixel(), 1.0) << "about 220 m across 360 pixels";
}

// At 70 degrees north a degree of longitude is a third of a degree of latitude:
// a route as long east as north fills the area's width three times less.
TEST(RouteView, HighLatitudesKeepOneScaleOnBothAxes) {
  const auto route = Route({{70, 20}, {70.01, 20}, {70.01, 20.01}});
  RouteProjection p(route, 500, 500, 0);
  const RoutePoint south = p.Project(route[0]), north = p.Project(route[1]),
                   east = p.Project(route[2]);
  const double up = south.y - north.y, across = east.x - north.x;
  EXPECT_NEAR(across / up, std::cos(70.005 * 3.14159265 / 180), 0.02);
  EXPECT_EQ(up, 500) << "north up, the longer side fills the area";
}

TEST(RouteView, ACarThatNeverMovedOrASingleFix) {
  const auto still = Route({{35.6, 139.7}, {35.6, 139.7}, {35.6, 139.7}});
  RouteProjection p(still, 400, 300, 20);
  EXPECT_TRUE(p.HasRoute());
  EXPECT_EQ(p.Project(still[0]).x, 200);
  EXPECT_EQ(p.Project(still[0]).y, 150);
  EXPECT_GT(p.MetresPerPixel(), 0);
  EXPECT_FALSE(RouteProjection(Route({{35.6, 139.7}}), 400, 300, 20).HasRoute());
}

TEST(RouteView, SecondsWithoutAFixLeaveAGap) {
  auto route = Route({{35.60, 139.70}, {35.61, 139.70}, {0, 0}, {35.62, 139.71}});
  route[2].fix = false;
  const auto lines = RouteProjection(route, 400, 300, 20).Lines(route);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 2u);
  EXPECT_EQ(lines[1].size(), 1u);
}

TEST(RouteView, ScaleBarsAndMarker) {
  const ScaleBar metres = ChooseScaleBar(2.0, 120);  // 240 m fit: 200 m
  EXPECT_EQ(metres.text, "200 m");
  EXPECT_EQ(metres.pixels, 100);
  EXPECT_EQ(ChooseScaleBar(40.0, 120).text, "2 km");
  EXPECT_EQ(ChooseScaleBar(0.001, 120).text, "") << "no bar below a metre";
  const auto east = CarMarker({100, 100}, 90, 10);
  EXPECT_EQ(east[0].x, 110);
  EXPECT_EQ(east[0].y, 100) << "the tip points along the course";
}

// The view takes the same seconds as the map's route: no fix, a zero or a
// garbled coordinate leave a gap, and the car waits at the last fix during it.
TEST(RouteView, TheCarWaitsAtTheLastFixThroughAGap) {
  CTelemetryTable t;
  const char* rows[][4] = {{"1", "35.6", "139.7", "90.5"}, {"1", "35.7", "139.7", ""},
                           {"0", "35.8", "139.7", "10"},   {"1", "0", "139.7", "10"},
                           {"1", "nan", "139.7", "10"},    {"1", "35.9", "139.8", "180"}};
  for (const auto& r : rows) {
    t.Column(kColFix).Append(r[0]);
    t.Column(kColLatitude).Append(r[1]);
    t.Column(kColLongitude).Append(r[2]);
    t.Column(kColCourse).Append(r[3]);
  }
  const std::vector<RouteFix> route = RouteFromTable(t);
  ASSERT_EQ(route.size(), 6u);
  EXPECT_TRUE(route[0].hasCourse);
  EXPECT_DOUBLE_EQ(route[0].course, 90.5);
  EXPECT_FALSE(route[1].hasCourse) << "an empty course draws the car without a direction";
  const int64_t expected[] = {-1, 0, 1, 1, 1, 1, 5, 5};
  for (int64_t s = -1; s <= 6; ++s) EXPECT_EQ(CarRow(route, s), expected[s + 1]) << s;
  EXPECT_EQ(RouteProjection(route, 400, 300, 20).Lines(route).size(), 2u);
}
