// The readouts of one second: the texts of the position, altitude, speed and
// G-force labels and the three gauge values, from the per-second table.
#pragma once

#include <cstdint>
#include <string>

class CTelemetryTable;

struct ReadoutTexts {
  std::string strAltitude = "Altitude  :";
  std::string strLatitude = "Latitude  :";
  std::string strLongitude = "Longitude :";
  std::string strSpeed = "  0  ";
  std::string strUnit = "KPH";
  std::string strGForceX = "G-Force X :";
  std::string strGForceY = "G-Force Y :";
  std::string strGForceZ = "G-Force Z :";
  std::string strSecond;  // the second number (IDC_SECOND_TEXT)
  int nCourse = 0;
  int nSpeed = 0;
  int nPulseSpeed = 0;
  // The last step's second had a fix: its position texts are its own, not kept
  // from an earlier second.
  bool bPositionFromRow = false;
};

struct ReadoutSource {
  const CTelemetryTable* pTable = nullptr;
  int bHasSidecar = 0;
  int32_t nSamplesPerSec = 0;
  int32_t nPulseDivisor = -1;
};

// Updates the texts and gauge values for second s. Without a fix the position
// texts keep the last fixed second's values (or show empty labels without a sidecar).
void ReadoutsStep(const ReadoutSource& source, int32_t s, ReadoutTexts& texts);
