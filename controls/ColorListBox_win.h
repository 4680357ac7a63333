// The playlist's owner-drawn list box: each item may carry its own colour in
// its item data (0: none) and is drawn in it; see controls/list_colours.h. The
// dialog hands the list its WM_DRAWITEM (kReflectedDrawItem).
//
// The owner may also describe each row's trip (SetRowTrips): a trip's first
// row is made two lines high (the list is created LBS_OWNERDRAWVARIABLE) with
// a divider and the trip's label above its text, a trip's rows share a band
// colour, and a row with events has a red dot after its time. Without trips
// every item keeps the list's default height.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/list_colours.h"
#include "framework/Owners_win.h"
#include "framework/Subclass_win.h"

class CColorListBox : public CSubclassWnd {
 public:
  // The font the items are written in when set; the owner keeps it alive.
  HFONT pDrawFont = NULL;

  // The rows' trips in list order (rows past the end: no trip); sets every
  // row's height and repaints.
  void SetRowTrips(std::vector<ListRowTrip> rows);
  const std::vector<ListRowTrip>& RowTrips() const { return rowTrips; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  void DrawTripLabel(HDC dc, const RECT& row, const ListRowPlace& place, const ListRowTrip& trip);
  // Writes the row's text in `place`; returns where the time text ends.
  int WriteText(const DRAWITEMSTRUCT& item, const RECT& place);
  int LineHeight();
  void ApplyRowHeights();
  ListRowTrip TripOf(UINT row) const;
  // The bold face of `base` the labels are written in, made once per font.
  HFONT LabelFont(HFONT base);

  std::vector<ListRowTrip> rowTrips;
  GdiFont labelFont;
  HFONT labelFontBase = NULL;
};
