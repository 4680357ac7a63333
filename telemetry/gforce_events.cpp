#include "telemetry/gforce_events.h"

#include <cmath>
#include <cstdio>

#include "telemetry/number_text.h"
#include "telemetry/telemetry_table.h"

namespace {

struct Sample {
  int64_t v[3] = {0, 0, 0};
  double Magnitude() const {
    return std::sqrt(static_cast<double>(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])) / 1000.0;
  }
};

bool ReadSample(const CTelemetryTable& t, int64_t row, Sample& out) {
  const TelemetryColumnId ids[3] = {kColGSensorX, kColGSensorY, kColGSensorZ};
  for (int a = 0; a < 3; ++a) {
    std::string_view entry;
    if (!t.Column(ids[a]).Get(row, entry)) return false;
    const int64_t value = numtext::AtoI(entry);
    out.v[a] = value > 1000000 ? 1000000 : (value < -1000000 ? -1000000 : value);  // 1000 g
  }
  return true;
}

GForceEvent EventOf(int64_t second, const Sample& peak) {
  static const char kAxes[3] = {'X', 'Y', 'Z'};
  static const char kPositive[3] = {'F', 'R', 'U'}, kNegative[3] = {'R', 'L', 'D'};
  int axis = 0;
  for (int a = 1; a < 3; ++a)
    if (std::llabs(peak.v[a]) > std::llabs(peak.v[axis])) axis = a;
  GForceEvent e;
  e.nSecond = second;
  e.dPeakG = peak.Magnitude();
  e.cAxis = kAxes[axis];
  e.cLetter = peak.v[axis] >= 0 ? kPositive[axis] : kNegative[axis];
  return e;
}

}  // namespace

const char* GForceEvent::Kind() const {
  return cAxis == 'X' ? "Brake/accel" : (cAxis == 'Y' ? "Swerve" : "Bump");
}

std::vector<GForceEvent> FindGForceEvents(const CTelemetryTable& table, int32_t samplesPerSecond) {
  std::vector<GForceEvent> events;
  if (samplesPerSecond <= 0) return events;
  const int64_t rows = static_cast<int64_t>(table.Column(kColGSensorX).Count());
  int64_t lastLoud = -kEventMergeSeconds - 1;
  for (int64_t s = 0; s * samplesPerSecond < rows; ++s) {
    Sample peak, sample;
    bool any = false;
    for (int64_t i = 0; i < samplesPerSecond; ++i) {
      if (!ReadSample(table, s * samplesPerSecond + i, sample)) break;
      if (!any || sample.Magnitude() > peak.Magnitude()) peak = sample;
      any = true;
    }
    if (!any || peak.Magnitude() < kEventThresholdG) continue;
    const GForceEvent e = EventOf(s, peak);
    if (!events.empty() && s - lastLoud < kEventMergeSeconds) {
      if (e.dPeakG > events.back().dPeakG) events.back() = e;  // one event, at its peak
    } else {
      events.push_back(e);
    }
    lastLoud = s;
  }
  return events;
}

std::string DescribeEvents(const std::vector<GForceEvent>& events) {
  std::string out;
  char line[96];
  for (const GForceEvent& e : events) {
    std::snprintf(line, sizeof line, "%lld\t%s\t%.3f\t%c\n", static_cast<long long>(e.nSecond),
                  e.Kind(), e.dPeakG, e.cLetter);
    out += line;
  }
  return out;
}
