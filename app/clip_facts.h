// What the playlist learns of one clip when it is listed: when it was
// recorded, how far the car went, and its G-force events. Read from the clip's
// sidecar and, without usable GPS times, from the clip file itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "telemetry/gforce_events.h"

// A clip whose length cannot be read from its file is taken as this long.
constexpr int64_t kUnknownClipLengthSec = 60;

enum class ClipTimeSource {
  kGps,               // the sidecar's first and last dated position-line times (UTC)
  kFileTime,          // the file's last write as the end, its recorded length back from it
  kFileTimeNoLength,  // the same, the length unreadable and taken as kUnknownClipLengthSec
};

// "gps", "file" or "file, length unknown (60 s)", as the trip dump prints it.
const char* DescribeTimeSource(ClipTimeSource source);

struct ClipFacts {
  std::string strName;     // the file name alone
  int64_t nStart = 0;      // UTC seconds since 1970
  int64_t nEnd = 0;
  ClipTimeSource source = ClipTimeSource::kFileTimeNoLength;
  bool bHasSidecar = false;
  double dKm = 0;          // distance driven between the sidecar's fixes
  std::vector<GForceEvent> events;
  int64_t LengthSec() const { return nEnd > nStart ? nEnd - nStart : 0; }
};

// Reads the facts of the clip at `clipPath` with the sidecar at `sidecarPath`
// (empty or missing: none); `writeTimeUtc` is the clip file's last write, UTC
// seconds since 1970. Never fails: what cannot be read is told by `source`.
ClipFacts ReadClipFacts(const std::string& clipPath, const std::string& sidecarPath,
                        int64_t writeTimeUtc);
