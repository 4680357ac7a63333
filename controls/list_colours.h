// How a row of the colour list is drawn: each row may carry its own colour
// (0x00bbggrr; 0 means none). A row with a colour is written in it and, when
// selected, sits on it with its text in the inverse colour; a row without one
// uses the system's list colours. The Win32 list does the drawing.
//
// The playlist's rows also show their trips: rows of one trip lie on one of
// two alternating band colours, a trip's first row is taller, with a thin
// divider at its top and the trip's label on a line of its own above the
// row's text, and a row with G-force events has a red dot after its time.
#pragma once

#include <cstdint>
#include <string>

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
  kBand,        // the row's trip band (ListBandColour)
};

struct ListSystemColours {
  uint32_t window, windowText, highlightText, greyText;
};

struct ListRowLook {
  ListFill fill;
  bool focusRect;  // the focus rectangle is drawn by inversion: once shows, once hides
  uint32_t text;
};

// `band`: the row's trip band, -1 for a row in no trip (drawn as before).
ListRowLook ListRowColours(uint32_t colour, bool selected, bool disabled, unsigned action,
                           const ListSystemColours& system, int band = -1);

// RGB(255 - r, 255 - g, 255 - b).
uint32_t InverseColour(uint32_t colour);

// What the list shows of a row's trip besides its text.
struct ListRowTrip {
  bool startsTrip = false;  // divider and label above the row's text
  std::string label;        // the trip's label, on its first row
  int band = -1;            // 0 or 1 alternating between trips; -1: no trip
  bool hasEvents = false;   // the red dot after the time
};

// The band colours: a light tint of the window colour, a little stronger on
// odd trips; the window colour itself for a row in no trip.
uint32_t ListBandColour(int band, uint32_t window);
// The divider line, the label's text and the event dot.
constexpr uint32_t kListDividerColour = 0x9C8A78;  // RGB(120, 138, 156)
constexpr uint32_t kListLabelColour = 0x6E4A2E;    // RGB(46, 74, 110)
constexpr uint32_t kListEventDotColour = 0x2828DC; // RGB(220, 40, 40)

// A row's height for text lines `lineHeight` high: two lines for a trip's
// first row (its label, then its text).
int ListRowHeight(int lineHeight, bool startsTrip);

// Where the parts of a row [top, bottom) go. The label line and divider are
// empty (top == bottom, dividerY -1) on a row that starts no trip.
struct ListRowPlace {
  int labelTop, labelBottom;
  int dividerY;
  int textTop, textBottom;  // the row's own text, its selection and focus
};
ListRowPlace PlaceListRow(int top, int bottom, bool startsTrip);

struct ListDot {
  int left, top, right, bottom;  // the dot's bounding box, as Ellipse takes it
};
// The event dot after a time text ending at `textRight`, centred on the text line.
ListDot EventDotPlace(int textRight, int textTop, int textBottom);
