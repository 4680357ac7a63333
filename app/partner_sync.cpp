#include "app/partner_sync.h"

#include <algorithm>

PartnerTick PartnerSyncTick(int64_t masterPosition, int64_t partnerPosition, int64_t partnerLength,
                            bool masterPlays, PartnerSyncState& state) {
  PartnerTick tick;
  const int64_t master = std::max<int64_t>(0, masterPosition);
  if (partnerLength > 0 && master >= partnerLength) {
    if (!state.bHoldingEnd) {
      state.bHoldingEnd = true;
      tick.bSeek = true;
      tick.nSeekTo = partnerLength;
    }
    return tick;
  }
  state.bHoldingEnd = false;
  const int64_t diff = master - partnerPosition;
  const int64_t drift = diff < 0 ? -diff : diff;
  state.nLargestDrift = std::max(state.nLargestDrift, drift);
  if (drift > (masterPlays ? kPartnerDriftLimit : kPartnerPausedLimit)) {
    tick.bSeek = true;
    tick.nSeekTo = master;
    ++state.nReseeks;
  }
  return tick;
}
