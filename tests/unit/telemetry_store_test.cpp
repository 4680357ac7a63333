#include "telemetry/telemetry_store.h"

#include "telemetry/parse_description.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace {

std::string Col(const CTelemetryStore& s, TelemetryColumnId id) {
  const CTextColumn& c = s.Table().Column(id);
  std::string out, entry;
  for (size_t i = 0; i < c.Count(); ++i) {
    c.Get(static_cast<int64_t>(i), entry);
    out += (i ? "|" : "") + entry;
  }
  return out;
}

// Sidecar text whose seconds carry "@" (position) and "#" (altitude) for their
// time: the n-th line of each gets 120000 + n, as a camera counts its seconds.
std::string Timed(const std::string& text) {
  std::string out;
  int positions = 0, altitudes = 0;
  for (char c : text) {
    if (c == '@' || c == '#')
      out += std::to_string(120000 + (c == '@' ? positions++ : altitudes++));
    else
      out += c;
  }
  return out;
}

// One second of the camera's block: G-sensor lines, optional pulse line, RMC, GGA, GSA.
// Knots text for a speed in km/h.
std::string Kn(double kmh) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", kmh / 1.852);
  return buf;
}

std::string Second(int gsensors, const std::string& status, const std::string& knots,
                   const char* speedLine = nullptr, const char* lat = "3539.1234",
                   const char* alt = "45.5") {
  std::string s;
  for (int i = 0; i < gsensors; ++i) s += "$GSENSOR," + std::to_string(i) + ",-2,1000\r\n";
  if (speedLine) s += std::string(speedLine) + "\r\n";
  char rmc[200];
  std::snprintf(rmc, sizeof rmc, "$GPRMC,@,%s,%s,N,13945.0000,E,%s,90.0,020323,,,A*00\r\n",
                status.c_str(), lat, knots.c_str());
  s += rmc;
  s += std::string("$GPGGA,#,3539.1234,N,13945.0000,E,1,08,1.0,") + alt + ",M,0,M,,*00\r\n";
  s += "$GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1*39\r\n";
  return s;
}

struct Loaded {
  ScratchDir dir;
  CTelemetryStore store;
  bool Load(const std::string& bytes, int64_t n) {
    return store.LoadTelemetry(dir.Write("clip.nmea", Timed(bytes)), 1, n);
  }
};

}  // namespace

TEST(TelemetryStore, PaddingToTheClipLength) {
  Loaded t;
  ASSERT_TRUE(t.Load(Second(5, "A", "5.4") + Second(5, "V", "5.4"), 4));
  EXPECT_EQ(Col(t.store, kColFix), "1|0|0|0");
  EXPECT_EQ(Col(t.store, kColLatitude), "35.652057|0|0|0");
  EXPECT_EQ(Col(t.store, kColAltitude), "45.500000|45.500000|0|0");
  EXPECT_EQ(t.store.SamplesPerSecond(), 5);
  EXPECT_EQ(t.store.Table().Column(kColGSensorX).Count(), 20u);  // S x N
  std::string e;
  EXPECT_TRUE(t.store.Table().Column(kColGSensorX).Get(5, e));
  EXPECT_EQ(e, "-2");  // x 0..4, mean 2: row 5 is the first sample of second 1
  EXPECT_FALSE(t.store.Table().Column(kColGSensorX).Get(20, e));

  // More seconds than the clip: every entry kept, no padding.
  ASSERT_TRUE(t.Load(Second(5, "A", "5.4") + Second(5, "A", "5.4") + Second(5, "A", "5.4"), 2));
  EXPECT_EQ(t.store.Table().Column(kColCourse).Count(), 3u);
  EXPECT_EQ(t.store.Table().Column(kColGSensorZ).Count(), 15u);
}

TEST(TelemetryStore, EmptyListsLeaveTheirColumnsEmpty) {
  Loaded t;
  ASSERT_TRUE(t.Load("$GSENSOR,1,1,1\r\n$GSENSOR,1,1,1\r\n", 10));  // no RMC, no GGA
  EXPECT_EQ(t.store.Table().Column(kColFix).Count(), 0u);
  EXPECT_EQ(t.store.Table().Column(kColAltitude).Count(), 0u);
  EXPECT_EQ(Col(t.store, kColGSensorX), "0|0");  // all equal: deviations are 0; S is 0
  EXPECT_TRUE(t.Load("", 10));                   // empty sidecar: route due, table empty
  for (TelemetryColumnId id : CTelemetryTable::Ids())
    EXPECT_EQ(t.store.Table().Column(id).Count(), 0u);
}

TEST(TelemetryStore, MissingSidecarEmptiesTheTableAndKeepsTheClipWideValues) {
  Loaded t;
  ASSERT_TRUE(t.Load(Second(6, "A", Kn(40), "$SPEED,0,28"), 1));
  EXPECT_EQ(t.store.SamplesPerSecond(), 6);
  EXPECT_EQ(t.store.PulseDivisor(), 4);
  EXPECT_FALSE(t.store.LoadTelemetry(t.dir.Path() + "clip.nmea", 0, 5));
  for (TelemetryColumnId id : CTelemetryTable::Ids())
    EXPECT_EQ(t.store.Table().Column(id).Count(), 0u);
  EXPECT_EQ(t.store.SamplesPerSecond(), 6);
  // A sidecar without G-sensor lines keeps S as well.
  ASSERT_TRUE(t.Load(Second(0, "A", "5.4"), 1));
  EXPECT_EQ(t.store.SamplesPerSecond(), 6);
  EXPECT_EQ(t.store.PulseDivisor(), 4);
  // Flag set but the file is gone: parsed as nothing, route still due.
  EXPECT_TRUE(t.store.LoadTelemetry(t.dir.Path() + "gone.nmea", 1, 3));
  EXPECT_EQ(t.store.Table().Column(kColFix).Count(), 0u);
}

// Fifty lines in the second of an impact, five in the others (one second lost a
// line): every second keeps its own rows, the impact keeps its peak in its first
// row, and the means weigh it like any other second.
TEST(TelemetryStore, ABurstOfSamplesMovesNoOtherSecond) {
  auto G = [](std::initializer_list<int> xs) {
    std::string text;
    for (int x : xs) text += "$GSENSOR," + std::to_string(x) + ",0,1000\r\n";
    return text;
  };
  std::string impact;
  for (int i = 0; i < 50; ++i) impact += G({i == 31 ? 3000 : 1000});
  Loaded t;
  ASSERT_TRUE(t.Load(G({0, 0, 0, 0, 0}) + Second(0, "A", "1") + impact + Second(0, "A", "1") +
                         G({0, 0, 0, 0, 0}) + Second(0, "A", "1") + G({0, 0, 0, 0}) +
                         Second(0, "A", "1") + G({0, 0, 0, 0, 0}) + Second(0, "A", "1"),
                     6));
  EXPECT_EQ(t.store.SamplesPerSecond(), 5);
  // Kept: 3000 and four of 1000 among 24 samples, mean 291.
  EXPECT_EQ(t.store.Parser().MeanX(), 291);
  const std::string x = Col(t.store, kColGSensorX);
  EXPECT_EQ(x,
            "-291|-291|-291|-291|-291|2709|709|709|709|709|-291|-291|-291|-291|-291|"
            "-291|-291|-291|-291|0|-291|-291|-291|-291|-291|0|0|0|0|0");
  EXPECT_EQ(t.store.Table().Column(kColGSensorZ).Count(), 30u);
}

// Multi-system receivers: their talker, and the same second written twice.
TEST(TelemetryStore, EachSecondIsOneRowWhateverTheTalker) {
  std::string gn, doubled;
  for (int i = 0; i < 4; ++i) {
    std::string second = Second(5, "A", "5.4");
    for (size_t at; (at = second.find("$GP")) != std::string::npos;) second.replace(at, 3, "$GN");
    gn += second;
    // The same UTC second from GPS and from the combined solution.
    const std::string time = std::to_string(120000 + i);
    doubled += Second(5, "A", "5.4");
    doubled += "$GNRMC," + time + ",A,3540.0000,N,13946.0000,E,5.4,90.0,020323,,,A*00\r\n";
    doubled += "$GNGGA," + time + ",3540.0000,N,13946.0000,E,1,08,1.0,99.0,M,0,M,,*00\r\n";
  }
  struct Case {
    const char* name;
    std::string sidecar;
  } cases[] = {{"GN talker", gn}, {"second written twice", doubled}};
  for (const Case& c : cases) {
    Loaded t;
    ASSERT_TRUE(t.Load(c.sidecar, 10));
    EXPECT_EQ(Col(t.store, kColFix), "1|1|1|1|0|0|0|0|0|0") << c.name;
    EXPECT_EQ(Col(t.store, kColLatitude).substr(0, 20), "35.652057|35.652057|") << c.name;
    EXPECT_EQ(Col(t.store, kColAltitude).substr(0, 20), "45.500000|45.500000|") << c.name;
    EXPECT_EQ(t.store.Table().Column(kColAltitude).Count(), 10u) << c.name;
    EXPECT_EQ(t.store.SamplesPerSecond(), 5) << c.name;
    EXPECT_EQ(t.store.Table().Column(kColGSensorX).Count(), 50u) << c.name;
  }
}

TEST(TelemetryStore, PulseSpeedAndTheNoFixSecond) {
  Loaded t;
  ASSERT_TRUE(t.Load(Second(5, "V", "0", "$SPEED,0,100") + Second(5, "A", "0", "$SPEED,1,50") +
                         Second(5, "A", "0", "$SPEED,0,10"),
                     3));
  EXPECT_EQ(Col(t.store, kColFix), "0|1|1");
  EXPECT_EQ(Col(t.store, kColGpsSpeed), "0|0.000000|0.000000");
  EXPECT_EQ(Col(t.store, kColCourse), "0|90.000000|90.000000");
  // 100 / (637/3600); then +50; then a sequence value of 0 restarts the total.
  EXPECT_EQ(Col(t.store, kColPulseSpeed), "565.149137|847.723705|56.514914");
}

TEST(TelemetryStore, PulseDivisorDetection) {
  struct Case {
    const char* name;
    std::string sidecar;
    int divisor;
  } cases[] = {
      // At 40 km/h, 28 pulses predict 39.6 km/h with k = 4.
      {"k4", Second(5, "A", Kn(40), "$SPEED,0,28"), 4},
      {"k2", Second(5, "A", Kn(40), "$SPEED,0,14"), 2},
      {"k8", Second(5, "A", Kn(40), "$SPEED,0,57"), 8},
      {"k25", Second(5, "A", Kn(40), "$SPEED,0,177"), 25},
      {"slow", Second(5, "A", "5.394168466522678", "$SPEED,0,7"), -1},
      {"zero pulses", Second(5, "A", Kn(40), "$SPEED,0,0"), -1},
      {"no fix", Second(5, "V", Kn(40), "$SPEED,0,28"), -1},
      {"first decides",
       Second(5, "A", Kn(40), "$SPEED,0,14") + Second(5, "A", Kn(40), "$SPEED,0,28") +
           Second(5, "A", Kn(40), "$SPEED,0,28"),
       2},
  };
  for (const auto& c : cases) {
    Loaded t;
    t.Load(c.sidecar, 0);
    EXPECT_EQ(t.store.PulseDivisor(), c.divisor) << c.name;
  }
  // Exactly 10.0 km/h (these knots times 1.852 give 10.0 exactly) qualifies.
  Loaded t;
  t.Load(Second(5, "A", "5.399568034557235", "$SPEED,0,7"), 0);
  EXPECT_EQ(t.store.PulseDivisor(), 4);
  // Once found, a later clip does not detect again.
  t.Load(Second(5, "A", Kn(40), "$SPEED,0,177"), 0);
  EXPECT_EQ(t.store.PulseDivisor(), 4);
}

TEST(TelemetryStore, HugeNumbersStayDefined) {
  Loaded t;
  std::string s = "$SPEED,0,2147483647\r\n$SPEED,1,2147483647\r\n$SPEED,1,2147483647\r\n" +
                  Second(1, "A", "1e300") + "$GSENSOR,999999999999,-999999999999,0\r\n" +
                  Second(0, "A", "1", nullptr, "1e400");
  ASSERT_TRUE(t.Load(s, 2));
  std::string e;
  t.store.Table().Column(kColPulseSpeed).Get(0, e);
  EXPECT_EQ(e, "36409455867.503929");  // 3 x INT32_MAX, no wrap
  t.store.Table().Column(kColLatitude).Get(1, e);
  EXPECT_EQ(e, "inf");
  t.store.Table().Column(kColGSensorX).Get(1, e);
  EXPECT_EQ(e, "1073741824");            // INT32_MAX minus a mean of (0 + INT32_MAX) / 2
  EXPECT_EQ(t.store.PulseDivisor(), 2);  // the nearest prediction to an absurd speed
}

TEST(TelemetryStore, PadsFromMemoryTooAndCapsAbsurdLengths) {
  CTelemetryStore s;
  s.LoadTelemetryBytes(Timed(Second(5, "A", "1")), 1LL << 40);
  EXPECT_EQ(s.Table().Column(kColFix).Count(), 1000000u);
  s.LoadTelemetryBytes(Timed(Second(5, "A", "1")), -5);
  EXPECT_EQ(s.Table().Column(kColFix).Count(), 1u);
}

TEST(TelemetryStore, ReusedMemoryGivesTheSameTableAsAFreshOwner) {
  // Successive loads reuse the record and column memory of earlier ones.
  std::string longer, shorter;
  for (int i = 0; i < 400; ++i) longer += Second(5, i % 7 ? "A" : "V", Kn(40 + i % 30), "$SPEED,0,28");
  for (int i = 0; i < 3; ++i) shorter += Second(6, "A", Kn(12), "$SPEED,1,3");
  CTelemetryStore reused, fresh;
  reused.LoadTelemetryBytes(Timed(longer), 500);
  reused.LoadTelemetryBytes(Timed(shorter), 10);
  fresh.LoadTelemetryBytes(Timed(shorter), 10);
  for (TelemetryColumnId id : CTelemetryTable::Ids()) {
    const CTextColumn& a = reused.Table().Column(id);
    const CTextColumn& b = fresh.Table().Column(id);
    ASSERT_EQ(a.Count(), b.Count()) << id;
    std::string ea, eb;
    for (size_t r = 0; r < a.Count(); ++r) {
      a.Get(static_cast<int64_t>(r), ea);
      b.Get(static_cast<int64_t>(r), eb);
      ASSERT_EQ(ea, eb) << id << " row " << r;
    }
  }
  EXPECT_EQ(DescribeParse(reused.Parser()), DescribeParse(fresh.Parser()));
  reused.LoadTelemetryBytes(Timed(longer), 500);
  EXPECT_EQ(reused.Table().Column(kColGSensorX).Count(), 2500u);
}
