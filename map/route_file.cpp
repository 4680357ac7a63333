#include "map/route_file.h"

#include "map/map_position.h"
#include "map/text_mode_file.h"
#include "telemetry/number_text.h"
#include "telemetry/telemetry_table.h"

std::string MakeLinePath(const CTelemetryTable& table) {
  const CTextColumn& fix = table.Column(kColFix);
  const CTextColumn& lat = table.Column(kColLatitude);
  const CTextColumn& lng = table.Column(kColLongitude);
  std::string out = "var LINE_PATH = [\n";
  std::string_view entry;
  const int64_t rows = static_cast<int64_t>(lat.Count());
  for (int64_t i = 0; i < rows; ++i) {
    if (!fix.Get(i, entry) || numtext::AtoI(entry) != 1) continue;
    // Each point is the row's own position (not one S rows later).
    if (!lat.Get(i, entry)) continue;
    double latitude = numtext::AtoF(entry);
    if (!lng.Get(i, entry)) continue;
    double longitude = numtext::AtoF(entry);
    if (latitude == 0.0 || longitude == 0.0 || !IsMapPosition(latitude, longitude)) continue;
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
