#include "telemetry/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <limits>

using namespace numtext;

TEST(NumberText, AtoIFollowsTheRuntimeRulesAndSaturates) {
  struct Case {
    const char* text;
    int32_t expected;
  } cases[] = {
      {"980", 980},
      {"-40", -40},
      {"+7", 7},
      {"  12", 12},
      {"\t-3x", -3},
      {"980*5A", 980},
      {"", 0},
      {"-", 0},
      {"abc", 0},
      {"1.9", 1},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", -2147483647 - 1},
      {"999999999999", 2147483647},
      {"-99999999999999999999999", -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(AtoI(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumberText, AtoFReadsWhatStrtodReads) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"3539.1234", 3539.1234},
      {"-0.5", -0.5},
      {"+2", 2.0},
      {" 1e3", 1000.0},
      {"12.5*6E", 12.5},
      {"1e", 1.0},
      {".5", 0.5},
      {"5.", 5.0},
      {"", 0.0},
      {"-", 0.0},
      {"N", 0.0},
      {"0x10", 16.0},
      {"0x", 0.0},
      {"1e-400", 0.0},
  };
  for (const Case& c : cases) EXPECT_EQ(AtoF(c.text), c.expected) << '"' << c.text << '"';
  EXPECT_TRUE(std::isinf(AtoF("1e400")));
  EXPECT_LT(AtoF("-1e400"), 0.0);
  EXPECT_TRUE(std::isinf(AtoF("inf")));
  EXPECT_TRUE(std::isnan(AtoF("nan")));
  EXPECT_TRUE(std::signbit(AtoF("-0")));
}

TEST(NumberText, FixedSixDecimalsMatchesPrintf) {
  const double values[] = {0.0,
                           -0.0,
                           35.652057,
                           139.75,
                           0.1234565,
                           0.0000005,
                           1.0000005,
                           -12.3456785,
                           1e20,
                           123456789.123,
                           47.224,
                           2.5e-7,
                           std::numeric_limits<double>::max()};
  for (double v : values) {
    char expected[512];
    std::snprintf(expected, sizeof expected, "%0.6lf", v);
    EXPECT_EQ(FormatFixed6(v), expected) << v;
  }
  EXPECT_EQ(FormatFixed6(-0.0), "-0.000000");
  EXPECT_EQ(FormatFixed6(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(FormatFixed6(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(FormatFixed6(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(FormatFixed6(-std::numeric_limits<double>::quiet_NaN()), "-nan");
}

TEST(NumberText, FixedSixDecimalsAgreesWithPrintfAcrossRanges) {
  // Random bit patterns cover every exponent; scaled values cover the usual
  // telemetry magnitudes and the exact ties (k / 2^7) that must round to even.
  std::mt19937_64 rng(12345);
  char expected[512];
  for (int i = 0; i < 200000; ++i) {
    double v;
    uint64_t bits = rng();
    if (i % 3 == 0) {
      std::memcpy(&v, &bits, sizeof v);
    } else if (i % 3 == 1) {
      v = static_cast<double>(static_cast<int64_t>(bits % 2000000001) - 1000000000) / 1e6 *
          std::pow(10.0, static_cast<double>(i % 9) - 4);
    } else {
      v = static_cast<double>(static_cast<int64_t>(bits % 20000001) - 10000000) / 128.0;
    }
    if (std::isnan(v)) continue;  // C runtimes spell a NaN's sign differently
    std::snprintf(expected, sizeof expected, "%0.6lf", v);
    ASSERT_EQ(FormatFixed6(v), expected) << "bits " << bits;
  }
}

TEST(NumberText, IntegersPrintInFull) {
  EXPECT_EQ(FormatInt(-40), "-40");
  EXPECT_EQ(FormatInt(0), "0");
  EXPECT_EQ(FormatInt(4294967295LL), "4294967295");
  EXPECT_EQ(FormatInt(INT64_MIN), "-9223372036854775808");
}
