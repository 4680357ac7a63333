// Finds by how much the camera's pulse speed must be divided to give km/h,
// by comparing pulse totals with GPS speeds (candidates 2, 4, 8 and 25).
#pragma once

#include <array>
#include <cstdint>

class CPulseDivisorVote {
 public:
  static constexpr std::array<int32_t, 4> kCandidates = {2, 4, 8, 25};
  // Pulses per km/h-second: 637 pulses per 3600 s for each unit of the divisor.
  static double PulsesPerKmh(int32_t candidate) { return 637.0 * candidate / 3600.0; }

  // Counts a vote for the candidate whose predicted speed is nearest the GPS speed.
  void Compare(int64_t pulseTotal, double gpsSpeedKmh);
  // The divisor with the most votes (a tie goes to the later candidate), or -1 with none.
  int32_t Leader() const;

 private:
  std::array<int32_t, 4> m_votes{};
};
