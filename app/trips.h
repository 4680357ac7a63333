// Trips: the clips of one drive, in playlist order. A camera cuts a drive into
// clips of a few minutes; a pause longer than a minute, or another day, starts
// a new trip.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A pause between two clips longer than this is a stop between two drives.
constexpr int64_t kTripGapSeconds = 60;

struct TripClip {
  std::string strName;  // the file name, for matching a rear clip to its front clip
  int64_t nStart = 0;   // seconds since the epoch, in one clock for all clips
  int64_t nEnd = 0;
  int64_t nDay = 0;     // the calendar day of nStart in the user's time
};

// A rear clip ("xR.MP4" beside "x.MP4") shares its front clip's sidecar.
bool IsRearClipName(const std::string& name);

// The trip of every clip, numbered from 0 in order. A rear clip takes its
// front clip's trip (or the trip of the clip before it, without one) and never
// starts a trip; a clock that jumps back by more than the gap starts one.
std::vector<int> GroupTrips(const std::vector<TripClip>& clips);
