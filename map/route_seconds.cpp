#include "map/route_seconds.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "map/route_file.h"
#include "telemetry/number_text.h"
#include "telemetry/telemetry_table.h"

std::vector<RouteFix> RouteFromTable(const CTelemetryTable& table) {
  const CTextColumn& course = table.Column(kColCourse);
  std::vector<RouteFix> seconds(static_cast<size_t>(table.Column(kColFix).Count()));
  for (size_t i = 0; i < seconds.size(); ++i) {
    RouteFix& s = seconds[i];
    const int64_t row = static_cast<int64_t>(i);
    s.fix = RowPosition(table, row, s.latitude, s.longitude);
    std::string_view entry;
    if (course.Get(row, entry) && !entry.empty()) {
      s.course = numtext::AtoF(entry);
      s.hasCourse = std::isfinite(s.course);
    }
  }
  return seconds;
}

int64_t CarRow(const std::vector<RouteFix>& seconds, int64_t second) {
  if (second < 0) return -1;
  int64_t row = std::min<int64_t>(second, static_cast<int64_t>(seconds.size()) - 1);
  while (row >= 0 && !seconds[static_cast<size_t>(row)].fix) --row;
  return row;
}
