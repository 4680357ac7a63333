// The map page "GM_tmp1.html": draws the route once, then follows the position
// file by re-reading it every second.
#pragma once

#include <string>

#include "map/map_settings.h"

constexpr const char kMapPageFileName[] = "GM_tmp1.html";

// The page's text (LF line ends) in its five pieces: head with the map script,
// the route script line, the inline script, the position file's source line,
// and the tail. Backslashes of both paths are doubled.
std::string MakeMapPage(const MapScript& script, const std::string& routePath,
                        const std::string& targetPosPath);

// Writes folder + "GM_tmp1.html" pointing at the route and position files of
// the same folder; folder is empty or ends in a path separator.
bool WriteMapPage(const std::string& folder, const MapScript& script);

// Every backslash doubled, as a path inside a script string needs it.
std::string DoubleBackslashes(const std::string& path);
