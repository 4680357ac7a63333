#include "app/layout.h"

#include "app/gauges.h"

#include <gtest/gtest.h>

#include <map>

#include "resources/resource.h"

namespace {

// Text extents as a font of height s would give them: 7 pixels a character.
LayoutSize Measure(int id) {
  static const std::map<int, int> chars = {
      {IDC_TIME_TEXT, 21},    {IDC_TIME_TEXT_LARGE, 21}, {IDC_LONGITUDE, 20}, {IDC_LATITUDE, 18},
      {IDC_ALTITUDE, 18},     {IDC_GFORCE_X, 19},        {IDC_GFORCE_Y, 19},  {IDC_GFORCE_Z, 19},
      {IDC_SPEED_TEXT, 3},    {IDC_UNIT_TEXT, 3},        {IDC_KPH_LABEL, 3},  {IDC_MPH_LABEL, 3},
      {IDC_VERSION_TEXT, 17}, {IDC_SECOND_TEXT, 1},      {IDC_TRIP_TEXT, 24}};
  auto it = chars.find(id);
  return {it == chars.end() ? 0 : it->second * 7, 14};
}

LayoutItem Find(const std::vector<LayoutItem>& items, int id) {
  for (const LayoutItem& i : items)
    if (i.id == id) return i;
  ADD_FAILURE() << "no item " << id;
  return {};
}

std::string Rect(const LayoutItem& i) {
  return std::to_string(i.x) + "," + std::to_string(i.y) + "," + std::to_string(i.cx) + "," +
         std::to_string(i.cy);
}

}  // namespace

TEST(Layout, CanvasSizeGivesTheCanvasValues) {
  LayoutScale k(1366, 768);
  EXPECT_EQ(k.s(), 14);
  auto items = NormalLayout(k, Measure);
  EXPECT_EQ(Rect(Find(items, IDC_VIDEO_AREA)), "55,85,820,440");
  EXPECT_EQ(Rect(Find(items, IDC_CLOSE)), "1288,4,46,35");
  EXPECT_EQ(Rect(Find(items, IDC_MINIMIZE)), "1196,4,46,35");
  EXPECT_EQ(Rect(Find(items, IDC_INTERNET_STATUS)), "1106,4,90,33");
  EXPECT_EQ(Rect(Find(items, IDC_STOP)), "170,550,93,58");  // 495 - trunc(93 x 3.5)
  EXPECT_EQ(Rect(Find(items, IDC_PLAY_PAUSE)), "263,550,93,58");
  EXPECT_EQ(Rect(Find(items, IDC_LARGE_VIEW)), "356,550,93,58");
  EXPECT_EQ(Rect(Find(items, IDC_FULL_SCREEN)), "449,550,93,58");
  EXPECT_EQ(Rect(Find(items, IDC_FRAME_STEP)), "541,550,93,58");
  EXPECT_EQ(Rect(Find(items, IDC_SEEK_SLIDER)), "60,535,663,5");  // E = 870 - 147
  EXPECT_EQ(Rect(Find(items, IDC_TIME_TEXT)), "730,530,147,14");
  EXPECT_EQ(Rect(Find(items, IDC_GSENSOR_AREA)), "46,621,819,100");
  EXPECT_EQ(Rect(Find(items, IDC_WEB_SITE)), "1162,76,156,52");
  EXPECT_EQ(Rect(Find(items, IDC_PLAYLIST)), "901,128,410,73");
  EXPECT_EQ(Rect(Find(items, IDC_MAP_AREA)), "896,221,421,386");
  EXPECT_EQ(Rect(Find(items, IDC_LONGITUDE)), "875,626,140,14");  // U = 980 - 105, Y = 654
  EXPECT_EQ(Rect(Find(items, IDC_GFORCE_Z)), "875,696,133,14");
  EXPECT_EQ(Rect(Find(items, IDC_MPH_LABEL)), "924,710,21,14");
  EXPECT_EQ(Rect(Find(items, IDC_VERSION_TEXT)), "47,62,119,14");
  EXPECT_EQ(Rect(Find(items, IDC_SPEED_TEXT)), "1135,696,21,14");
  for (int id : {IDC_SNAPSHOT, IDC_SPARE_BUTTON_1, IDC_SPARE_BUTTON_2, IDC_IMAGE_BUTTON_1,
                 IDC_IMAGE_BUTTON_2, IDC_IMAGE_BUTTON_3, IDC_IMAGE_BUTTON_4})
    EXPECT_EQ(Rect(Find(items, id)), "0,0,0,0") << id;
  for (int id :
       {IDC_KPH_LABEL, IDC_KPH_RADIO, IDC_MPH_LABEL, IDC_MPH_RADIO, IDC_TIME_TEXT_LARGE, IDC_LOGO})
    EXPECT_EQ(Find(items, id).show, Visibility::hide) << id;
}

TEST(Layout, OtherSizesMatchTheirGoldenPasses) {
  struct Case {
    int w, h;
    struct {
      int id;
      const char* rect;
    } checks[4];
  } cases[] = {
      {1920,
       1080,
       {{IDC_VIDEO_AREA, "77,119,1152,618"},
        {IDC_SEEK_SLIDER, "84,752,991,5"},
        {IDC_GSENSOR_AREA, "64,873,1153,140"},
        {IDC_MAP_AREA, "1259,310,591,542"}}},
      {684,
       324,
       {{IDC_VIDEO_AREA, "27,35,410,185"},
        {IDC_SEEK_SLIDER, "30,225,258,5"},
        {IDC_GSENSOR_AREA, "23,261,412,42"},
        {IDC_MAP_AREA, "448,93,210,162"}}},
  };
  for (const Case& c : cases) {
    auto items = NormalLayout(LayoutScale(c.w, c.h), Measure);
    for (const auto& check : c.checks)
      EXPECT_EQ(Rect(Find(items, check.id)), check.rect) << c.w << "x" << c.h << " " << check.id;
  }
  auto big = EnlargedLayout(LayoutScale(1920, 1080), Measure);
  EXPECT_EQ(Rect(Find(big, IDC_VIDEO_AREA)), "77,119,1763,808");
  EXPECT_EQ(Rect(Find(big, IDC_SEEK_SLIDER)), "579,968,750,14");
  EXPECT_EQ(Rect(Find(big, IDC_FRAME_STEP)), "1615,930,91,81");  // x0 + 17 b = 68 + 17 x 91
}

bool Overlap(const LayoutItem& a, const LayoutItem& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

// The trip line sits under the time text of either layout, ending where it
// ends, and stays clear of the video, the map and the buttons.
// Normal layout: under the time text. Enlarged: under the seek bar's end (the
// large time text's box holds one line).
TEST(Layout, TripLineSitsUnderTheTimeText) {
  EXPECT_EQ(Rect(Find(NormalLayout(LayoutScale(1366, 768), Measure), IDC_TRIP_TEXT)),
            "709,544,168,14");  // right edge 730 + 147, just under it
  EXPECT_EQ(Rect(Find(EnlargedLayout(LayoutScale(1366, 768), Measure), IDC_TRIP_TEXT)),
            "778,704,168,14");
  auto empty = [](int id) { return id == IDC_TRIP_TEXT ? LayoutSize{0, 14} : Measure(id); };
  EXPECT_EQ(Rect(Find(NormalLayout(LayoutScale(1366, 768), empty), IDC_TRIP_TEXT)),
            "877,544,0,14");
  for (auto size : {std::make_pair(1366, 768), std::make_pair(684, 324), std::make_pair(1920, 1080),
                    std::make_pair(1001, 777)}) {
    const LayoutScale k(size.first, size.second);
    auto scaled = [&k](int id) {  // the layout font is H / 52 high
      return LayoutSize{Measure(id).cx * k.s() / 14, k.s()};
    };
    for (bool enlarged : {false, true}) {
      auto items = enlarged ? EnlargedLayout(k, scaled) : NormalLayout(k, scaled);
      const LayoutItem trip = Find(items, IDC_TRIP_TEXT);
      const LayoutItem time = Find(items, enlarged ? IDC_SEEK_SLIDER : IDC_TIME_TEXT);
      const std::string where = std::to_string(k.W) + "x" + std::to_string(k.H) +
                                (enlarged ? " enlarged" : " normal");
      EXPECT_EQ(trip.x + trip.cx, time.x + time.cx) << where;
      EXPECT_GE(trip.y, time.y + time.cy) << where;
      EXPECT_LE(trip.y + trip.cy, k.H) << where;
      EXPECT_EQ(trip.show, Visibility::unchanged) << where;
      // A window much narrower than the canvas's shape squeezes the time text too.
      if (k.W * 768 < k.H * 1366 * 9 / 10) continue;
      for (const LayoutItem& other : items) {
        if (other.id != IDC_TRIP_TEXT && other.cx > 0 && other.show != Visibility::hide) {
          EXPECT_FALSE(Overlap(trip, other)) << where << " covers " << other.id;
        }
      }
    }
  }
}

TEST(Layout, MinimumSizeMovesTheDraggedEdge) {
  struct Case {
    DragEdge edge;
    WindowRect in, out;
  } cases[] = {
      {DragEdge::left, {100, 100, 600, 300}, {-84, 100, 600, 424}},
      {DragEdge::right, {100, 100, 600, 300}, {100, 100, 784, 424}},
      {DragEdge::topLeft, {100, 100, 600, 300}, {-84, -24, 600, 300}},
      {DragEdge::topRight, {100, 100, 600, 300}, {100, -24, 784, 300}},
      {DragEdge::bottomLeft, {100, 100, 600, 300}, {-84, 100, 600, 424}},
      {DragEdge::top, {0, 0, 900, 200}, {0, -124, 900, 200}},
      {DragEdge::bottom, {0, 0, 900, 200}, {0, 0, 900, 324}},
      {DragEdge::bottomRight, {0, 0, 800, 500}, {0, 0, 800, 500}},
  };
  for (const Case& c : cases) {
    WindowRect r = c.in;
    KeepMinimumSize(c.edge, r);
    EXPECT_EQ(r.left, c.out.left);
    EXPECT_EQ(r.top, c.out.top);
    EXPECT_EQ(r.right, c.out.right);
    EXPECT_EQ(r.bottom, c.out.bottom);
  }
}

TEST(Gauges, NeedlesPointWhereTheDialIsGraduated) {
  struct Case {
    int kmh;
    int x, y;
  } speeds[] = {{0, 1020, 718}, {150, 1100, 638}, {300, 1180, 718}, {75, 1044, 662}};
  for (const Case& c : speeds) {
    Needle n = SpeedNeedle(c.kmh, 1366, 768);
    EXPECT_EQ(n.from.x, 1100);
    EXPECT_EQ(n.from.y, 718);
    EXPECT_EQ(n.to.x, c.x) << c.kmh;
    EXPECT_EQ(n.to.y, c.y) << c.kmh;
  }
  Needle north = CompassNeedle(0, 1366, 768), east = CompassNeedle(90, 1366, 768);
  EXPECT_EQ(north.to.x, 1263);
  EXPECT_EQ(north.to.y, 674 - 25);
  EXPECT_EQ(east.to.x, 1263 + 25);
  EXPECT_EQ(east.to.y, 674);
  Needle wide = SpeedNeedle(300, 1920, 1080);  // scaled separately in x and y
  EXPECT_EQ(wide.to.x, 1180 * 1920 / 1366);
  EXPECT_EQ(wide.to.y, 718 * 1080 / 768);
}

TEST(Gauges, EveryNeedleStaysInsideTheAreaTheTickRepaints) {
  auto inside = [](const GaugeArea& a, const NeedlePoint& p) {
    return p.x - 2 >= a.left && p.x + 2 < a.right && p.y - 2 >= a.top && p.y + 2 < a.bottom;
  };
  for (auto size : {std::make_pair(1366, 768), std::make_pair(684, 324), std::make_pair(1920, 1080),
                    std::make_pair(1001, 777)}) {
    const int W = size.first, H = size.second;
    for (int v = -400; v <= 800; v += 7) {
      const Needle speed = SpeedNeedle(v, W, H), compass = CompassNeedle(v, W, H);
      EXPECT_TRUE(inside(SpeedGaugeArea(W, H), speed.to)) << W << "x" << H << " " << v << " km/h";
      EXPECT_TRUE(inside(SpeedGaugeArea(W, H), speed.from));
      EXPECT_TRUE(inside(CompassGaugeArea(W, H), compass.to))
          << W << "x" << H << " " << v << " deg";
    }
  }
}
