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
