// The route file "line_path.js": every position of the clip that has a fix.
#pragma once

#include <cstdint>
#include <string>

class CTelemetryTable;

// The row's position when the route takes it: its fix entry is 1 and its
// coordinates are both non-zero and a real position (IsMapPosition).
bool RowPosition(const CTelemetryTable& table, int64_t row, double& latitude, double& longitude);

constexpr const char kRouteFileName[] = "line_path.js";

// The file's text (LF line ends), one point per row with a RowPosition.
std::string MakeLinePath(const CTelemetryTable& table);

// Writes folder + "line_path.js"; folder is empty or ends in a path separator.
bool WriteLinePath(const std::string& folder, const CTelemetryTable& table);
