// How a row of the colour list is drawn: each row may carry its own colour
// (0x00bbggrr; 0 means none). A row with a colour is written in it and, when
// selected, sits on it with its text in the inverse colour; a row without one
// uses the system's list colours. The Win32 list does the drawing.
#pragma once

#include <cstdint>

// What the list asks to be drawn (any combination).
enum ListDrawAction : unsigned {
  kListDrawEntire = 1,
  kListSelectChanged = 2,
  kListFocusChanged = 4,
};

enum class ListFill {
  kNone,        // leave the background as it is
  kItemColour,  // the row's own colour (black for a row without one)
  kWindow,      // the system window colour
};

struct ListSystemColours {
  uint32_t window, windowText, highlightText, greyText;
};

struct ListRowLook {
  ListFill fill;
  bool focusRect;  // the focus rectangle is drawn by inversion: once shows, once hides
  uint32_t text;
};

ListRowLook ListRowColours(uint32_t colour, bool selected, bool disabled, unsigned action,
                           const ListSystemColours& system);

// RGB(255 - r, 255 - g, 255 - b).
uint32_t InverseColour(uint32_t colour);
