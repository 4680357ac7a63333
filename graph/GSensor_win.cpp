#include "graph/GSensor_win.h"

#include "framework/Trace_win.h"
#include "resources/resource.h"
#include "telemetry/telemetry_store.h"

namespace {

const int kPictureIds[3] = {IDR_BMP_GSENSOR, IDR_BMP_GSENSOR_2, IDR_BMP_GSENSOR_LONG};

}  // namespace

CGSENSOR::CGSENSOR() : CDialogBase(IDD_GSENSOR) {
  bool loaded = true;
  for (int i = 0; i < 3; ++i)
    loaded = pictures[i].LoadResourceImage("BMP", MAKEINTRESOURCEA(kPictureIds[i])) && loaded;
  TraceText(loaded ? "Load Bitmap Successfully!" : "Load Bitmap failed!");
}

CGSENSOR::~CGSENSOR() { DestroyWindow(); }

GraphScale CGSENSOR::CurrentScale() const {
  if (pStore == nullptr) return ChooseScale(0, 0);
  return ChooseScale(pStore->Table().Column(kColGSensorX).Count(), pStore->SamplesPerSecond(),
                     nClipSec);
}

// The picture is drawn to the window's size once, then copied for each paint.
HDC CGSENSOR::Background(HDC like, GraphBackground which) {
  if (backgroundDc && nBackgroundWidth == nWidth && nBackgroundHeight == nHeight &&
      shownBackground == which)
    return backgroundDc->Get();
  backgroundDc = std::make_unique<BitmapDc>(like, nWidth, nHeight);
  PatBlt(backgroundDc->Get(), 0, 0, nWidth, nHeight, WHITENESS);
  pictures[static_cast<int>(which)].RenderTo(backgroundDc->Get(), 0, 0, nWidth, nHeight);
  nBackgroundWidth = nWidth;
  nBackgroundHeight = nHeight;
  shownBackground = which;
  return backgroundDc->Get();
}

void CGSENSOR::DrawCurves(HDC dc, const GraphScale& scale, const GraphPlot& plot) {
  const struct {
    TelemetryColumnId column;
    COLORREF colour;
  } axes[] = {{kColGSensorX, AxisColour('X')},
              {kColGSensorY, AxisColour('Y')},
              {kColGSensorZ, AxisColour('Z')}};
  for (const auto& axis : axes) {
    const std::vector<GraphPoint> points = CurvePoints(
        pStore->Table().Column(axis.column), pStore->SamplesPerSecond(), scale, plot, nHeight);
    if (points.size() < 2) continue;
    GdiPen pen(CreatePen(PS_SOLID, 1, axis.colour));
    SelectedObject selected(dc, pen.Get());
    static_assert(sizeof(GraphPoint) == sizeof(POINT), "points pass as they are");
    Polyline(dc, reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size()));
  }
}

void CGSENSOR::DrawEventMarkers(HDC dc, const GraphScale& scale, const GraphPlot& plot) {
  for (const GraphMarker& marker : EventMarkers(events, scale, plot)) {
    GdiBrush brush(CreateSolidBrush(marker.colour));
    GdiPen pen(CreatePen(PS_SOLID, 1, marker.colour));
    SelectedObject brushIn(dc, brush.Get());
    SelectedObject penIn(dc, pen.Get());
    const POINT corners[3] = {{marker.x - marker.halfWidth, marker.top},
                              {marker.x + marker.halfWidth, marker.top},
                              {marker.x, marker.tip}};
    Polygon(dc, corners, 3);
  }
}

bool CGSENSOR::OnEraseBkgnd(HDC, LRESULT& result) {
  result = 1;  // the paint covers everything
  return true;
}

bool CGSENSOR::OnPaint() {
  PaintDc paint(m_hWnd);
  if (nWidth <= 0 || nHeight <= 0) return true;
  const GraphScale scale = CurrentScale();  // chosen before anything is drawn
  const GraphPlot plot = Plot();
  CMemDC2 memory(paint.Get());
  BitBlt(memory, 0, 0, nWidth, nHeight, Background(paint.Get(), scale.background), 0, 0, SRCCOPY);
  if (scale.curves) DrawCurves(memory, scale, plot);
  DrawEventMarkers(memory, scale, plot);
  if (scale.cursor) {
    GdiPen pen(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    SelectedObject selected(memory, pen.Get());
    const int x = CursorX(nCursorSec, plot, scale.seconds);
    MoveToEx(memory, x, plot.top, NULL);
    LineTo(memory, x, plot.bottom);
  }
  return true;
}

bool CGSENSOR::OnLButtonDown(UINT, POINT at) {
  const GraphPlot plot = Plot();
  if (at.y < plot.top || at.y > plot.bottom) return false;
  const int64_t second = SecondAt(at.x, plot, CurrentScale());
  if (second >= 0 && onSeek) onSeek(static_cast<int>(second));
  return true;
}
