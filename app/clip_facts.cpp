#include "app/clip_facts.h"

#include <algorithm>
#include <cmath>

#include "app/playlist_text.h"
#include "map/route_seconds.h"
#include "telemetry/sidecar_times.h"
#include "telemetry/telemetry_store.h"
#include "telemetry/text_file.h"
#include "video/clip_length.h"

namespace {

// A receiver's clock that runs backwards within a clip, or spans more than a
// day in one, is not the time of the recording.
constexpr int64_t kMaxSidecarSpanSec = 24 * 3600;

constexpr double kEarthRadiusKm = 6371.0088;
constexpr double kPi = 3.14159265358979323846;

double HaversineKm(double lat1, double lon1, double lat2, double lon2) {
  const double rad = kPi / 180;
  const double dLat = (lat2 - lat1) * rad, dLon = (lon2 - lon1) * rad;
  const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1 * rad) * std::cos(lat2 * rad) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2 * kEarthRadiusKm * std::asin(std::sqrt(a < 1 ? a : 1));
}

// The way between the fixes of the table's seconds, in order; seconds without
// a fix are stepped over.
double RouteKm(const CTelemetryTable& table) {
  const RouteFix* last = nullptr;
  double km = 0;
  const std::vector<RouteFix> seconds = RouteFromTable(table);
  for (const RouteFix& s : seconds) {
    if (!s.fix) continue;
    if (last != nullptr) km += HaversineKm(last->latitude, last->longitude, s.latitude, s.longitude);
    last = &s;
  }
  return km;
}

bool UsableTimes(const SidecarTimes& times) {
  return times.bFound && times.nLast >= times.nFirst &&
         times.nLast - times.nFirst <= kMaxSidecarSpanSec;
}

}  // namespace

const char* DescribeTimeSource(ClipTimeSource source) {
  switch (source) {
    case ClipTimeSource::kGps:
      return "gps";
    case ClipTimeSource::kFileTime:
      return "file";
    default:
      return "file, length unknown (60 s)";
  }
}

ClipFacts ReadClipFacts(const std::string& clipPath, const std::string& sidecarPath,
                        int64_t writeTimeUtc) {
  ClipFacts facts;
  facts.strName = FileNameOf(clipPath);
  std::string bytes;
  facts.bHasSidecar =
      !sidecarPath.empty() && textfile::ReadRawFile(sidecarPath, bytes) == textfile::ReadResult::ok;
  const SidecarTimes times = facts.bHasSidecar ? FindSidecarTimes(bytes) : SidecarTimes();
  double length = 0;
  const bool known = ReadClipLengthOfFile(clipPath, length);
  const int64_t lengthSec = known ? std::max<int64_t>(1, std::llround(length)) : 0;
  if (UsableTimes(times)) {
    facts.source = ClipTimeSource::kGps;
    facts.nStart = times.nFirst;
    facts.nEnd = times.nLast + 1;  // the last line's second is recorded to its end
  } else {
    facts.source = known ? ClipTimeSource::kFileTime : ClipTimeSource::kFileTimeNoLength;
    facts.nEnd = writeTimeUtc;
    facts.nStart = writeTimeUtc - (known ? lengthSec : kUnknownClipLengthSec);
  }
  if (!facts.bHasSidecar) return facts;
  CTelemetryStore store;
  store.LoadTelemetryBytes(bytes, known ? lengthSec : facts.LengthSec());
  facts.events = FindGForceEvents(store.Table(), store.SamplesPerSecond());
  facts.dKm = RouteKm(store.Table());
  return facts;
}
