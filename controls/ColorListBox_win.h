// The playlist's owner-drawn list box: each item may carry its own colour in
// its item data (0: none) and is drawn in it; see controls/list_colours.h. The
// dialog hands the list its WM_DRAWITEM (kReflectedDrawItem). Items are not
// measured here: the list keeps its default item height.
#pragma once

#include <windows.h>

#include "framework/Subclass_win.h"

class CColorListBox : public CSubclassWnd {
 public:
  // The font the items are written in when set; the owner keeps it alive.
  HFONT pDrawFont = NULL;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  void WriteText(const DRAWITEMSTRUCT& item);
};
