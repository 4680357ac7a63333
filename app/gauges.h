// Where the three gauge needles end: the compass (course) and the two speed
// needles (GPS and pulse speed), for a client size W x H.
#pragma once

struct NeedlePoint {
  int x = 0;
  int y = 0;
};

struct Needle {
  NeedlePoint from, to;
};

// Compass: centre (sx(1263), sy(674)), length sx(25), clockwise from north.
Needle CompassNeedle(int courseDegrees, int W, int H);
// Speed: centre (sx(1100), sy(718)); 0 km/h points left, 150 up, 300 right; 80
// canvas units long, scaled separately in x and y.
Needle SpeedNeedle(int kmh, int W, int H);

struct GaugeArea {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// The parts of a client of W x H that the needles can cover, at any value and
// with the width of their pen: what a repaint of the gauges must invalidate.
GaugeArea SpeedGaugeArea(int W, int H);
GaugeArea CompassGaugeArea(int W, int H);
