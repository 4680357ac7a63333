// A file's last-write time as the local calendar time the camera's clock showed.
#pragma once

#include <windows.h>

#include <ctime>

// False when the time cannot be converted.
inline bool LocalWriteTime(const FILETIME& written, std::tm& local) {
  SYSTEMTIME utc, here;
  if (!FileTimeToSystemTime(&written, &utc) || !SystemTimeToTzSpecificLocalTime(NULL, &utc, &here))
    return false;
  std::tm fields{};
  fields.tm_year = here.wYear - 1900;
  fields.tm_mon = here.wMonth - 1;
  fields.tm_mday = here.wDay;
  fields.tm_hour = here.wHour;
  fields.tm_min = here.wMinute;
  fields.tm_sec = here.wSecond;
  fields.tm_isdst = -1;
  local = fields;
  return true;
}
