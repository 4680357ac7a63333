// What the map files accept as a position: a point on the globe. A garbled
// sentence can carry "NaN" or "1e308", which would be a script error on the page.
#pragma once

#include <cmath>

inline bool IsMapPosition(double lat, double lng) {
  return std::isfinite(lat) && std::isfinite(lng) && lat >= -90.0 && lat <= 90.0 && lng >= -180.0 &&
         lng <= 180.0;
}
