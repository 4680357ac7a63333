// The route of a whole trip for the route view: the routes of its clips one
// after the other, read once per trip from the clips' sidecars. The line runs
// on from one clip into the next; a clip without a fix (or without a sidecar)
// leaves a gap, never a line across it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "map/route_view.h"

struct TripRoute {
  std::vector<RouteFix> seconds;  // every clip's seconds, in trip order
  std::vector<int64_t> clipBegin;  // each clip's first entry, then the end of the last

  int ClipCount() const { return clipBegin.empty() ? 0 : static_cast<int>(clipBegin.size()) - 1; }
  // Entries [Begin(clip), End(clip)) are the clip's; 0, 0 for a clip out of range.
  int64_t Begin(int clip) const;
  int64_t End(int clip) const;
};

// Joins per-clip routes (one entry per second; none for a clip without a
// sidecar, which still takes one entry without a fix).
TripRoute JoinClipRoutes(const std::vector<std::vector<RouteFix>>& clips);

// The entry that places the car at `second` of the clip whose entries are
// [begin, end): its own second when that has a fix, else the last entry with
// a fix before it, in this clip or an earlier one; -1 when there is none.
int64_t SpanCarRow(const std::vector<RouteFix>& seconds, int64_t begin, int64_t end,
                   int64_t second);

struct TripRouteClip {
  std::string strClip;     // the clip's path: what the trip is known by
  std::string strSidecar;  // empty or missing: no sidecar
  int64_t nLengthSec = 0;  // the clip's length (0: as long as its sidecar)
};

// Reads each clip's sidecar into a telemetry store of its own and joins their routes.
TripRoute LoadTripRoute(const std::vector<TripRouteClip>& clips);

// The last trip's route, built again only for another trip (other clip paths).
class TripRouteCache {
 public:
  const TripRoute& For(const std::vector<TripRouteClip>& clips);
  int Builds() const { return nBuilds; }  // how many times a route was read

 private:
  std::vector<std::string> key;
  TripRoute route;
  int nBuilds = 0;
};
