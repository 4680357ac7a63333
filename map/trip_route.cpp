#include "map/trip_route.h"

#include <algorithm>

#include "map/route_seconds.h"
#include "telemetry/telemetry_store.h"
#include "telemetry/text_file.h"

int64_t TripRoute::Begin(int clip) const {
  return clip >= 0 && clip < ClipCount() ? clipBegin[static_cast<size_t>(clip)] : 0;
}

int64_t TripRoute::End(int clip) const {
  return clip >= 0 && clip < ClipCount() ? clipBegin[static_cast<size_t>(clip) + 1] : 0;
}

TripRoute JoinClipRoutes(const std::vector<std::vector<RouteFix>>& clips) {
  TripRoute trip;
  size_t total = 0;
  for (const auto& clip : clips) total += std::max<size_t>(clip.size(), 1);
  trip.seconds.reserve(total);
  trip.clipBegin.reserve(clips.size() + 1);
  for (const auto& clip : clips) {
    trip.clipBegin.push_back(static_cast<int64_t>(trip.seconds.size()));
    if (clip.empty())
      trip.seconds.push_back(RouteFix());  // the line breaks at a clip with nothing to show
    else
      trip.seconds.insert(trip.seconds.end(), clip.begin(), clip.end());
  }
  trip.clipBegin.push_back(static_cast<int64_t>(trip.seconds.size()));
  return trip;
}

int64_t SpanCarRow(const std::vector<RouteFix>& seconds, int64_t begin, int64_t end,
                   int64_t second) {
  if (second < 0 || begin >= end) return -1;
  end = std::min<int64_t>(end, static_cast<int64_t>(seconds.size()));
  int64_t row = std::min<int64_t>(begin + second, end - 1);
  while (row >= 0 && !seconds[static_cast<size_t>(row)].fix) --row;
  return row;
}

TripRoute LoadTripRoute(const std::vector<TripRouteClip>& clips) {
  std::vector<std::vector<RouteFix>> routes;
  routes.reserve(clips.size());
  for (const TripRouteClip& clip : clips) {
    const bool present =
        !clip.strSidecar.empty() && textfile::CanOpenForReading(clip.strSidecar);
    if (!present) {
      routes.emplace_back();
      continue;
    }
    CTelemetryStore store;
    store.LoadTelemetry(clip.strSidecar, 1, clip.nLengthSec);
    routes.push_back(RouteFromTable(store.Table()));
  }
  return JoinClipRoutes(routes);
}

const TripRoute& TripRouteCache::For(const std::vector<TripRouteClip>& clips) {
  std::vector<std::string> paths;
  paths.reserve(clips.size());
  for (const TripRouteClip& clip : clips) paths.push_back(clip.strClip);
  if (nBuilds == 0 || paths != key) {
    route = LoadTripRoute(clips);
    key = std::move(paths);
    ++nBuilds;
  }
  return route;
}
