#include "telemetry/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
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
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && static_cast<unsigned char>(*p) <= ' ' && IsCSpace(*p)) ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  // Up to 18 digits cannot overflow 64 bits; past that only saturation matters.
  int64_t magnitude = 0;
  int digits = 0;
  for (; p != end && static_cast<unsigned char>(*p - '0') < 10; ++p) {
    if (digits < 18) magnitude = magnitude * 10 + (*p - '0');
    if (magnitude != 0) ++digits;
  }
  if (digits >= 18 || magnitude > INT32_MAX) return negative ? INT32_MIN : INT32_MAX;
  if (negative && magnitude == -static_cast<int64_t>(INT32_MIN)) return INT32_MIN;
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

namespace {

// Plain decimals ("3539.1234", "-12.5") with at most 15 significant digits and
// 22 decimals: mantissa / 10^k is then one correctly rounded division, the same
// value the full conversion gives. False for anything else.
bool FastDecimal(const char* p, const char* end, double& value) {
  static const double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  uint64_t mantissa = 0;
  int significant = 0, decimals = 0;
  bool any = false, dot = false;
  for (; p != end; ++p) {
    unsigned d = static_cast<unsigned char>(*p - '0');
    if (d < 10) {
      any = true;
      if (mantissa != 0 || d != 0) ++significant;
      mantissa = mantissa * 10 + d;
      if (dot) ++decimals;
      if (significant > 15 || decimals > 22) return false;
    } else if (*p == '.' && !dot) {
      dot = true;
    } else {
      break;
    }
  }
  if (!any) return false;
  // An exponent or a hexadecimal prefix needs the full conversion.
  if (p != end && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X')) return false;
  value = static_cast<double>(mantissa) / kPow10[decimals];
  return true;
}

}  // namespace

double AtoF(std::string_view text) {
  size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  double fast;
  if (FastDecimal(first, last, fast)) return negative ? -fast : fast;
  bool hex = false;
  std::chars_format format = std::chars_format::general;
  if (last - first >= 3 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X') &&
      (IsHexDigit(first[2]) || (first[2] == '.' && last - first >= 4 && IsHexDigit(first[3])))) {
    hex = true;
    format = std::chars_format::hex;
    first += 2;
  } else if (first == last || !((*first >= '0' && *first <= '9') || *first == '.' ||
                                *first == 'i' || *first == 'I' || *first == 'n' || *first == 'N')) {
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

namespace {

// 64 x 64 -> 128-bit product as (hi, lo), in portable arithmetic.
void Multiply(uint64_t a, uint64_t b, uint64_t& hi, uint64_t& lo) {
  const uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32, bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
  const uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
  const uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  lo = (mid << 32) | (ll & 0xFFFFFFFFu);
  hi = hh + (lh >> 32) + (hl >> 32) + (mid >> 32);
}

// round(|value| * 10^6) with ties to even, exactly as printf rounds, for the
// common range; false where the general routine must do it.
bool ScaledMillionths(double value, uint64_t& scaled) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  if (exponent == 0 || exponent == 0x7FF) return false;  // zero, subnormal, inf, nan
  const uint64_t mantissa = (bits & ((uint64_t(1) << 52) - 1)) | (uint64_t(1) << 52);
  const int shift = 1075 - exponent;  // |value| = mantissa / 2^shift
  if (shift < 11 || shift > 127) return false;
  uint64_t hi, lo;
  Multiply(mantissa, 1000000, hi, lo);  // below 2^73
  uint64_t quotient, rest, restHi = 0, half = 0, halfHi = 0;
  if (shift < 64) {
    quotient = (hi << (64 - shift)) | (lo >> shift);
    rest = lo & ((uint64_t(1) << shift) - 1);
    half = uint64_t(1) << (shift - 1);
  } else if (shift == 64) {
    quotient = hi;
    rest = lo;
    half = uint64_t(1) << 63;
  } else {
    quotient = hi >> (shift - 64);
    restHi = hi & ((uint64_t(1) << (shift - 64)) - 1);
    rest = lo;
    halfHi = uint64_t(1) << (shift - 65);
  }
  const bool above = restHi != halfHi ? restHi > halfHi : rest > half;
  const bool tie = restHi == halfHi && rest == half;
  scaled = quotient + ((above || (tie && (quotient & 1))) ? 1 : 0);
  return true;
}

}  // namespace

void AppendFixed6(std::string& out, double value) {
  uint64_t scaled;
  if (value == 0.0 || ScaledMillionths(value, scaled)) {
    if (value == 0.0) scaled = 0;
    static const char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char buf[32];
    char* p = buf + sizeof buf;
    uint64_t whole = scaled / 1000000;
    uint32_t fraction = static_cast<uint32_t>(scaled % 1000000);
    for (int i = 0; i < 3; ++i, fraction /= 100) {
      p -= 2;
      std::memcpy(p, kPairs + 2 * (fraction % 100), 2);
    }
    *--p = '.';
    do {
      *--p = static_cast<char>('0' + whole % 10);
      whole /= 10;
    } while (whole != 0);
    if (std::signbit(value)) *--p = '-';
    out.append(p, static_cast<size_t>(buf + sizeof buf - p));
    return;
  }
  // Everything else (huge, tiny, inf, nan): the general routine.
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
