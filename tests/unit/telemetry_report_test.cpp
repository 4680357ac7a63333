#include "tools/telemetry_report.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "map/map_page.h"
#include "test_files.h"

namespace {

struct DumpRun {
  int status;
  std::string out, err;
};

DumpRun Dump(const std::vector<std::string>& args) {
  DumpOptions o;
  std::string error;
  if (!ParseDumpArgs(args, o, error)) return {2, "", error};
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  DumpRun r{RunDump(o, out, err), "", ""};
  for (auto [f, s] : {std::pair<std::FILE*, std::string*>{out, &r.out}, {err, &r.err}}) {
    std::rewind(f);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s->append(buf, n);
    std::fclose(f);
  }
  return r;
}

const char kTwoSeconds[] =
    "$GSENSOR,10,0,1000\r\n$GSENSOR,12,0,1000\r\n$SPEED,0,28\r\n"
    "$GPRMC,1,A,3539.1234,S,13945.0000,E,21.5983,90.0,020323,,,A*00\r\n"
    "$GPGGA,1,0,N,0,E,1,08,1.0,45.5,M,0,M,,*00\r\n$GPGSA,A,3*00\r\n"
    "$GSENSOR,14,0,1000\r\n$GSENSOR,16,0,1000\r\n\r\n"
    "$GPRMC,2,V,,,,,,,020323,,,N*00\r\n$GPGGA,2,,,,,0,00,,,M,,M,,*00\r\n";

}  // namespace

TEST(TelemetryDump, UsageErrors) {
  EXPECT_EQ(Dump({}).status, 2);
  EXPECT_EQ(Dump({"--length"}).status, 2);
  EXPECT_EQ(Dump({"--length", "-3", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--length", "12x", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--length", "99999999999", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--bogus", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--route"}).status, 2);
  EXPECT_EQ(Dump({"--summary"}).status, 2);
}

TEST(TelemetryDump, FullReportOfOneSidecar) {
  ScratchDir dir;
  std::string path = dir.Write("clip.nmea", kTwoSeconds);
  DumpRun r = Dump({"--length", "3", path});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(
      r.out,
      "file " + path +
          "\n"
          "samples_per_second 2\n"
          "pulse_divisor 4\n"
          "means 13 0 1000\n"
          "records gsensor=4 speed=1 position=2 altitude=2 errors=0 skipped=1 merged=0\n"
          "columns fix=3 latitude=3 longitude=3 altitude=3 gps_speed=3 course=3 pulse_speed=3 "
          "g_x=6 g_y=6 g_z=6\n"
          "second,fix,latitude,longitude,altitude,gps_speed,course,pulse_speed,g_x,g_y,g_z\n"
          "0,1,-35.652057,139.750000,45.500000,40.000052,90.000000,158.241758,-3,0,0\n"
          "1,0,0,0,0.000000,0,0,158.241758,1,0,0\n"
          "2,0,0,0,0,0,0,0,0,0,0\n");
}

TEST(TelemetryDump, SuccessiveSidecarsShareOneOwner) {
  ScratchDir dir;
  std::string a = dir.Write("a.nmea", kTwoSeconds);
  std::string b = dir.Write("b.nmea", "$GPRMC,1,A,3539.1234,N,13945.0000,E,0,0,x\n");
  std::string missing = dir.Path() + "none.nmea";
  DumpRun r = Dump({"--summary", "--route", dir.Path(), a, missing, b});
  EXPECT_EQ(r.status, 1);  // one sidecar could not be opened
  EXPECT_EQ(r.out.find("second,"), std::string::npos);
  EXPECT_NE(r.out.find("file " + missing +
                       "\nsidecar missing\nsamples_per_second 2\n"
                       "pulse_divisor 4\ncolumns fix=0 latitude=0"),
            std::string::npos);
  EXPECT_NE(r.out.find("file " + b +
                       "\nsamples_per_second 2\npulse_divisor 4\nmeans 0 0 0\n"
                       "records gsensor=0 speed=0 position=1 altitude=0 errors=0 skipped=0 merged=0\n"
                       "columns fix=1 "),
            std::string::npos);
  EXPECT_EQ(ReadAll(dir.Path() + "line_path.js"),
            "var LINE_PATH = [\r\n\t{ lat: 35.652057, lng : 139.750000 },\r\n];\r\n");
}

TEST(TelemetryDump, RowsFollowSamplesPerSecondAndFailedReadsAreEmpty) {
  ScratchDir dir;
  // Seven G-sensor lines, no position line: S stays 0 for this owner, so every
  // second reads G-sensor row 0 and only the rows of other columns count.
  std::string g = dir.Write("g.nmea",
                            "$GSENSOR,1,2,3\n$GPGGA,1,2,3,4,5,6,7,8,10\n"
                            "$GPGGA,2,2,3,4,5,6,7,8,11\n");
  DumpRun r = Dump({g});
  EXPECT_EQ(r.out.substr(r.out.find("second,")),
            "second,fix,latitude,longitude,altitude,gps_speed,course,pulse_speed,g_x,g_y,g_z\n"
            "0,,,,10.000000,,,,0,0,0\n"
            "1,,,,11.000000,,,,0,0,0\n");
  // Route requested but the last sidecar is missing: nothing to write, no file.
  DumpRun m = Dump({"--route", dir.Path(), dir.Path() + "x.nmea"});
  EXPECT_EQ(m.status, 1);
  EXPECT_EQ(ReadAll(dir.Path() + "line_path.js"), "");
  DumpRun bad = Dump({"--route", dir.Path() + "no/such/dir", g});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("cannot write"), std::string::npos);
}

TEST(TelemetryDump, MapFilesOfOneSecondBesideAnUnchangedReport) {
  ScratchDir dir;
  std::string path = dir.Write("clip.nmea", kTwoSeconds);
  DumpRun plain = Dump({"--length", "3", path});
  DumpRun r = Dump({"--length", "3", "--map", dir.Path(), "--second", "0", "--map-script",
                    "file:///stand-in/maps.js", path});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, plain.out);
  EXPECT_EQ(ReadAll(dir.Path() + "target_pos.js"),
            "var TARGET_POS = { lat: -35.652057, lng : 139.750000, update : 1 };");
  EXPECT_EQ(ReadAll(dir.Path() + "line_path.js"),
            "var LINE_PATH = [\r\n\t{ lat: -35.652057, lng : 139.750000 },\r\n];\r\n");
  const std::string page = ReadAll(dir.Path() + "GM_tmp1.html");
  EXPECT_NE(page.find("src=\"file:///stand-in/maps.js?callback=Initialize&key="),
            std::string::npos);
  EXPECT_NE(
      page.find("<script src=\"" + DoubleBackslashes(dir.Path()) + "line_path.js\"></script>\r\n"),
      std::string::npos);
  EXPECT_NE(page.find("elem.src = \"" + DoubleBackslashes(dir.Path()) + "target_pos.js\";\r\n"),
            std::string::npos);

  // Without a second, or at a second without fix: where the page starts, second
  // 0's position (its fix), with update 0.
  EXPECT_EQ(Dump({"--map", dir.Path(), "--second", "1", path}).status, 0);
  EXPECT_EQ(ReadAll(dir.Path() + "target_pos.js"),
            "var TARGET_POS = { lat: -35.652057, lng : 139.750000, update : 0 };");
  EXPECT_NE(ReadAll(dir.Path() + "GM_tmp1.html").find("/maps/api/js?callback=Initialize&key="),
            std::string::npos);
  DumpRun bad = Dump({"--map", dir.Path() + "no/such", path});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("cannot write the map files"), std::string::npos);
}

TEST(TelemetryDump, MapUsageErrors) {
  EXPECT_EQ(Dump({"--second", "3", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--map-script", "file:///x.js", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--map", "d", "--second", "-1", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--map", "d", "--map-script", "x.js\" onload=\"y", "a.nmea"}).status, 2);
  EXPECT_EQ(Dump({"--map", "d", "--map-script"}).status, 2);
}

// The end-to-end tests compare the player's texts with these lines, so they
// must be what the player's own tick makes of each second.
TEST(TelemetryDump, ReadoutsOfEachSecondAsThePlayerShowsThem) {
  ScratchDir dir;
  DumpRun r =
      Dump({"--summary", "--readouts", "--length", "2", dir.Write("clip.nmea", kTwoSeconds)});
  ASSERT_EQ(r.status, 0);
  const std::string readouts = r.out.substr(r.out.find("readouts\n"));
  const std::string position = "var TARGET_POS = { lat: -35.652057, lng : 139.750000, update : ";
  EXPECT_EQ(
      readouts,
      "readouts\nstart\t" + position +
          "0 };\n"
          // X samples 10 12 14 16 less their mean 13, the first of each second
          "0\trow\tAltitude  : 45.5 M\tLatitude  : -35.652\tLongitude : 139.750\t 40\tKPH\t \t"
          "G-Force X : 0.003 R\tG-Force Y : 0.000 R\tG-Force Z : 0.000 U\t" +
          position +
          "1 };\n"
          "1\tkept\tAltitude  : 45.5 M\tLatitude  : -35.652\tLongitude : 139.750\t  0\tKPH\t \t"
          "G-Force X : 0.001 F\tG-Force Y : 0.000 R\tG-Force Z : 0.000 U\t-\n"
          // past the table: the position file's buffers still hold second 1, no fix
          "2\tkept\tAltitude  : 45.5 M\tLatitude  : -35.652\tLongitude : 139.750\t  0\tKPH\t \t"
          "G-Force X : 0.000 F\tG-Force Y : 0.000 R\tG-Force Z : 0.000 U\t-\n");
  DumpRun missing = Dump({"--summary", "--readouts", "--length", "0", dir.Path() + "none.nmea"});
  EXPECT_NE(missing.out.find("0\tempty\tAltitude  : \tLatitude  : \tLongitude : \t  0\tKPH"),
            std::string::npos)
      << missing.out;
}

// The retry ticks themselves are the model's rule, tested there.
TEST(TelemetryDump, RetriesAndEventsAreOptions) {
  DumpOptions options;
  std::string error;
  ASSERT_TRUE(ParseDumpArgs({"--retries", "--events", "x.nmea"}, options, error)) << error;
  EXPECT_TRUE(options.bRetries);
  EXPECT_TRUE(options.bEvents);
}
