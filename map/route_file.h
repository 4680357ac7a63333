// The route file "line_path.js": every position of the clip that has a fix.
#pragma once

#include <string>

class CTelemetryTable;

constexpr const char kRouteFileName[] = "line_path.js";

// The file's text (LF line ends), one point per row whose fix entry is 1 and
// whose coordinates are both non-zero and a real position (IsMapPosition).
std::string MakeLinePath(const CTelemetryTable& table);

// Writes folder + "line_path.js"; folder is empty or ends in a path separator.
bool WriteLinePath(const std::string& folder, const CTelemetryTable& table);
