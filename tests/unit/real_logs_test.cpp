// Real receiver logs, raw and turned into sidecars; expected values worked out
// by hand from the quoted sentences.
#include <gtest/gtest.h>

#include <fstream>

#include "map/route_file.h"
#include "telemetry/telemetry_store.h"

namespace {

std::string RawLog(const char* name) { return std::string(REAL_NMEA_DIR) + "/" + name; }
std::string Sidecar(const char* name) { return std::string(REAL_SIDECAR_DIR) + "/" + name; }

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

std::string At(const CTelemetryStore& s, TelemetryColumnId id, int64_t row) {
  std::string e = "<none>";
  s.Table().Column(id).Get(row, e);
  return e;
}

int64_t FirstFixRow(const CTelemetryStore& s) {
  for (int64_t r = 0; r < static_cast<int64_t>(s.Table().Column(kColFix).Count()); ++r)
    if (At(s, kColFix, r) == "1") return r;
  return -1;
}

#define REQUIRE_FILE(path) ASSERT_TRUE(Exists(path)) << "missing: " << path

}  // namespace

TEST(RealLogs, SwissMotorwayRawLogIsReadPastItsNulByte) {
  const std::string path = RawLog("genivi_20100403_Z205_Switzerland.lines24884-28102.txt");
  REQUIRE_FILE(path);
  CTelemetryStore s;
  ASSERT_TRUE(s.LoadTelemetry(path, 1, 0));
  EXPECT_EQ(s.Table().Column(kColFix).Count(),
            855u);  // all of them, not only the 55 before the NUL
  EXPECT_EQ(s.Table().Column(kColAltitude).Count(), 214u);
  // $GPRMC,131322.000,A,4618.8533,N,00656.4605,E,0.00,,030410,,,A*72 (empty course)
  EXPECT_EQ(At(s, kColLatitude, 0), "46.314222");
  EXPECT_EQ(At(s, kColLongitude, 0), "6.941008");
  EXPECT_EQ(At(s, kColCourse, 0), "0.000000");
  // $GPRMC,132555.000,A,4616.7953,N,00658.1000,E,66.53,162.02,030410,,,A*5B, the 549th
  EXPECT_EQ(At(s, kColLatitude, 548), "46.279922");
  EXPECT_EQ(At(s, kColLongitude, 548), "6.968333");
  EXPECT_EQ(At(s, kColGpsSpeed, 548), "123.213560");
  EXPECT_EQ(At(s, kColCourse, 548), "162.020000");
}

TEST(RealLogs, QuectelCommentLineIsSkippedAndSouthIsNegative) {
  const std::string path = RawLog("gpsd_quectel.log");
  REQUIRE_FILE(path);
  CTelemetryStore s;
  ASSERT_TRUE(s.LoadTelemetry(path, 1, 0));
  // "# Note: Odd signal loss behavior with $GPGGA and $GPRMC." is one field naming GPRMC.
  EXPECT_EQ(s.Parser().SkippedCount(), 1);
  EXPECT_EQ(s.Table().Column(kColFix).Count(), 42u);
  // $GPRMC,022021.00,A,3644.759368,S,17444.072860,E,0.0,301.9,071020,18.3,E,A,V*6E (14 fields)
  EXPECT_EQ(At(s, kColFix, 0), "1");
  EXPECT_EQ(At(s, kColLatitude, 0), "-36.745989");
  EXPECT_EQ(At(s, kColLongitude, 0), "174.734548");
  EXPECT_EQ(At(s, kColCourse, 0), "301.900000");
}

TEST(RealLogs, SouthWestAtSpeedAsASidecar) {
  const std::string path = Sidecar("pflaf03.nmea");
  REQUIRE_FILE(path);
  CTelemetryStore s;
  ASSERT_TRUE(s.LoadTelemetry(path, 1, 60));
  EXPECT_EQ(s.SamplesPerSecond(), 5);
  EXPECT_EQ(s.Table().Column(kColFix).Count(), 60u);  // 45 seconds padded to 60
  // Ten empty no-fix seconds come first.
  EXPECT_EQ(FirstFixRow(s), 10);
  EXPECT_EQ(At(s, kColLatitude, 9), "0");
  // $GPRMC,011601,A,4852.6000,S,12323.6000,W,97.2,0.0,250504,,,A*48
  EXPECT_EQ(At(s, kColLatitude, 10), "-48.876667");
  EXPECT_EQ(At(s, kColLongitude, 10), "-123.393333");
  EXPECT_EQ(At(s, kColGpsSpeed, 10), "180.014400");
  std::string route = MakeLinePath(s.Table());
  EXPECT_EQ(std::count(route.begin(), route.end(), '{'), 29);
  EXPECT_EQ(route.find("\t{ lat: -48.876667, lng : -123.393333 },\n"), 18u);  // the first point
}

TEST(RealLogs, GarminNoFixSecondsThenFixesAsASidecar) {
  const std::string path = Sidecar("garmin25lp.nmea");
  REQUIRE_FILE(path);
  CTelemetryStore s;
  ASSERT_TRUE(s.LoadTelemetry(path, 1, 20));
  EXPECT_EQ(FirstFixRow(s), 10);
  for (int64_t r = 0; r < 10; ++r) EXPECT_EQ(At(s, kColLongitude, r), "0");  // V with coordinates
  // $GPRMC,120326,A,4221.3871,N,01322.0800,E,000.0,000.0,150305,001.4,E*77 (12 fields)
  EXPECT_EQ(At(s, kColLatitude, 10), "42.356452");
  EXPECT_EQ(At(s, kColLongitude, 10), "13.368000");
  EXPECT_EQ(At(s, kColGpsSpeed, 10), "0.000000");
  // $GPGGA,120317,4221.4394,N,01321.9948,E,0,00,,,M,,M,,*59: empty altitude reads as 0
  EXPECT_EQ(At(s, kColAltitude, 0), "0.000000");
  EXPECT_EQ(s.Table().Column(kColGSensorX).Count(), 100u);
}
