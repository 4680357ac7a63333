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
