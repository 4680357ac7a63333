#include "controls/list_colours.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kCyan = 0xFFFF00;
// Distinct values so that a mixed-up system colour shows.
const ListSystemColours kSystem{0x111111, 0x222222, 0x333333, 0x444444};

ListRowLook Look(uint32_t colour, bool selected, bool disabled, unsigned action) {
  return ListRowColours(colour, selected, disabled, action, kSystem);
}

}  // namespace

TEST(ListColours, BackgroundFollowsSelectionAndAction) {
  EXPECT_EQ(Look(kRed, true, false, kListDrawEntire).fill, ListFill::kItemColour);
  EXPECT_EQ(Look(0, true, false, kListSelectChanged).fill, ListFill::kItemColour);  // black
  EXPECT_EQ(Look(kRed, false, false, kListSelectChanged).fill, ListFill::kWindow);
  EXPECT_EQ(Look(kRed, false, false, kListDrawEntire).fill, ListFill::kNone);  // list erased it
  EXPECT_EQ(Look(kRed, true, false, kListFocusChanged).fill, ListFill::kNone);
}

TEST(ListColours, FocusRectangleOnlyWhenTheFocusChanges) {
  EXPECT_TRUE(Look(kRed, true, false, kListFocusChanged).focusRect);
  EXPECT_TRUE(Look(0, false, false, kListFocusChanged).focusRect);
  EXPECT_FALSE(Look(kRed, true, false, kListDrawEntire | kListSelectChanged).focusRect);
}

TEST(ListColours, TextColourOfARowWithItsOwnColour) {
  EXPECT_EQ(Look(kRed, true, false, kListDrawEntire).text, kCyan);  // inverse on its own colour
  EXPECT_EQ(InverseColour(0x804020), 0x7FBFDFu);
  EXPECT_EQ(Look(kRed, true, true, kListDrawEntire).text, kCyan);  // selection wins
  EXPECT_EQ(Look(kRed, false, true, kListDrawEntire).text, kSystem.greyText);
  EXPECT_EQ(Look(kRed, false, false, kListDrawEntire).text, kRed);
}

TEST(ListColours, TextColourOfARowWithoutColourIsTheSystems) {
  EXPECT_EQ(Look(0, true, false, kListDrawEntire).text, kSystem.highlightText);
  EXPECT_EQ(Look(0, false, true, kListDrawEntire).text, kSystem.greyText);
  EXPECT_EQ(Look(0, false, false, kListDrawEntire).text, kSystem.windowText);
}

// Rows of a trip sit on its band whether the list erased them or not; the
// selection still fills with the row's colour, and a row in no trip keeps the
// plain rules.
TEST(ListColours, TripRowsFillTheirBandUnlessSelected) {
  const struct {
    bool selected;
    unsigned action;
    int band;
    ListFill fill;
  } rows[] = {
      {false, kListDrawEntire, 0, ListFill::kBand},
      {false, kListSelectChanged, 1, ListFill::kBand},
      {false, kListFocusChanged, 1, ListFill::kNone},  // only the focus rectangle toggles
      {true, kListDrawEntire, 0, ListFill::kItemColour},
      {true, kListSelectChanged, 1, ListFill::kItemColour},
      {false, kListDrawEntire, -1, ListFill::kNone},
      {false, kListSelectChanged, -1, ListFill::kWindow},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ListRowColours(0, row.selected, false, row.action, kSystem, row.band).fill, row.fill)
        << "selected " << row.selected << " action " << row.action << " band " << row.band;
}

TEST(ListColours, BandsAreLightTintsThatAlternate) {
  constexpr uint32_t kWhite = 0xFFFFFF;
  EXPECT_EQ(ListBandColour(-1, kWhite), kWhite);
  const uint32_t even = ListBandColour(0, kWhite), odd = ListBandColour(1, kWhite);
  EXPECT_NE(even, kWhite);
  EXPECT_NE(even, odd);
  EXPECT_EQ(ListBandColour(2, kWhite), even);
  EXPECT_EQ(ListBandColour(3, kWhite), odd);
  // Light enough for black text: every channel stays above 200.
  for (uint32_t band : {even, odd})
    for (int shift = 0; shift < 24; shift += 8) EXPECT_GT((band >> shift) & 0xFF, 200u);
}

TEST(ListColours, TripFirstRowHoldsDividerLabelAndText) {
  EXPECT_EQ(ListRowHeight(16, false), 16);
  EXPECT_EQ(ListRowHeight(16, true), 34);
  const ListRowPlace first = PlaceListRow(100, 134, true);
  EXPECT_EQ(first.dividerY, 100);
  EXPECT_EQ(first.labelTop, 101);
  EXPECT_EQ(first.labelBottom, 117);
  EXPECT_EQ(first.textTop, 117);
  EXPECT_EQ(first.textBottom, 134);
  const ListRowPlace other = PlaceListRow(134, 150, false);
  EXPECT_EQ(other.dividerY, -1);
  EXPECT_EQ(other.labelTop, other.labelBottom);
  EXPECT_EQ(other.textTop, 134);
  EXPECT_EQ(other.textBottom, 150);
}

TEST(ListColours, EventDotSitsAfterTheTimeCentredOnTheLine) {
  const struct {
    int right, top, bottom;
    ListDot dot;
  } rows[] = {
      {200, 0, 16, {205, 5, 211, 11}},    // a normal line: a gap of a third of it
      {200, 10, 20, {204, 12, 209, 17}},  // a small line: the dot keeps 5 pixels
      {50, 0, 30, {60, 9, 72, 21}},
  };
  for (const auto& row : rows) {
    const ListDot dot = EventDotPlace(row.right, row.top, row.bottom);
    EXPECT_EQ(dot.left, row.dot.left);
    EXPECT_EQ(dot.top, row.dot.top);
    EXPECT_EQ(dot.right, row.dot.right);
    EXPECT_EQ(dot.bottom, row.dot.bottom);
  }
}
