// Build settings of the map: where the page loads the map script from, the
// provider's access key, and the address that the connection probe tries.
#pragma once

#include <string>

// The script that the page loads: `address` (host and path) with the query
// "?callback=Initialize&key=" and `key` appended.
struct MapScript {
  std::string address;
  std::string key;
};

// The build's script: host + "/maps/api/js" and the build's key.
MapScript BuildMapScript();

// The address the connection probe tries before the page is shown.
std::string BuildProbeAddress();
