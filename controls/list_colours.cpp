#include "controls/list_colours.h"

uint32_t InverseColour(uint32_t colour) { return ~colour & 0x00FFFFFFu; }

namespace {

ListFill FillFor(bool selected, unsigned action) {
  if (selected && (action & (kListDrawEntire | kListSelectChanged)) != 0)
    return ListFill::kItemColour;
  // An unselected row drawn entirely has already been erased by the list.
  if (!selected && (action & kListSelectChanged) != 0) return ListFill::kWindow;
  return ListFill::kNone;
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
                           const ListSystemColours& system) {
  return {FillFor(selected, action), (action & kListFocusChanged) != 0,
          TextFor(colour, selected, disabled, system)};
}
