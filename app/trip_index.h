// The playlist's trips: its rows grouped into drives (see trips.h), with what
// the list draws for them (labels, bands, event dots), the trip position shown
// under the time text, and where the event keys jump to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/clip_facts.h"

struct TripSummary {
  int nFirstRow = 0;  // rows in playlist order
  int nLastRow = 0;
  int nClips = 0;         // front-camera clips (a rear clip repeats its front clip's minutes)
  int64_t nStart = 0;     // UTC seconds
  int64_t nEnd = 0;
  int64_t nLengthSec = 0; // the front clips' lengths added up
  double dKm = 0;
};

// Where an event key goes, when bFound: nRow is the row (-1 for a clip that is
// no row); with bLoad the row is another clip, loaded at nSecond (a little
// before its event).
struct EventJump {
  int nRow = -1;
  int64_t nSecond = 0;
  bool bLoad = false;
  bool bFound = false;
};

// A cross-clip event jump lands this many seconds before the event.
constexpr int64_t kEventLeadSeconds = 3;

class TripIndex {
 public:
  // The facts of every playlist row, in display order; `utcOffsetSec` is the
  // user's time zone (local minus UTC), for days and labels.
  void Build(std::vector<ClipFacts> rows, int64_t utcOffsetSec);
  void Clear() { Build({}, 0); }

  int RowCount() const { return static_cast<int>(facts.size()); }
  int TripCount() const { return static_cast<int>(trips.size()); }
  const ClipFacts* Facts(int row) const;
  const TripSummary* Trip(int trip) const;
  int TripOf(int row) const;        // -1 for a row out of range
  bool StartsTrip(int row) const;   // the first row of its trip
  bool HasEvents(int row) const;

  // "Trip 2 08:15-08:42 23.4 km 11 clips", times in the user's time.
  std::string Label(int trip) const;
  // "Trip 00:12:34 / 00:27:10": the trip's clips before `row` and `second` into
  // it, over the trip's length; empty for a row out of range.
  std::string PositionText(int row, int64_t second) const;

  // The next (direction +1) or previous (-1) event from `second` of `row`
  // (-1: a clip that is not listed, whose events are `current`): first within
  // the clip, then in the trip's following (or preceding) clips of the same
  // camera, landing kEventLeadSeconds before the event.
  EventJump NextEvent(int row, const std::vector<GForceEvent>& current, int64_t second,
                      int direction) const;

 private:
  std::vector<ClipFacts> facts;
  std::vector<int> tripOfRow;
  std::vector<TripSummary> trips;
  int64_t utcOffset = 0;
};
