#include "app/gauges.h"

#include <cmath>

#include "app/layout.h"

namespace {

const double kPi = 3.14159265;

NeedlePoint End(int cx, int cy, double degrees, int length) {
  const double a = degrees * kPi / 180.0;
  return {cx + static_cast<int>(std::sin(a) * length), cy - static_cast<int>(std::cos(a) * length)};
}

}  // namespace

Needle CompassNeedle(int courseDegrees, int W, int H) {
  const LayoutScale k(W, H);
  NeedlePoint centre{k.sx(1263), k.sy(674)};
  return {centre, End(centre.x, centre.y, courseDegrees, k.sx(25))};
}

Needle SpeedNeedle(int kmh, int W, int H) {
  const LayoutScale k(W, H);
  // Integer arithmetic as the dial is graduated: whole degrees.
  const long long angle = static_cast<long long>(kmh) * 90 / 150 - 90;
  const NeedlePoint canvas = End(1100, 718, static_cast<double>(angle), 80);
  return {{k.sx(1100), k.sy(718)},
          {static_cast<int>(static_cast<long long>(canvas.x) * W / 1366),
           static_cast<int>(static_cast<long long>(canvas.y) * H / 768)}};
}

namespace {

// Room for a pen 3 pixels wide around a needle's ends, and for rounding.
const int kPenMargin = 3;

GaugeArea Around(NeedlePoint centre, int rx, int ry) {
  return {centre.x - rx - kPenMargin, centre.y - ry - kPenMargin, centre.x + rx + kPenMargin + 1,
          centre.y + ry + kPenMargin + 1};
}

}  // namespace

GaugeArea SpeedGaugeArea(int W, int H) {
  const LayoutScale k(W, H);
  // The end is scaled from the canvas, so it may lie one pixel further than the
  // scaled length.
  return Around({k.sx(1100), k.sy(718)}, k.sx(80) + 1, k.sy(80) + 1);
}

GaugeArea CompassGaugeArea(int W, int H) {
  const LayoutScale k(W, H);
  return Around({k.sx(1263), k.sy(674)}, k.sx(25), k.sx(25));
}
