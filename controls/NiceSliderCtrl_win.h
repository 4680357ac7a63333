// The seek bar: a horizontal trackbar drawn as a flat grey-blue bar with the
// played part in green, no thumb, and a red tick at each G-force event. A click or drag anywhere on it picks a
// position, posted to the parent as WM_HSCROLL: SB_THUMBTRACK for each new
// position, then one SB_THUMBPOSITION with the final one. The arithmetic is in
// controls/slider_geometry.h.
#pragma once

#include <windows.h>

#include "controls/slider_geometry.h"
#include "framework/Subclass_win.h"

class CNiceSliderCtrl : public CSubclassWnd {
 public:
  // The length the played part is measured against (the clip's seconds; the
  // owner sets the trackbar range 0..nMax with it). 0: nothing played to show.
  int nMax = 0;
  // The seconds of the clip's G-force events, set at each clip load.
  std::vector<int64_t> eventSeconds;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void OnButtonDown(int x);
  LRESULT OnMouseMove(int x);
  LRESULT OnButtonUp(int x);
  // Moves the trackbar to the position under x; true when it changed.
  bool MoveToPoint(int x);
  // Posts each code with the current position to the parent.
  void Report(const std::vector<int>& codes);

  CSliderDrag drag;
};
