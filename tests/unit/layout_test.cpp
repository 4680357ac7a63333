#include "app/layout.h"

#include "app/gauges.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Text extents as a font of height s would give them: 7 pixels a character.
LayoutSize Measure(int id) {
  static const std::map<int, int> chars = {
      {1002, 21}, {1004, 21}, {1017, 20}, {1018, 18}, {1019, 18}, {1020, 19}, {1021, 19},
      {1022, 19}, {1025, 3},  {1058, 3},  {1029, 3},  {1030, 3},  {1053, 17}, {1063, 1}};
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
  EXPECT_EQ(Rect(Find(items, 1000)), "55,85,820,440");
  EXPECT_EQ(Rect(Find(items, 1023)), "1288,4,46,35");
  EXPECT_EQ(Rect(Find(items, 1024)), "1196,4,46,35");
  EXPECT_EQ(Rect(Find(items, 1052)), "1106,4,90,33");
  EXPECT_EQ(Rect(Find(items, 1006)), "170,550,93,58");  // 495 - trunc(93 x 3.5)
  EXPECT_EQ(Rect(Find(items, 1005)), "263,550,93,58");
  EXPECT_EQ(Rect(Find(items, 1008)), "356,550,93,58");
  EXPECT_EQ(Rect(Find(items, 1060)), "449,550,93,58");
  EXPECT_EQ(Rect(Find(items, 1050)), "541,550,93,58");
  EXPECT_EQ(Rect(Find(items, 1001)), "60,535,663,5");  // E = 870 - 147
  EXPECT_EQ(Rect(Find(items, 1002)), "730,530,147,14");
  EXPECT_EQ(Rect(Find(items, 1010)), "46,621,819,100");
  EXPECT_EQ(Rect(Find(items, 1044)), "1162,76,156,52");
  EXPECT_EQ(Rect(Find(items, 1014)), "901,128,410,73");
  EXPECT_EQ(Rect(Find(items, 1016)), "896,221,421,386");
  EXPECT_EQ(Rect(Find(items, 1017)), "875,626,140,14");  // U = 980 - 105, Y = 654
  EXPECT_EQ(Rect(Find(items, 1022)), "875,696,133,14");
  EXPECT_EQ(Rect(Find(items, 1030)), "924,710,21,14");
  EXPECT_EQ(Rect(Find(items, 1053)), "47,62,119,14");
  EXPECT_EQ(Rect(Find(items, 1025)), "1135,696,21,14");
  for (int id : {1009, 1051, 1054, 1031, 1032, 1033, 1034})
    EXPECT_EQ(Rect(Find(items, id)), "0,0,0,0") << id;
  for (int id : {1029, 1059, 1030, 1027, 1004, 1055})
    EXPECT_EQ(Find(items, id).show, Visibility::hide) << id;
}

TEST(Layout, OtherSizesMatchTheirGoldenPasses) {
  struct Case {
    int w, h;
    const char* checks[4][2];
  } cases[] = {
      {1920,
       1080,
       {{"1000", "77,119,1152,618"},
        {"1001", "84,752,991,5"},
        {"1010", "64,873,1153,140"},
        {"1016", "1259,310,591,542"}}},
      {684,
       324,
       {{"1000", "27,35,410,185"},
        {"1001", "30,225,258,5"},
        {"1010", "23,261,412,42"},
        {"1016", "448,93,210,162"}}},
  };
  for (const Case& c : cases) {
    auto items = NormalLayout(LayoutScale(c.w, c.h), Measure);
    for (const auto& check : c.checks)
      EXPECT_EQ(Rect(Find(items, std::stoi(check[0]))), check[1])
          << c.w << "x" << c.h << " " << check[0];
  }
  auto big = EnlargedLayout(LayoutScale(1920, 1080), Measure);
  EXPECT_EQ(Rect(Find(big, 1000)), "77,119,1763,808");
  EXPECT_EQ(Rect(Find(big, 1001)), "579,968,750,14");
  EXPECT_EQ(Rect(Find(big, 1050)), "1615,930,91,81");  // x0 + 17 b = 68 + 17 x 91
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
