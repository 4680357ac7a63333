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
