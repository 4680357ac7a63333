#include "telemetry/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace numtext {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

size_t SkipSpace(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  return i;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// from_chars leaves the value untouched when it is out of range; strtod on a
// bounded copy tells overflow (inf) from underflow (0 or subnormal) exactly.
double OutOfRange(const char* first, const char* last, bool negative, bool hex) {
  std::string copy;
  copy.reserve(static_cast<size_t>(last - first) + 3);
  if (hex) copy += "0x";
  copy.append(first, last);
  double v = std::strtod(copy.c_str(), nullptr);
  return negative ? -v : v;
}

}  // namespace

int32_t AtoI(std::string_view text) {
  size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate as a negative number so INT32_MIN is reachable; saturate early.
  const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) {
      magnitude = limit;
      // keep consuming digits without growing
      for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      }
      break;
    }
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

double AtoF(std::string_view text) {
  size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  bool hex = false;
  std::chars_format format = std::chars_format::general;
  if (last - first >= 3 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X') &&
      (IsHexDigit(first[2]) || (first[2] == '.' && last - first >= 4 && IsHexDigit(first[3])))) {
    hex = true;
    format = std::chars_format::hex;
    first += 2;
  } else if (first == last || !((*first >= '0' && *first <= '9') || *first == '.' ||
                                *first == 'i' || *first == 'I' || *first == 'n' ||
                                *first == 'N')) {
    return 0.0;  // "-" alone, "+x": no number at all
  }
  double value = 0.0;
  std::from_chars_result r = std::from_chars(first, last, value, format);
  if (r.ec == std::errc::result_out_of_range) return OutOfRange(first, r.ptr, negative, hex);
  if (r.ec != std::errc()) return 0.0;
  return negative ? -value : value;
}

void AppendInt(std::string& out, int64_t value) {
  char buf[24];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

std::string FormatInt(int64_t value) {
  std::string s;
  AppendInt(s, value);
  return s;
}

void AppendFixed6(std::string& out, double value) {
  // The largest double in fixed notation has 309 integer digits.
  char buf[400];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
  out.append(buf, r.ptr);
}

std::string FormatFixed6(double value) {
  std::string s;
  AppendFixed6(s, value);
  return s;
}

}  // namespace numtext
