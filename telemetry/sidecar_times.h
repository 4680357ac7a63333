// When a sidecar was recorded: the receiver's own UTC time and date on its
// position lines ("$xxRMC"), the first and the last that carry both.
#pragma once

#include <cstdint>
#include <string_view>

struct SidecarTimes {
  bool bFound = false;  // at least one line with a valid time and date
  int64_t nFirst = 0;   // UTC seconds since 1970, whole seconds
  int64_t nLast = 0;
};

// Reads the raw sidecar bytes (CR LF or LF, NUL padding, a Ctrl-Z end). Lines
// of any two-letter talker count, proprietary ("$P...") ones never; a line
// whose checksum is given and wrong, or whose time or date is cut, is skipped.
SidecarTimes FindSidecarTimes(std::string_view bytes);

// Days from 1970-01-01 to that date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day);

// UTC seconds of that date and time of day.
int64_t UtcSeconds(int64_t year, int month, int day, int hour, int minute, int second);
