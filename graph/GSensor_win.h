// The G-sensor graph under the video: the clip's three acceleration axes over
// the whole clip, one point a second, on a grid picture, with a black line at
// the current second and a small triangle at the top over each G-force event. It reads the map window's per-second table when it
// paints; a click on the plot asks for a seek to the second under the pointer.
#pragma once

#include <windows.h>

#include <functional>

#include <memory>
#include <vector>

#include "controls/MemDC2_win.h"
#include "controls/Picture_win.h"
#include "framework/Dialog_win.h"
#include "framework/Owners_win.h"
#include "graph/gsensor_plot.h"

class CTelemetryStore;

class CGSENSOR : public CDialogBase {
 public:
  CGSENSOR();
  ~CGSENSOR() override;

  int nWidth = 0;
  int nHeight = 0;
  int nCursorSec = 0;
  // The clip's length in seconds, set at each clip load (0: not known); the
  // time scale and the clicks go no further.
  int64_t nClipSec = 0;
  // The clip's telemetry (the map window's); null: no data.
  const CTelemetryStore* pStore = nullptr;
  // The clip's G-force events, set at each clip load; marked in their axis's colour.
  std::vector<GForceEvent> events;
  // Called with the second under a click on the plot.
  std::function<void(int)> onSeek;

  // What the next paint draws against (for tests and traces).
  GraphScale CurrentScale() const;
  GraphPlot Plot() const { return PlotArea(nWidth, nHeight); }

 protected:
  bool OnPaint() override;
  bool OnEraseBkgnd(HDC dc, LRESULT& result) override;
  bool OnLButtonDown(UINT flags, POINT at) override;

 private:
  HDC Background(HDC like, GraphBackground which);
  void DrawCurves(HDC dc, const GraphScale& scale, const GraphPlot& plot);
  void DrawEventMarkers(HDC dc, const GraphScale& scale, const GraphPlot& plot);

  CPicture pictures[3];  // five minutes, six minutes, long
  // The chosen picture at the window's size, drawn once per size and choice.
  std::unique_ptr<BitmapDc> backgroundDc;
  int nBackgroundWidth = 0, nBackgroundHeight = 0;
  GraphBackground shownBackground = GraphBackground::kFiveMinutes;
};
