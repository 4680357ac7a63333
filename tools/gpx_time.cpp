#include "tools/gpx_time.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Two digits at text[at] as a number, or -1.
int TwoDigits(std::string_view text, size_t at) {
  if (text.size() < at + 2 || !IsDigit(text[at]) || !IsDigit(text[at + 1])) return -1;
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

int DaysInMonth(int month, int year) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

void AppendTwo(std::string& out, int value) {
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

// The decimals after hhmmss: "" or "." and digits. Sets the ones to keep.
bool Decimals(std::string_view rest, std::string_view& kept) {
  kept = {};
  if (rest.empty()) return true;
  if (rest[0] != '.') return false;
  for (size_t i = 1; i < rest.size(); ++i)
    if (!IsDigit(rest[i])) return false;
  size_t last = rest.size();
  while (last > 1 && rest[last - 1] == '0') --last;
  if (last > 1) kept = rest.substr(0, last);
  return true;
}

}  // namespace

bool AppendGpxTime(std::string& out, std::string_view time, std::string_view date) {
  const int hour = TwoDigits(time, 0), minute = TwoDigits(time, 2), second = TwoDigits(time, 4);
  std::string_view decimals;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      !Decimals(time.substr(6), decimals))
    return false;
  date = date.substr(0, date.find('*'));
  const int day = TwoDigits(date, 0), month = TwoDigits(date, 2), yy = TwoDigits(date, 4);
  if (date.size() != 6 || day < 1 || month < 1 || month > 12 || yy < 0) return false;
  const int year = yy >= 80 ? 1900 + yy : 2000 + yy;
  if (day > DaysInMonth(month, year)) return false;
  AppendTwo(out, year / 100);
  AppendTwo(out, year % 100);
  for (int part : {month, day}) {
    out += '-';
    AppendTwo(out, part);
  }
  out += 'T';
  AppendTwo(out, hour);
  for (int part : {minute, second}) {
    out += ':';
    AppendTwo(out, part);
  }
  out.append(decimals.data(), decimals.size());
  out += 'Z';
  return true;
}
