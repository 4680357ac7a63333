// Keeping the partner camera's picture with the clip that plays: each tick
// compares the two positions and says whether the partner must seek.
// Positions and lengths are in 100 ns units, as the video engine reports them.
#pragma once

#include <cstdint>

// Two pictures a quarter second apart still read as one moment; a re-seek
// costs a visible stall, so smaller drifts are left to play out.
constexpr int64_t kPartnerDriftLimit = 2500000;  // 0.25 s

// While the clip is paused both pictures should show the same frame: the
// partner follows within 20 ms, less than one frame at 50 frames a second.
constexpr int64_t kPartnerPausedLimit = 200000;

// What the window keeps between ticks for the partner engine.
struct PartnerSyncState {
  int nReseeks = 0;           // seeks that brought a drifting partner back
  int64_t nLargestDrift = 0;  // largest |drift| seen within the partner's length
  bool bHoldingEnd = false;   // the clip is past the partner's end
};

struct PartnerTick {
  bool bSeek = false;
  int64_t nSeekTo = 0;
};

// One tick: `partnerLength` 0 means unknown (no end to hold). Past the
// partner's end the partner is seeked to its end once and holds its last frame.
PartnerTick PartnerSyncTick(int64_t masterPosition, int64_t partnerPosition, int64_t partnerLength,
                            bool masterPlays, PartnerSyncState& state);
