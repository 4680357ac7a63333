// What telemetry-dump prints: per sidecar a summary of the load and the
// per-second table as CSV. Kept apart from main() so tests can drive it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CTelemetryStore;

struct DumpOptions {
  int64_t nLength = 0;
  bool bSummary = false;
  bool bRoute = false;
  std::string strRouteDir;
  bool bReadouts = false;
  bool bTimes = false;
  bool bRetries = false;
  bool bEvents = false;
  bool bMap = false;
  std::string strMapDir;
  int64_t nMapSecond = -1;   // -1: the placeholder position
  std::string strMapScript;  // empty: the build's map script
  bool bGpx = false;
  std::string strGpxFile;
  bool bTrips = false;  // the folder's clips in trips, instead of sidecars
  std::string strTripsDir;
  std::vector<std::string> sidecars;
};

constexpr const char kDumpUsage[] =
    "usage: telemetry-dump [--length N] [--summary] [--readouts] [--times] [--retries]\n"
    "                      [--events]\n"
    "                      [--route DIR]\n"
    "                      [--gpx FILE]\n"
    "                      [--map DIR [--second K] [--map-script URL]] SIDECAR...\n"
    "       telemetry-dump --trips FOLDER\n";

// False with a message for a usage error.
bool ParseDumpArgs(const std::vector<std::string>& args, DumpOptions& options, std::string& error);

// Appends the lines for one loaded sidecar. `missing` when it could not be opened.
void AppendSidecarReport(const CTelemetryStore& store, const std::string& path, bool missing,
                         bool summary, std::string& out);

// What the player shows at each second 0 to N of a clip with this sidecar when
// its tick runs once a second from the start: "readouts" and the "start" text of
// the position file, then per second, tab-separated: the second, where its
// position texts come from ("row", "kept" from an earlier second, or "empty"
// without a sidecar), the texts of altitude, latitude, longitude, speed, unit,
// second number, G-force X, Y and Z, and the position file's text after that
// tick ("-" when the tick leaves the file alone).
void AppendReadouts(const CTelemetryStore& store, bool present, int64_t length, std::string& out);

// The time text the player shows at each second 0 to N of a clip of N seconds:
// "times", then per second the second and its text, tab-separated.
void AppendTimeTexts(int64_t length, std::string& out);

// The ticks 1 to N, counted from the program's start, on which the player asks
// for the map page again while it is offline: "retries", then one a line.
void AppendMapRetries(int64_t ticks, std::string& out);

// Loads every sidecar in turn into one store and writes the report to `out`.
// Returns the exit status: 0, or 1 when a sidecar could not be opened or the
// route, map or GPX files could not be written.
int RunDump(const DumpOptions& options, std::FILE* out, std::FILE* err);
