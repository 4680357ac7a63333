#include "app/partner_sync.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kSec = 10000000;  // 100 ns units
constexpr int64_t kMs = 10000;

struct TickCase {
  const char* what;
  int64_t master, partner, length;
  bool plays;
  bool wantSeek;
  int64_t wantTo;
  int wantReseeks;
  int64_t wantLargest;
};

TEST(PartnerSync, OneTickFromAFreshState) {
  const TickCase cases[] = {
      {"small drift plays out", 10 * kSec, 10 * kSec - 100 * kMs, 60 * kSec, true, false, 0, 0,
       100 * kMs},
      {"drift at the limit is kept", 10 * kSec, 10 * kSec - 250 * kMs, 60 * kSec, true, false, 0, 0,
       250 * kMs},
      {"drift past the limit re-seeks", 10 * kSec, 10 * kSec - 250 * kMs - 1, 60 * kSec, true, true,
       10 * kSec, 1, 250 * kMs + 1},
      {"a partner ahead re-seeks too", 10 * kSec, 10 * kSec + 300 * kMs, 60 * kSec, true, true,
       10 * kSec, 1, 300 * kMs},
      {"paused: a frame's drift re-seeks", 10 * kSec, 10 * kSec - 40 * kMs, 60 * kSec, false, true,
       10 * kSec, 1, 40 * kMs},
      {"paused: within 20 ms is the same frame", 10 * kSec, 10 * kSec - 20 * kMs, 60 * kSec, false,
       false, 0, 0, 20 * kMs},
      {"past the partner's end: to its end, not counted", 61 * kSec, 59 * kSec, 60 * kSec, true,
       true, 60 * kSec, 0, 0},
      {"at the partner's end holds as well", 60 * kSec, 60 * kSec, 60 * kSec, true, true, 60 * kSec,
       0, 0},
      {"unknown length: no end to hold", 100 * kSec, 50 * kSec, 0, true, true, 100 * kSec, 1,
       50 * kSec},
      {"a negative master position counts as 0", -5 * kSec, 0, 60 * kSec, true, false, 0, 0, 0},
  };
  for (const TickCase& c : cases) {
    PartnerSyncState state;
    const PartnerTick tick = PartnerSyncTick(c.master, c.partner, c.length, c.plays, state);
    EXPECT_EQ(tick.bSeek, c.wantSeek) << c.what;
    if (c.wantSeek) {
      EXPECT_EQ(tick.nSeekTo, c.wantTo) << c.what;
    }
    EXPECT_EQ(state.nReseeks, c.wantReseeks) << c.what;
    EXPECT_EQ(state.nLargestDrift, c.wantLargest) << c.what;
  }
}

// The clip plays on past a shorter partner, is seeked back into it and runs
// past its end again: the end is sought once per crossing, never every tick.
TEST(PartnerSync, HoldsThePartnersLastFrameUntilTheClipComesBack) {
  struct Step {
    int64_t master, partner;
    bool wantSeek;
    int64_t wantTo;
  } const steps[] = {
      {59 * kSec, 59 * kSec - 50 * kMs, false, 0},
      {60 * kSec + 500 * kMs, 60 * kSec, true, 60 * kSec},
      {61 * kSec + 500 * kMs, 60 * kSec, false, 0},
      {62 * kSec + 500 * kMs, 60 * kSec, false, 0},
      {10 * kSec, 60 * kSec, true, 10 * kSec},
      {11 * kSec, 11 * kSec - 30 * kMs, false, 0},
      {60 * kSec, 59 * kSec + 900 * kMs, true, 60 * kSec},
      {61 * kSec, 60 * kSec, false, 0},
  };
  PartnerSyncState state;
  int n = 0;
  for (const Step& s : steps) {
    const PartnerTick tick = PartnerSyncTick(s.master, s.partner, 60 * kSec, true, state);
    EXPECT_EQ(tick.bSeek, s.wantSeek) << "step " << n;
    if (s.wantSeek) {
      EXPECT_EQ(tick.nSeekTo, s.wantTo) << "step " << n;
    }
    ++n;
  }
  EXPECT_EQ(state.nReseeks, 1);
  EXPECT_EQ(state.nLargestDrift, 50 * kSec);
  EXPECT_TRUE(state.bHoldingEnd);
}

}  // namespace
