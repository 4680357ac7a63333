// The per-second table: ten text columns filled from a clip's sidecar.
// Columns carry the control ids by which the player addresses them.
#pragma once

#include <array>
#include <cstdint>

#include "telemetry/text_column.h"

enum TelemetryColumnId : int32_t {
  kColFix = 1028,
  kColLatitude = 1030,
  kColLongitude = 1031,
  kColAltitude = 1032,
  kColGpsSpeed = 1033,
  kColCourse = 1034,
  kColGSensorX = 1035,
  kColGSensorY = 1036,
  kColGSensorZ = 1037,
  kColPulseSpeed = 1064,
};

class CTelemetryTable {
 public:
  static constexpr size_t kColumnCount = 10;
  // Column ids in the order the dump tool prints them.
  static const std::array<TelemetryColumnId, kColumnCount>& Ids();

  CTextColumn& Column(TelemetryColumnId id);
  const CTextColumn& Column(TelemetryColumnId id) const;
  // Empties every column and frees its memory.
  void Reset();
  // Empties every column, keeping the memory for the next fill.
  void Clear();

 private:
  static size_t Index(TelemetryColumnId id);
  std::array<CTextColumn, kColumnCount> m_columns;
};
