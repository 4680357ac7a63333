#include "telemetry/pulse_divisor.h"

#include <cmath>

constexpr std::array<int32_t, 4> CPulseDivisorVote::kCandidates;

void CPulseDivisorVote::Compare(int64_t pulseTotal, double gpsSpeedKmh) {
  int best = -1;
  double bestDiff = 0.0;
  for (size_t i = 0; i < kCandidates.size(); ++i) {
    double predicted = static_cast<double>(pulseTotal) / PulsesPerKmh(kCandidates[i]);
    if (predicted == 0.0) continue;
    double diff = std::fabs(predicted - gpsSpeedKmh);
    if (best < 0 || diff < bestDiff) {
      best = static_cast<int>(i);
      bestDiff = diff;
    }
  }
  if (best >= 0) ++m_votes[static_cast<size_t>(best)];
}

int32_t CPulseDivisorVote::Leader() const {
  size_t leader = 0;
  for (size_t i = 1; i < m_votes.size(); ++i)
    if (m_votes[i] >= m_votes[leader]) leader = i;
  return m_votes[leader] >= 1 ? kCandidates[leader] : -1;
}
