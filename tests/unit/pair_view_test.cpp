#include "app/pair_view.h"

#include <gtest/gtest.h>

#include <ostream>

// Found by argument lookup: PairRect lives in the global namespace.
static bool operator==(const PairRect& a, const PairRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& os, const PairRect& r) {
  return os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace {

const PairRect kNone{};

TEST(PairView, VKeyCyclesInsetSideBySideOff) {
  EXPECT_EQ(NextPairLayout(PairLayout::kInset), PairLayout::kSideBySide);
  EXPECT_EQ(NextPairLayout(PairLayout::kSideBySide), PairLayout::kOff);
  EXPECT_EQ(NextPairLayout(PairLayout::kOff), PairLayout::kInset);
}

struct PlaceCase {
  const char* what;
  PairRect area;
  PairSize large, small;
  PairLayout layout;
  PairRect wantLarge, wantSmall, wantBorder;
};

TEST(PairView, PlacesThePicturesByLayout) {
  const PlaceCase cases[] = {
      {"inset: a quarter of the width in the lower right, 2 px border, 8 px margin",
       {0, 0, 1280, 720}, {1920, 1080}, {1280, 720}, PairLayout::kInset,
       {0, 0, 1280, 720}, {950, 530, 1270, 710}, {948, 528, 1272, 712}},
      {"inset in a small, offset area: 1 px border, 4 px margin",
       {100, 50, 740, 410}, {1920, 1080}, {1280, 720}, PairLayout::kInset,
       {100, 50, 740, 410}, {575, 315, 735, 405}, {574, 314, 736, 406}},
      {"a portrait inset is held to half the area's height",
       {0, 0, 1280, 720}, {1920, 1080}, {480, 640}, PairLayout::kInset,
       {0, 0, 1280, 720}, {1000, 350, 1270, 710}, {998, 348, 1272, 712}},
      {"a 4:3 large picture is pillarboxed",
       {0, 0, 1280, 720}, {640, 480}, {1280, 720}, PairLayout::kInset,
       {160, 0, 1120, 720}, {950, 530, 1270, 710}, {948, 528, 1272, 712}},
      {"side by side: each picture letterboxed in its half, no border",
       {0, 0, 1280, 720}, {1920, 1080}, {1280, 720}, PairLayout::kSideBySide,
       {0, 181, 636, 538}, {644, 181, 1280, 538}, kNone},
      {"side by side, odd width: the right half takes the extra pixel",
       {0, 0, 1281, 720}, {1920, 1080}, {1920, 1080}, PairLayout::kSideBySide,
       {0, 181, 636, 538}, {644, 181, 1281, 539}, kNone},
      {"off: the large picture alone", {0, 0, 1280, 720}, {1920, 1080}, {1280, 720},
       PairLayout::kOff, {0, 0, 1280, 720}, kNone, kNone},
      {"an empty area places nothing", {0, 0, 0, 0}, {1920, 1080}, {1280, 720}, PairLayout::kInset,
       kNone, kNone, kNone},
      {"an inverted area places nothing", {500, 400, 100, 100}, {1920, 1080}, {1280, 720},
       PairLayout::kSideBySide, kNone, kNone, kNone},
      {"a large video without a size: only the inset", {0, 0, 1280, 720}, {0, 1080}, {1280, 720},
       PairLayout::kInset, kNone, {950, 530, 1270, 710}, {948, 528, 1272, 712}},
      {"a small video without a size: no inset", {0, 0, 1280, 720}, {1920, 1080}, {1280, 0},
       PairLayout::kInset, {0, 0, 1280, 720}, kNone, kNone},
      {"negative video sizes count as none", {0, 0, 1280, 720}, {-16, 9}, {16, -9},
       PairLayout::kSideBySide, kNone, kNone, kNone},
      {"an area too small for an inset with its margin", {0, 0, 8, 6}, {16, 9}, {16, 9},
       PairLayout::kInset, {0, 1, 8, 5}, kNone, kNone},
      {"a one-pixel area side by side", {0, 0, 1, 1}, {16, 9}, {16, 9}, PairLayout::kSideBySide,
       kNone, kNone, kNone},
  };
  for (const PlaceCase& c : cases) {
    const PairRects r = PlacePair(c.area, c.large, c.small, c.layout);
    EXPECT_EQ(r.large, c.wantLarge) << c.what;
    EXPECT_EQ(r.small, c.wantSmall) << c.what;
    EXPECT_EQ(r.smallBorder, c.wantBorder) << c.what;
  }
}

bool Inside(const PairRect& inner, const PairRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Over many small and odd sizes: every rect is either all zeros or a real
// rect inside the area, and the border holds the inset.
TEST(PairView, RectsAreEmptyOrInsideTheAreaForAnySize) {
  const PairSize videos[] = {{0, 0}, {1, 1}, {1, 1000}, {1000, 1}, {16, 9}, {3, 4}, {1920, 1080}};
  const PairLayout layouts[] = {PairLayout::kInset, PairLayout::kSideBySide, PairLayout::kOff};
  for (int w = 0; w <= 40; ++w) {
    for (int h = 0; h <= 40; h += 3) {
      const PairRect area{7, 5, 7 + w, 5 + h};
      for (const PairSize& large : videos) {
        for (const PairSize& small : videos) {
          for (PairLayout layout : layouts) {
            const PairRects r = PlacePair(area, large, small, layout);
            for (const PairRect* p : {&r.large, &r.small, &r.smallBorder}) {
              if (p->IsEmpty()) {
                EXPECT_EQ(*p, kNone) << w << "x" << h;
              } else {
                EXPECT_TRUE(Inside(*p, area)) << *p << " in " << area;
              }
            }
            if (!r.smallBorder.IsEmpty()) {
              EXPECT_TRUE(Inside(r.small, r.smallBorder));
            }
          }
        }
      }
    }
  }
}

TEST(PairView, OnlyAClickOnTheSmallPictureSwaps) {
  const PairRects inset =
      PlacePair({0, 0, 1280, 720}, {1920, 1080}, {1280, 720}, PairLayout::kInset);  // {950,530,1270,710}
  const PairRects off = PlacePair({0, 0, 1280, 720}, {1920, 1080}, {1280, 720}, PairLayout::kOff);
  const PairRects sides =
      PlacePair({0, 0, 1280, 720}, {1920, 1080}, {1280, 720}, PairLayout::kSideBySide);
  struct Hit {
    const PairRects* rects;
    int x, y;
    bool want;
  } const hits[] = {
      {&inset, 950, 530, true},   {&inset, 1269, 709, true}, {&inset, 1270, 709, false},
      {&inset, 1269, 710, false}, {&inset, 949, 600, false}, {&inset, 100, 100, false},
      {&off, 1000, 600, false},   {&sides, 900, 300, true},  {&sides, 300, 300, false},
      {&sides, 900, 100, false},
  };
  for (const Hit& h : hits)
    EXPECT_EQ(HitsSmallPicture(*h.rects, h.x, h.y), h.want) << h.x << "," << h.y;
}

}  // namespace
