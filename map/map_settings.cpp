#include "map/map_settings.h"

// Generated from the CMake cache (PLAYER_MAP_SCRIPT_HOST, PLAYER_MAP_API_KEY,
// PLAYER_PROBE_URL); checked there, so the texts need no escaping here.
#include "map_build_settings.h"

MapScript BuildMapScript() {
  return MapScript{std::string(kMapScriptHost) + "/maps/api/js", kMapApiKey};
}

std::string BuildProbeAddress() { return kProbeAddress; }
