#include "map/route_file.h"

#include "map/map_position.h"
#include "map/text_mode_file.h"
#include "telemetry/number_text.h"
#include "telemetry/telemetry_table.h"

bool RowPosition(const CTelemetryTable& table, int64_t row, double& latitude, double& longitude) {
  std::string_view entry;
  if (!table.Column(kColFix).Get(row, entry) || numtext::AtoI(entry) != 1) return false;
  // Each point is the row's own position (not one S rows later).
  if (!table.Column(kColLatitude).Get(row, entry)) return false;
  latitude = numtext::AtoF(entry);
  if (!table.Column(kColLongitude).Get(row, entry)) return false;
  longitude = numtext::AtoF(entry);
  return latitude != 0.0 && longitude != 0.0 && IsMapPosition(latitude, longitude);
}

std::string MakeLinePath(const CTelemetryTable& table) {
  std::string out = "var LINE_PATH = [\n";
  const int64_t rows = static_cast<int64_t>(table.Column(kColLatitude).Count());
  double latitude = 0.0, longitude = 0.0;
  for (int64_t i = 0; i < rows; ++i) {
    if (!RowPosition(table, i, latitude, longitude)) continue;
    out += "\t{ lat: ";
    numtext::AppendFixed6(out, latitude);
    out += ", lng : ";
    numtext::AppendFixed6(out, longitude);
    out += " },\n";
  }
  out += "];\n";
  return out;
}

bool WriteLinePath(const std::string& folder, const CTelemetryTable& table) {
  return WriteTextModeFile(folder + kRouteFileName, MakeLinePath(table));
}
