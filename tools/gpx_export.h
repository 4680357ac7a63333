// A clip's route as a GPX 1.1 file, for map programs other than the player's
// own map page.
#pragma once

#include <string>
#include <string_view>

class CTelemetryTable;

// The document: one track of one segment with a point for every row of
// `table` that the route shows (RowPosition), in row order, coordinates with
// six decimals. A point also carries
// - <ele>: the row's altitude entry, when the row's "$GPGGA" line has a fix
//   (quality above 0) and a number as its altitude;
// - <time>: the UTC time and date of the row's "$GPRMC" line (AppendGpxTime),
//   when both are valid.
// `text` is the sidecar the table was loaded from, as text mode delivers it.
// `name` (the sidecar's file name) names the track; left out when it is not
// UTF-8 text.
std::string MakeGpx(const CTelemetryTable& table, std::string_view text, std::string_view name);

enum class GpxResult { ok, cannot_read, same_file, cannot_write };

// Reads the sidecar again (the table holds no times) and writes MakeGpx of it
// to `path`, with LF line ends. Nothing is left at `path` when writing fails,
// and a `path` that names the sidecar itself is refused.
GpxResult WriteGpxFile(const std::string& path, const std::string& sidecar,
                       const CTelemetryTable& table);
