#include "controls/list_colours.h"

uint32_t InverseColour(uint32_t colour) { return ~colour & 0x00FFFFFFu; }

namespace {

ListFill FillFor(bool selected, unsigned action, int band) {
  if (selected && (action & (kListDrawEntire | kListSelectChanged)) != 0)
    return ListFill::kItemColour;
  // A row on a band is erased by the list in the window colour: always filled.
  if (!selected && band >= 0 && (action & (kListDrawEntire | kListSelectChanged)) != 0)
    return ListFill::kBand;
  // An unselected row drawn entirely has already been erased by the list.
  if (!selected && (action & kListSelectChanged) != 0) return ListFill::kWindow;
  return ListFill::kNone;
}

uint32_t Mix(uint32_t from, uint32_t to, int eighths) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((from >> shift) & 0xFF), b = static_cast<int>((to >> shift) & 0xFF);
    out |= static_cast<uint32_t>(a + (b - a) * eighths / 8) << shift;
  }
  return out;
}

uint32_t TextFor(uint32_t colour, bool selected, bool disabled, const ListSystemColours& system) {
  if (colour != 0) {
    if (selected) return InverseColour(colour);
    return disabled ? system.greyText : colour;
  }
  if (selected) return system.highlightText;
  return disabled ? system.greyText : system.windowText;
}

}  // namespace

ListRowLook ListRowColours(uint32_t colour, bool selected, bool disabled, unsigned action,
                           const ListSystemColours& system, int band) {
  return {FillFor(selected, action, band), (action & kListFocusChanged) != 0,
          TextFor(colour, selected, disabled, system)};
}

uint32_t ListBandColour(int band, uint32_t window) {
  constexpr uint32_t kTint = 0xEBC3AA;  // RGB(170, 195, 235)
  if (band < 0) return window;
  return Mix(window, kTint, band % 2 == 0 ? 1 : 3);
}

int ListRowHeight(int lineHeight, bool startsTrip) {
  return startsTrip ? 2 * lineHeight + 2 : lineHeight;
}

ListRowPlace PlaceListRow(int top, int bottom, bool startsTrip) {
  if (!startsTrip || bottom - top < 2) return {top, top, -1, top, bottom};
  // The divider, then the label in the upper half, the text in the lower.
  const int split = top + (bottom - top) / 2;
  return {top + 1, split, top, split, bottom};
}

ListDot EventDotPlace(int textRight, int textTop, int textBottom) {
  const int line = textBottom - textTop;
  int size = line * 2 / 5;
  if (size < 5) size = 5;
  const int left = textRight + (line > 12 ? line / 3 : 4);
  const int top = textTop + (line - size) / 2;
  return {left, top, left + size, top + size};
}
