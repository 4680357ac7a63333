// The clip's seconds as the offline route view draws them, read once per clip
// from the per-second table.
#pragma once

#include <cstdint>
#include <vector>

#include "map/route_view.h"

class CTelemetryTable;

// One entry per row. A row has a fix when the map's route would take it: its
// fix entry is 1 and its position is a real one, not 0 or garbage.
std::vector<RouteFix> RouteFromTable(const CTelemetryTable& table);

// The row that places the car at `second`: its own when it has a fix, else the
// last one before it with a fix; -1 when there is none yet.
int64_t CarRow(const std::vector<RouteFix>& seconds, int64_t second);

// Where the route view last put the car, so that a second repaints the map
// area only when the car moves to another row or the view comes or goes.
struct RouteCarState {
  int nSec = 0;        // the second the car is shown at
  int64_t nRow = -1;   // the row that places it there
  bool bShown = false;  // the map area showed the route view then
  // A new route: the next second draws the car whatever its row.
  void Forget() { nRow = -2; }
  // True when the map area needs a repaint.
  bool Move(int second, int64_t row, bool shows) {
    nSec = second;
    const bool changed = row != nRow || shows != bShown;
    nRow = row;
    bShown = shows;
    return changed && shows;
  }
};
