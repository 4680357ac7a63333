// Owns a clip's telemetry: the parser, the per-second table, samples per second
// and the pulse divisor. The map window holds one for its whole life.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "telemetry/nmea_parser.h"
#include "telemetry/telemetry_table.h"

class CTelemetryStore {
 public:
  // km/h per unit of a pulse speed entry times the divisor: 637 pulses per 3600 s.
  static constexpr double kPulseSpeedUnit = 0.17694444444444443;

  // Empties the table, then (when the sidecar is present) parses it and refills
  // the table, padded to nClipSec rows (S x nClipSec for the G-sensor columns).
  // Returns true when the sidecar was parsed, that is when the route is due.
  bool LoadTelemetry(const std::string& path, int bPresent, int64_t nClipSec);

  // The same load from sidecar bytes already in memory (raw, before text-mode reading).
  void LoadTelemetryBytes(std::string_view bytes, int64_t nClipSec);

  const CTelemetryTable& Table() const { return m_table; }
  const CNmeaParser& Parser() const { return m_parser; }
  int32_t SamplesPerSecond() const { return m_nSamplesPerSec; }
  int32_t PulseDivisor() const { return m_nPulseDivisor; }

 private:
  void FillTable(int64_t nClipSec);

  CNmeaParser m_parser;
  CTelemetryTable m_table;
  int32_t m_nSamplesPerSec = 0;
  int32_t m_nPulseDivisor = -1;  // -1 until detected; then kept for every later clip
};
