// telemetry-dump --trips FOLDER: the folder's clips grouped into trips as the
// playlist groups them, with where each clip's times come from.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class TripIndex;

// "2024-05-18T03:15:00Z" for UTC seconds since 1970.
std::string UtcText(int64_t utc);

// Per trip its first and last clip, start and end with their sources, length,
// km and clip count, then a line per clip: name, start, end, source, events.
void AppendTripReport(const TripIndex& index, std::string& out);

// Lists the folder's clips (sorted as the playlist sorts them), reads their
// facts with each file's last write and prints the report; the user's time zone
// decides the days. Returns 0, or 1 when the folder cannot be read.
int RunTripDump(const std::string& folder, std::FILE* out, std::FILE* err);
