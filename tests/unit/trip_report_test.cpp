// telemetry-dump --trips: the options, UTC texts, the report's lines and a folder read.
#include "tools/trip_report.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/trip_index.h"
#include "tests/unit/test_files.h"
#include "tools/demo/demo_drive.h"
#include "tools/telemetry_report.h"

TEST(TripReport, UtcTexts) {
  const struct {
    int64_t utc;
    const char* text;
  } kCases[] = {{0, "1970-01-01T00:00:00Z"},          {-1, "1969-12-31T23:59:59Z"},
                {951782400, "2000-02-29T00:00:00Z"},  {1716002100, "2024-05-18T03:15:00Z"},
                {4102444799, "2099-12-31T23:59:59Z"}};
  for (const auto& c : kCases) EXPECT_EQ(UtcText(c.utc), c.text) << c.utc;
}

TEST(TripReport, TheTripsOption) {
  const struct {
    std::vector<std::string> args;
    bool ok;
  } kCases[] = {{{"--trips", "D"}, true},
                {{"--trips"}, false},
                {{"--trips", "D", "x.nmea"}, false}};
  for (const auto& c : kCases) {
    DumpOptions options;
    std::string error;
    EXPECT_EQ(ParseDumpArgs(c.args, options, error), c.ok) << c.args.size();
    if (c.ok) {
      EXPECT_EQ(options.strTripsDir, "D");
    }
  }
}

TEST(TripReport, TripsThenTheirClips) {
  ClipFacts a, ar, b;
  a.strName = "A.MP4";
  a.nStart = 1716002100;
  a.nEnd = a.nStart + 60;
  a.source = ClipTimeSource::kGps;
  a.dKm = 0.44;
  a.events.resize(2);
  ar = a;
  ar.strName = "AR.MP4";
  b.strName = "B.MP4";
  b.nEnd = a.nEnd + 7200;
  b.nStart = b.nEnd - 60;
  TripIndex index;
  index.Build({a, ar, b}, 0);
  std::string out;
  AppendTripReport(index, out);
  EXPECT_EQ(out,
            "trips 2 clips 3\n"
            "trip 1 first A.MP4 last A.MP4\n"
            "  start 2024-05-18T03:15:00Z (gps) end 2024-05-18T03:16:00Z (gps)\n"
            "  length 00:01:00 km 0.4 clips 1\n"
            "  clip A.MP4 2024-05-18T03:15:00Z 2024-05-18T03:16:00Z gps events 2\n"
            "  clip AR.MP4 2024-05-18T03:15:00Z 2024-05-18T03:16:00Z gps events 2\n"
            "trip 2 first B.MP4 last B.MP4\n"
            "  start 2024-05-18T05:15:00Z (file, length unknown (60 s)) end "
            "2024-05-18T05:16:00Z (file, length unknown (60 s))\n"
            "  length 00:01:00 km 0.0 clips 1\n"
            "  clip B.MP4 2024-05-18T05:15:00Z 2024-05-18T05:16:00Z file, length unknown (60 s) "
            "events 0\n");
}

TEST(TripReport, AFolderOfClipsAndOneThatCannotBeRead) {
  ScratchDir dir;
  demo::DemoDriveOptions options;
  options.seconds = 60;
  dir.Write("B.MP4", "");
  dir.Write("A.MP4", "");
  dir.Write("A.nmea", demo::MakeDemoSidecar(options));
  options.minute = 16;
  dir.Write("B.nmea", demo::MakeDemoSidecar(options));
  dir.Write("notes.txt", "not a clip");
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  ASSERT_NE(out, nullptr);
  ASSERT_NE(err, nullptr);
  EXPECT_EQ(RunTripDump(dir.Path(), out, err), 0);
  EXPECT_EQ(RunTripDump(dir.Path() + "missing", out, err), 1);
  std::string text(4096, '\0'), message(256, '\0');
  std::rewind(out);
  text.resize(std::fread(&text[0], 1, text.size(), out));
  std::rewind(err);
  message.resize(std::fread(&message[0], 1, message.size(), err));
  std::fclose(out);
  std::fclose(err);
  EXPECT_EQ(text.substr(0, text.find("  start")),
            "trips 1 clips 2\ntrip 1 first A.MP4 last B.MP4\n");
  EXPECT_NE(text.find("  clip B.MP4 2024-05-18T03:16:00Z 2024-05-18T03:17:00Z gps events 1"),
            std::string::npos);
  EXPECT_EQ(message, "telemetry-dump: cannot read the folder " + dir.Path() + "missing\n");
}
