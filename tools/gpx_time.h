// The UTC time of a "$GPRMC" line as a GPX point carries it.
#pragma once

#include <string>
#include <string_view>

// Appends "YYYY-MM-DDThh:mm:ssZ" made from the line's time field (hhmmss with
// optional decimals, kept without their trailing zeros: "hh:mm:ss.5Z") and its
// date field (ddmmyy; years 80 to 99 are 1980 to 1999, the rest 2000 to 2079;
// a checksum "*hh" after it is ignored). Returns false and appends nothing when
// either field is empty or not a real time or date (a leap second 60 counts
// as not real: a GPX time cannot hold it).
bool AppendGpxTime(std::string& out, std::string_view time, std::string_view date);
