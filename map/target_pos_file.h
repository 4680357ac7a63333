// The position file "target_pos.js" that the map page re-reads every second.
#pragma once

#include <cstdint>
#include <string>

#include "map/rewritten_file.h"

class CTelemetryTable;

constexpr const char kTargetPosFileName[] = "target_pos.js";

// Keeps the last texts read from the table between calls, so a row past the
// end of the table repeats the previous position.
class CTargetPosWriter {
 public:
  // Row -1 writes the placeholder (0, 0). A row without fix, with a zero
  // coordinate or with one that is not a position (IsMapPosition), leaves the
  // file as it is. Returns true when the file was written.
  bool UpdateTargetPos(const std::string& folder, const CTelemetryTable& table, int64_t row,
                       int update);

  // The file the page first loads with: row 0's position when row 0 has a fix,
  // else the placeholder (0, 0), both with update 0. The buffers and the last row
  // are left alone.
  bool WriteStart(const std::string& folder, const CTelemetryTable& table);

  // The decisions of the two above without the file: the text to write, or
  // false when the file stays as it is. NextText keeps the buffers as
  // UpdateTargetPos does.
  bool NextText(const CTelemetryTable& table, int64_t row, int update, std::string& text);
  static std::string StartText(const CTelemetryTable& table);

  int64_t LastRow() const { return m_nLastRow; }

  // "var TARGET_POS = { lat: %0.6lf, lng : %0.6lf, update : %d };"
  static std::string Format(double lat, double lng, int update);

 private:
  // Sizes of the text buffers, terminator included: an entry that does not fit
  // is treated as a failed read rather than cut to a different number.
  static constexpr size_t kFixChars = 4;
  static constexpr size_t kCoordChars = 20;

  CRewrittenFile m_file;  // one line, no line break: text mode changes nothing
  std::string m_strFix;
  std::string m_strLat;
  std::string m_strLng;
  int64_t m_nLastRow = 0;
};
