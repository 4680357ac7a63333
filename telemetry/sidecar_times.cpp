#include "telemetry/sidecar_times.h"

#include <cstring>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

int Two(const char* p) { return (p[0] - '0') * 10 + (p[1] - '0'); }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "*HH" after the body, when the line has one, must match the XOR of the body.
bool ChecksumHolds(std::string_view line) {
  const size_t star = line.find('*');
  if (star == std::string_view::npos) return true;
  if (star + 3 > line.size()) return false;
  const int high = HexValue(line[star + 1]), low = HexValue(line[star + 2]);
  if (high < 0 || low < 0) return false;
  unsigned sum = 0;
  for (size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
  return sum == static_cast<unsigned>(high * 16 + low);
}

// The comma-separated field `index` (0 is the sentence name), without the checksum.
std::string_view Field(std::string_view line, int index) {
  line = line.substr(0, line.find('*'));
  size_t at = 0;
  for (int i = 0; i < index; ++i) {
    at = line.find(',', at);
    if (at == std::string_view::npos) return {};
    ++at;
  }
  return line.substr(at, line.find(',', at) - at);
}

int DaysInMonth(int64_t year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// hhmmss[.sss] and ddmmyy; years 80 to 99 are the 1900s.
bool LineTime(std::string_view line, int64_t& seconds) {
  if (line.size() < 7 || line[0] != '$' || !IsUpper(line[1]) || line[1] == 'P' ||
      !IsUpper(line[2]) || line.compare(3, 4, "RMC,") != 0 || !ChecksumHolds(line))
    return false;
  const std::string_view time = Field(line, 1), date = Field(line, 9);
  if (time.size() < 6 || date.size() != 6) return false;
  for (size_t i = 0; i < 6; ++i)
    if (!IsDigit(time[i]) || !IsDigit(date[i])) return false;
  if (time.size() > 6 && time[6] != '.') return false;
  const int hour = Two(time.data()), minute = Two(time.data() + 2), second = Two(time.data() + 4);
  const int day = Two(date.data()), month = Two(date.data() + 2), yy = Two(date.data() + 4);
  if (hour > 23 || minute > 59 || second > 59 || month < 1 || month > 12 || day < 1) return false;
  const int64_t year = yy < 80 ? 2000 + yy : 1900 + yy;
  if (day > DaysInMonth(year, month)) return false;
  seconds = UtcSeconds(year, month, day, hour, minute, second);
  return true;
}

}  // namespace

int64_t DaysFromCivil(int64_t year, int month, int day) {
  // Years from March, so that a leap day ends its year (H. Hinnant's method).
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yoe = year - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int64_t UtcSeconds(int64_t year, int month, int day, int hour, int minute, int second) {
  return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

SidecarTimes FindSidecarTimes(std::string_view bytes) {
  SidecarTimes times;
  const size_t stop = bytes.find('\x1a');
  if (stop != std::string_view::npos) bytes = bytes.substr(0, stop);
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = at;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r' && bytes[end] != '\0')
      ++end;
    int64_t seconds = 0;
    if (end > at && bytes[at] == '$' && LineTime(bytes.substr(at, end - at), seconds)) {
      if (!times.bFound) times.nFirst = seconds;
      times.nLast = seconds;
      times.bFound = true;
    }
    at = end + 1;
  }
  return times;
}
