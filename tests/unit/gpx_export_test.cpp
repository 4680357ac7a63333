#include "tools/gpx_export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "telemetry/telemetry_store.h"
#include "telemetry/text_file.h"
#include "test_files.h"
#include "tools/gpx_time.h"
#include "tools/telemetry_report.h"

namespace {

std::string Translated(std::string bytes) {
  bytes.resize(textfile::TextModeTranslate(bytes.data(), bytes.size(), &bytes[0]));
  return bytes;
}

std::string Gpx(const std::string& bytes, const std::string& name = "") {
  CTelemetryStore store;
  store.LoadTelemetryBytes(bytes, 0);
  return MakeGpx(store.Table(), Translated(bytes), name);
}

std::string Points(const std::string& gpx) {
  const size_t from = gpx.find("<trkseg>\n") + 9;
  return gpx.substr(from, gpx.find("    </trkseg>") - from);
}

int Dump(const std::vector<std::string>& args, std::string& err) {
  DumpOptions options;
  if (!ParseDumpArgs(args, options, err)) return 2;
  std::FILE* out = std::tmpfile();
  std::FILE* errFile = std::tmpfile();
  const int status = RunDump(options, out, errFile);
  std::rewind(errFile);
  char buf[512];
  err.assign(buf, std::fread(buf, 1, sizeof buf, errFile));
  std::fclose(out);
  std::fclose(errFile);
  return status;
}

// Four seconds: south-west with decimals in the time and an altitude below
// the sea; no fix; 30 February; a "$GPGGA" line with an empty altitude.
const char kFourSeconds[] =
    "$GSENSOR,0,0,1000\r\n"
    "$GPRMC,235959.50,A,3539.1234,S,13945.0000,W,0.0,0.0,311223,,,A*00\r\n"
    "$GPGGA,235959,3539.1234,S,13945.0000,W,1,08,1.0,-12.5,M,0,M,,*00\r\n"
    "$GPRMC,000000.000,V,,,,,,,010124,,,N*00\r\n$GPGGA,,,,,,0,00,,,M,,M,,*00\r\n"
    "$GPRMC,000001,A,4800.0000,N,01100.0000,E,0,0,300224,,,A*00\r\n"
    "$GPGGA,000001,4800.0000,N,01100.0000,E,1,08,1.0,45,M,0,M,,*00\r\n"
    "$GPRMC,000002.000,A,4800.0000,N,01100.0000,E,0,0,010324,,,A*00\r\n"
    "$GPGGA,000002,4800.0000,N,01100.0000,E,1,08,1.0,,M,0,M,,*00\r\n";

}  // namespace

TEST(GpxExport, OnePointPerSecondWithAFixAndOnlyValidValues) {
  EXPECT_EQ(Gpx(kFourSeconds, "a&b <clip>.nmea"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gpx version=\"1.1\" creator=\"telemetry-dump\" "
            "xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
            "  <trk>\n    <name>a&amp;b &lt;clip&gt;.nmea</name>\n    <trkseg>\n"
            "      <trkpt lat=\"-35.652057\" lon=\"-139.750000\"><ele>-12.500000</ele>"
            "<time>2023-12-31T23:59:59.5Z</time></trkpt>\n"
            "      <trkpt lat=\"48.000000\" lon=\"11.000000\"><ele>45.000000</ele></trkpt>\n"
            "      <trkpt lat=\"48.000000\" lon=\"11.000000\">"
            "<time>2024-03-01T00:00:02Z</time></trkpt>\n"
            "    </trkseg>\n  </trk>\n</gpx>\n");
  EXPECT_EQ(Gpx(kFourSeconds, "\xff.nmea").find("<name>"), std::string::npos);  // not UTF-8
}

// Row k is the k-th line the parser makes a position record of: a comment or a
// cut line naming GPRMC is no row (a comma at the end adds no field), a line
// with too many fields is a row without fix. Altitude rows are counted the
// same way among the "$GPGGA" lines.
TEST(GpxExport, EachRowTakesTheTimeAndAltitudeOfItsOwnLines) {
  const std::string gpx =
      Gpx("# signal loss with $GPGGA and $GPRMC\n$GPRMC,100000,A,4800.0000,N,01100.0000,E,0,0,\n"
          "$PGRMC,100001,A,4800.0000,N,01100.0000,E,0,0,010124,,,A\n"
          "$GPRMC,100002,A,4800.0000,N,01100.0000,E,0,0,010124,,,A,V,x,y\n"
          "$GPGGA,100002,4800.0000,N,01100.0000,E,1,08,1.0,1.0,M\n"
          "$GPRMC,100003,A,4800.0000,N,01100.0000,E,0,0,010124,\n"
          "$GPGGA,100003,4800.0000,N,01100.0000,E,1,08,1.0,2.0,M\n"
          "$GPRMC,100004,A,4900.0000,N,18000.0000,E,0,0,010124*00\n"
          "$GPGGA,100004,4900.0000,N,18000.0000,E,0,00,1.0,3.0,M\n");
  EXPECT_EQ(Points(gpx),
            "      <trkpt lat=\"48.000000\" lon=\"11.000000\"><ele>2.000000</ele>"
            "<time>2024-01-01T10:00:03Z</time></trkpt>\n"
            // no altitude without the "$GPGGA" fix; 180 degrees east is written as west
            "      <trkpt lat=\"49.000000\" lon=\"-180.000000\">"
            "<time>2024-01-01T10:00:04Z</time></trkpt>\n");
}

TEST(GpxExport, TimesAreIsoUtcOrNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"120000.000", "290224"}, {"120000.250", "010199"}, {"235960", "010124"},
      {"240000", "010124"},     {"120000", "290223"},     {"120000", "010124*6A"},
      {"12000", "010124"},      {"120000.5x", "010124"},  {"120000", "0101245"}};
  std::string out;
  for (const auto& [time, date] : cases) {
    if (!AppendGpxTime(out, time, date)) out += "-";
    out += " ";
  }
  EXPECT_EQ(out, "2024-02-29T12:00:00Z 1999-01-01T12:00:00.25Z - - - 2024-01-01T12:00:00Z - - - ");
}

TEST(GpxExport, ExitStatusAndMessages) {
  ScratchDir dir;
  const std::string sidecar = dir.Write("clip.nmea", kFourSeconds);
  std::string err;
  EXPECT_EQ(Dump({"--gpx", dir.Path() + "r.gpx", sidecar}, err), 0);
  EXPECT_EQ(ReadAll(dir.Path() + "r.gpx"), Gpx(kFourSeconds, "clip.nmea"));
  EXPECT_EQ(Dump({"--gpx", dir.Path() + "m.gpx", sidecar, dir.Path() + "none.nmea"}, err), 1);
  EXPECT_NE(err.find("cannot read " + dir.Path() + "none.nmea; no GPX file written"),
            std::string::npos);
  EXPECT_EQ(Dump({"--gpx", dir.Path() + "no/such/r.gpx", sidecar}, err), 1);
  EXPECT_NE(err.find("cannot write the GPX file"), std::string::npos);
  EXPECT_EQ(Dump({"--gpx", sidecar, sidecar}, err), 1);
  EXPECT_EQ(ReadAll(sidecar), kFourSeconds);  // never written over
  EXPECT_EQ(Dump({"--gpx", "", sidecar}, err), 2);
  EXPECT_EQ(Dump({sidecar, "--gpx"}, err), 2);
}
