#include "telemetry/telemetry_table.h"

#include <stdexcept>

const std::array<TelemetryColumnId, CTelemetryTable::kColumnCount>& CTelemetryTable::Ids() {
  static const std::array<TelemetryColumnId, kColumnCount> ids = {
      kColFix,    kColLatitude,   kColLongitude, kColAltitude, kColGpsSpeed,
      kColCourse, kColPulseSpeed, kColGSensorX,  kColGSensorY, kColGSensorZ};
  return ids;
}

size_t CTelemetryTable::Index(TelemetryColumnId id) {
  const auto& ids = Ids();
  for (size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == id) return i;
  throw std::invalid_argument("unknown telemetry column");
}

CTextColumn& CTelemetryTable::Column(TelemetryColumnId id) { return m_columns[Index(id)]; }

const CTextColumn& CTelemetryTable::Column(TelemetryColumnId id) const {
  return m_columns[Index(id)];
}

void CTelemetryTable::Reset() {
  for (CTextColumn& c : m_columns) c.Reset();
}

void CTelemetryTable::Clear() {
  for (CTextColumn& c : m_columns) c.Clear();
}
