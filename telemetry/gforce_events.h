// G-force events of a clip: the seconds where the car was shaken hard enough
// to matter (a hard brake, a swerve, a pot hole), found in the per-second table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CTelemetryTable;

// Harsh braking and cornering are commonly flagged from 0.35 to 0.45 g in
// driving telemetry; the middle of that range, on the vector without gravity.
constexpr double kEventThresholdG = 0.40;
// One manoeuvre shakes the car for a second or two: peaks closer than this
// belong to the same event.
constexpr int kEventMergeSeconds = 3;

struct GForceEvent {
  int64_t nSecond = 0;
  double dPeakG = 0;  // magnitude of the peak sample, clip means removed
  char cAxis = 'X';   // the axis that dominates the peak
  char cLetter = 'F';  // that axis's direction letter as the readouts show it
  const char* Kind() const;  // "Brake/accel", "Swerve" or "Bump"
};

// The table's G-sensor columns hold thousandths of a g with the clip's means
// already removed, `samplesPerSecond` rows a second.
std::vector<GForceEvent> FindGForceEvents(const CTelemetryTable& table, int32_t samplesPerSecond);

// "second kind peak letter" a line, as telemetry-dump prints them.
std::string DescribeEvents(const std::vector<GForceEvent>& events);
