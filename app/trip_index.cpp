#include "app/trip_index.h"

#include <algorithm>
#include <cstdio>

#include "app/clip_names.h"
#include "app/trips.h"

namespace {

constexpr int64_t kDaySec = 86400;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// hh:mm of the time of day of a UTC second in the user's time.
std::string ClockText(int64_t utc, int64_t offset) {
  const int64_t inDay = (utc + offset) - FloorDiv(utc + offset, kDaySec) * kDaySec;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(inDay / 3600),
                static_cast<int>(inDay / 60 % 60));
  return text;
}

std::string DurationText(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

// The front clip whose minutes a rear clip repeats.
std::string FrontNameOf(const std::string& rear) {
  const size_t ext = ClipExtensionAt(rear);
  return rear.substr(0, ext - 1) + rear.substr(ext);
}

void AddRow(TripSummary& trip, int row, const ClipFacts& clip, bool first) {
  if (first) {
    trip.nFirstRow = trip.nLastRow = row;
    trip.nStart = clip.nStart;
    trip.nEnd = clip.nEnd;
  }
  trip.nFirstRow = std::min(trip.nFirstRow, row);
  trip.nLastRow = std::max(trip.nLastRow, row);
  if (IsRearClipName(clip.strName)) return;
  if (trip.nClips == 0) {  // front clips tell the trip's times once there is one
    trip.nStart = clip.nStart;
    trip.nEnd = clip.nEnd;
  }
  ++trip.nClips;
  trip.nStart = std::min(trip.nStart, clip.nStart);
  trip.nEnd = std::max(trip.nEnd, clip.nEnd);
  trip.nLengthSec += clip.LengthSec();
  trip.dKm += clip.dKm;
}

}  // namespace

void TripIndex::Build(std::vector<ClipFacts> rows, int64_t utcOffsetSec) {
  facts = std::move(rows);
  utcOffset = utcOffsetSec;
  std::vector<TripClip> clips(facts.size());
  for (size_t i = 0; i < facts.size(); ++i) {
    clips[i].strName = facts[i].strName;
    clips[i].nStart = facts[i].nStart;
    clips[i].nEnd = facts[i].nEnd;
    clips[i].nDay = FloorDiv(facts[i].nStart + utcOffset, kDaySec);
  }
  tripOfRow = GroupTrips(clips);
  trips.clear();
  std::vector<bool> seen;
  for (size_t i = 0; i < facts.size(); ++i) {
    const size_t trip = static_cast<size_t>(tripOfRow[i]);
    if (trip >= trips.size()) {
      trips.resize(trip + 1);
      seen.resize(trip + 1, false);
    }
    AddRow(trips[trip], static_cast<int>(i), facts[i], !seen[trip]);
    seen[trip] = true;
  }
}

const ClipFacts* TripIndex::Facts(int row) const {
  return row >= 0 && row < RowCount() ? &facts[static_cast<size_t>(row)] : nullptr;
}

const TripSummary* TripIndex::Trip(int trip) const {
  return trip >= 0 && trip < TripCount() ? &trips[static_cast<size_t>(trip)] : nullptr;
}

int TripIndex::TripOf(int row) const {
  return row >= 0 && row < RowCount() ? tripOfRow[static_cast<size_t>(row)] : -1;
}

bool TripIndex::StartsTrip(int row) const {
  const int trip = TripOf(row);
  return trip >= 0 && trips[static_cast<size_t>(trip)].nFirstRow == row;
}

bool TripIndex::HasEvents(int row) const { return Facts(row) != nullptr && !Facts(row)->events.empty(); }

std::string TripIndex::Label(int trip) const {
  const TripSummary* t = Trip(trip);
  if (t == nullptr) return std::string();
  char text[160];
  std::snprintf(text, sizeof text, "Trip %d %s-%s %.1f km %d clip%s", trip + 1,
                ClockText(t->nStart, utcOffset).c_str(), ClockText(t->nEnd, utcOffset).c_str(),
                t->dKm, t->nClips, t->nClips == 1 ? "" : "s");
  return text;
}

std::string TripIndex::PositionText(int row, int64_t second) const {
  const int trip = TripOf(row);
  if (trip < 0) return std::string();
  const std::string& name = facts[static_cast<size_t>(row)].strName;
  const std::string front = IsRearClipName(name) ? FrontNameOf(name) : std::string();
  int64_t before = 0;  // the trip's front clips played before this one
  for (int r = 0; r < row; ++r) {
    const ClipFacts& clip = facts[static_cast<size_t>(r)];
    if (TripOf(r) == trip && !IsRearClipName(clip.strName) && clip.strName != front)
      before += clip.LengthSec();
  }
  return "Trip " + DurationText(before + std::max<int64_t>(0, second)) + " / " +
         DurationText(trips[static_cast<size_t>(trip)].nLengthSec);
}

EventJump TripIndex::NextEvent(int row, const std::vector<GForceEvent>& current, int64_t second,
                               int direction) const {
  EventJump jump;
  if (direction == 0) return jump;
  const ClipFacts* own = Facts(row);
  const std::vector<GForceEvent>& events =
      own == nullptr || !current.empty() ? current : own->events;
  if (direction > 0) {
    for (const GForceEvent& e : events)
      if (e.nSecond > second) return {row, e.nSecond, false, true};
  } else {
    // Just after landing on an event the key goes on to the one before it.
    for (auto e = events.rbegin(); e != events.rend(); ++e)
      if (e->nSecond < second - 1) return {row, e->nSecond, false, true};
  }
  if (own == nullptr) return jump;
  const int trip = TripOf(row);
  const bool rear = IsRearClipName(own->strName);
  const int step = direction > 0 ? 1 : -1;
  for (int r = row + step; r >= 0 && r < RowCount(); r += step) {
    const ClipFacts& clip = facts[static_cast<size_t>(r)];
    if (TripOf(r) != trip || IsRearClipName(clip.strName) != rear || clip.events.empty()) continue;
    const GForceEvent& e = step > 0 ? clip.events.front() : clip.events.back();
    return {r, std::max<int64_t>(0, e.nSecond - kEventLeadSeconds), true, true};
  }
  return jump;
}
