// Number conversions with the C runtime's text rules (atoi, atof, "%d", "%lf"),
// but without its undefined corners: every input gives a defined result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace numtext {

// atoi: leading white space, optional sign, decimal digits; stops at the first
// other character. Out-of-range values saturate to INT32_MIN / INT32_MAX.
int32_t AtoI(std::string_view text);

// atof: leading white space, optional sign, then a decimal or hexadecimal
// floating literal, "inf"/"infinity" or "nan"; stops at the first other character.
// Overflow gives +-infinity, underflow a zero or subnormal, as strtod does.
double AtoF(std::string_view text);

// "%d" of a (possibly 64-bit) integer.
void AppendInt(std::string& out, int64_t value);
std::string FormatInt(int64_t value);

// "%lf" and "%0.6lf": fixed notation with six decimals, correctly rounded.
void AppendFixed6(std::string& out, double value);
std::string FormatFixed6(double value);

}  // namespace numtext
