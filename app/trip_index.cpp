#include "app/trip_index.h"

void TripIndex::Build(std::vector<ClipFacts> rows, int64_t utcOffsetSec) {
  facts = std::move(rows);
  utcOffset = utcOffsetSec;
  tripOfRow.assign(facts.size(), 0);
  trips.clear();
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

bool TripIndex::StartsTrip(int row) const { return Facts(row) != nullptr && (row == 0 || TripOf(row - 1) != TripOf(row)); }

bool TripIndex::HasEvents(int row) const { return Facts(row) != nullptr && !Facts(row)->events.empty(); }

std::string TripIndex::Label(int) const { return std::string(); }

std::string TripIndex::PositionText(int, int64_t) const { return std::string(); }

EventJump TripIndex::NextEvent(int, const std::vector<GForceEvent>&, int64_t, int) const {
  return EventJump();
}
