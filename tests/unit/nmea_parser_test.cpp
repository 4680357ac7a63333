#include "telemetry/nmea_parser.h"

#include <random>

#include "telemetry/parse_description.h"
#include "telemetry/text_file.h"

#include <gtest/gtest.h>

#include "test_files.h"
#include "trace_capture.h"

using namespace nsNMEA;

namespace {

const char kRmc[] = "$GPRMC,120000,A,3539.1234,S,13945.0000,E,10.0,90.5,020323,,,A*00";
const char kGga[] = "$GPGGA,120000,3539.1234,S,13945.0000,E,1,08,1.0,45.5,M,0,M,,*00";

template <class T>
const T& As(const CNmeaParser& p, size_t i) {
  return static_cast<const T&>(*p.Records().at(i));
}

// kRmc at another second.
std::string Rmc(int second, const char* talker = "GP") {
  std::string line = kRmc;
  return "$" + std::string(talker) + "RMC," + std::to_string(120000 + second) +
         line.substr(line.find(",A,")) + "\n";
}

std::string Join(std::initializer_list<std::string> lines, const char* eol = "\n") {
  std::string s;
  for (const auto& l : lines) s += l + eol;
  return s;
}

}  // namespace

TEST(NmeaParser, GSensorFieldForms) {
  CNmeaParser p;
  p.ParseText(Join({"$GSENSOR,12,-40,980", "$GSENSOR,3,12,-40,980", "$GSENSOR,1,2",
                    "$GSENSOR,1,2,3,4,5", "$GSENSOR,7,8,9*1F"}));
  ASSERT_EQ(p.Records().size(), 4u);
  const auto& a = As<CNmeaCmdGSENSOR>(p, 0);
  EXPECT_EQ(a.nSampleNo, -1);
  EXPECT_EQ(a.nX, 12);
  EXPECT_EQ(a.nY, -40);
  EXPECT_EQ(a.nZ, 980);
  EXPECT_EQ(a.nStatus, kStatusParsed);
  const auto& b = As<CNmeaCmdGSENSOR>(p, 1);
  EXPECT_EQ(b.nSampleNo, 3);
  EXPECT_EQ(b.nZ, 980);
  const auto& err = As<CNmeaCmdGSENSOR>(p, 2);  // six fields: in error, sample 0,0,0
  EXPECT_EQ(err.nStatus, kStatusWrongFieldCount);
  EXPECT_EQ(err.nX + err.nY + err.nZ, 0);
  EXPECT_EQ(As<CNmeaCmdGSENSOR>(p, 3).nZ, 9);  // checksum tail ignored
  EXPECT_EQ(p.SkippedCount(), 1);              // three fields: malformed, left out
  EXPECT_EQ(p.ErrorCount(), 1);
  EXPECT_EQ(p.GSensorCount(), 4);
}

TEST(NmeaParser, PositionFieldCountsAndValues) {
  const std::string nine = "$GPRMC,1,A,3539.1234,N,13945.0000,E,1,2";
  struct Case {
    std::string line;
    size_t records;
    int status;
  } cases[] = {
      {nine, 0, 0},
      {nine + ",x", 1, kStatusParsed},
      {nine + ",x,y,z", 1, kStatusParsed},
      {nine + ",x,y,z,w", 1, kStatusParsed},
      {nine + ",x,y,z,w,v", 1, kStatusParsed},
      {nine + ",x,y,z,w,v,u", 1, kStatusWrongFieldCount},
  };
  for (const Case& c : cases) {
    CNmeaParser p;
    p.ParseText(c.line);
    ASSERT_EQ(p.Records().size(), c.records) << c.line;
    if (c.records) {
      EXPECT_EQ(p.Records()[0]->nStatus, c.status) << c.line;
    }
  }

  CNmeaParser p;
  p.ParseText(kRmc);
  const auto& r = As<CNmeaCmdGPRMC>(p, 0);
  EXPECT_TRUE(r.bFix);
  EXPECT_FALSE(r.bNorth);
  EXPECT_EQ(r.strLatitude, "-35.652057");
  EXPECT_EQ(r.strLongitude, "139.750000");
  EXPECT_EQ(r.strSpeed, "18.520000");
  EXPECT_EQ(r.strCourse, "90.500000");
}

TEST(NmeaParser, HemispheresAndStatusAreExactTexts) {
  CNmeaParser p;
  p.ParseText(Join({"$GPRMC,1,V,4807.0380,N,01131.0000,W,0,0,x", "$GPRMC,2,AA,0,,0,e,0,0,x",
                    "$GPRMC,3,A,,N,,E,,,x"}));
  const auto& v = As<CNmeaCmdGPRMC>(p, 0);
  EXPECT_FALSE(v.bFix);  // status V: no fix, coordinates still converted
  EXPECT_EQ(v.strLatitude, "48.117300");
  EXPECT_EQ(v.strLongitude, "-11.516667");
  const auto& odd = As<CNmeaCmdGPRMC>(p, 1);
  EXPECT_FALSE(odd.bFix);
  EXPECT_EQ(odd.strLatitude, "-0.000000");  // empty hemisphere flips the sign, also of 0
  EXPECT_EQ(odd.strLongitude, "-0.000000");
  EXPECT_EQ(As<CNmeaCmdGPRMC>(p, 2).strSpeed, "0.000000");
}

TEST(NmeaParser, RecognitionOrderAndSkippedSentences) {
  CNmeaParser p;
  p.ParseText(Join({"$GPGSA,A,3,04,05", "$GNRMC,1,A,3539.1234,N,13945.0,E,1,2,x",
                    "$GSENSORSPEED,1,2,3", "$INDICATORSPEED,1", "$SPEED,0,40", "$SPEED,1,2,3",
                    "$SPEED,5", "$PGRMZ,646,F,2*3E $GPRMC,,V,,,,,,,,,,N*53", kGga,
                    "$GPGGA,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", "$GPGGA,1,2,3"}));
  ASSERT_EQ(p.Records().size(), 6u);
  EXPECT_EQ(p.Records()[0]->nKind, kKindPosition);  // $GNRMC
  EXPECT_EQ(p.Records()[1]->nKind, kKindGSensor);   // GSENSOR is tested before SPEED
  EXPECT_EQ(As<CNmeaCmdSPEED>(p, 2).nPulseCount, 40);
  EXPECT_EQ(As<CNmeaCmdSPEED>(p, 3).nStatus, kStatusWrongFieldCount);
  // The glued line (field 0 is $PGRMZ) is not a position line.
  EXPECT_EQ(As<CNmeaCmdGPGGA>(p, 4).strAltitude, "45.500000");
  EXPECT_EQ(As<CNmeaCmdGPGGA>(p, 5).nStatus, kStatusWrongFieldCount);
  EXPECT_EQ(As<CNmeaCmdGPGGA>(p, 5).strAltitude, "");
  EXPECT_EQ(p.SkippedCount(), 2);  // "$SPEED,5" and the three-field GPGGA
}

TEST(NmeaParser, EveryTalkerOfPositionAndAltitudeCounts) {
  struct Case {
    std::string name;
    int kind;  // 0: no record
  } cases[] = {
      {"$GPRMC", kKindPosition}, {"$GNRMC", kKindPosition}, {"$GLRMC", kKindPosition},
      {"$GARMC", kKindPosition}, {"$GBRMC", kKindPosition}, {"$BDRMC", kKindPosition},
      {"\n$GNRMC", kKindPosition},  // the LF a CR LF cut leaves at the start
      {"$GNGGA", kKindAltitude}, {"$BDGGA", kKindAltitude}, {"$GPGGA", kKindAltitude},
      {"$GNGSA", 0}, {"$GPGSA", 0},  // fix status: recognised, nothing read
      {"$PGRMC", 0},                 // a maker's own sentence, not a position
      {"$RMC", 0}, {"$G1RMC", 0}, {"$gnrmc", 0},
  };
  for (const Case& c : cases) {
    CNmeaParser p;
    p.ParseText(c.name + ",120000,A,3539.1234,N,13945.0000,E,1.0,2.0,020323,,,A*00");
    ASSERT_EQ(p.Records().size(), c.kind ? 1u : 0u) << c.name;
    if (c.kind) {
      EXPECT_EQ(p.Records()[0]->nKind, c.kind) << c.name;
    }
  }
  CNmeaParser p;
  p.ParseText("$GNRMC,120000,A,3539.1234,S,13945.0000,E,10.0,90.5,020323,,,A*00");
  EXPECT_EQ(As<CNmeaCmdGPRMC>(p, 0).strLatitude, "-35.652057");
  EXPECT_TRUE(As<CNmeaCmdGPRMC>(p, 0).bFix);
}

// A second written twice (one line per satellite system, or a repeated line)
// stays one second: the lines with the time of the line before add nothing.
TEST(NmeaParser, LinesRepeatingTheSecondBeforeMerge) {
  const std::string rmc = ",A,3539.1234,N,13945.0000,E,1.0,2.0,020323,,,A*00\n";
  const std::string gga = ",3539.1234,N,13945.0000,E,1,08,1.0,45.5,M,0,M,,*00\n";
  auto R = [&](const char* talker, const char* time) {
    return std::string("$") + talker + "RMC," + time + rmc;
  };
  auto G = [&](const char* talker, const char* time) {
    return std::string("$") + talker + "GGA," + time + gga;
  };
  struct Case {
    const char* name;
    std::string text;
    int positions, altitudes, merged;
  } cases[] = {
      {"two systems", R("GP", "1") + G("GP", "1") + R("GN", "1") + G("GN", "1"), 1, 1, 2},
      {"repeated line", R("GP", "1") + R("GP", "1") + R("GP", "2") + R("GP", "2"), 2, 0, 2},
      {"new seconds", R("GP", "1") + R("GP", "2") + G("GP", "2") + G("GP", "3"), 2, 2, 0},
      {"only the line before", R("GP", "1") + R("GP", "2") + R("GP", "1"), 3, 0, 0},
      {"empty times never merge", R("GP", "") + R("GP", "") + G("GP", "") + G("GP", ""), 2, 2,
       0},
      {"kinds apart", R("GP", "1") + G("GP", "1") + R("GP", "2") + G("GP", "1"), 2, 1, 1},
      {"malformed line: left out, not merged", R("GP", "1") + "$GPRMC,1,A\n" + R("GP", "2"), 2,
       0, 0},
  };
  for (const Case& c : cases) {
    CNmeaParser p;
    size_t reported = 0;
    p.ObserveSentences([&](bool, const CNmeaParser::Field*, size_t, bool) { ++reported; });
    p.ParseText(c.text);
    EXPECT_EQ(p.PositionCount(), c.positions) << c.name;
    EXPECT_EQ(p.AltitudeCount(), c.altitudes) << c.name;
    EXPECT_EQ(p.MergedCount(), c.merged) << c.name;
    EXPECT_EQ(p.Records().size(), static_cast<size_t>(c.positions + c.altitudes)) << c.name;
    EXPECT_EQ(reported, p.Records().size()) << c.name << ": one report per row";
  }
  // The repeated line keeps the first line's values.
  CNmeaParser p;
  p.ParseText(R("GP", "1") + "$GNRMC,1,V,0,N,0,E,0,0,020323\n");
  EXPECT_TRUE(As<CNmeaCmdGPRMC>(p, 0).bFix);
  p.ParseText("");
  EXPECT_EQ(p.MergedCount(), 0);
}

TEST(NmeaParser, BlankLinesAreSkippedWithoutLosingTheRest) {
  struct Case {
    std::string text;
    size_t records;
    int skipped;
  } cases[] = {
      {"$SPEED,0,1\n$SPEED,0,2\n", 2, 0},      // one break at the end is harmless
      {"$SPEED,0,1\n\n$SPEED,0,2\n", 2, 1},    // blank line in the middle
      {"\n$SPEED,0,1\n$SPEED,0,2", 2, 1},      // break at the very start
      {"$SPEED,0,1\n$SPEED,0,2\n\n", 2, 1},    // two breaks at the end
      {"$SPEED,0,1\r$SPEED,0,2\r\r", 2, 1},    // CR line ends
      {"$SPEED,0,1\r\n$SPEED,0,2\r\n", 2, 0},  // CR LF kept as such: cut at CR
      {"", 0, 0},
      {"$SPEED,0,1", 1, 0},
      {",", 0, 0},  // one empty field: unknown, not malformed
  };
  for (const Case& c : cases) {
    CNmeaParser p;
    p.ParseText(c.text);
    EXPECT_EQ(p.Records().size(), c.records) << c.text;
    EXPECT_EQ(p.SkippedCount(), c.skipped) << c.text;
  }
}

TEST(NmeaParser, ALongFirstLineDoesNotWipeTheSidecar) {
  // A first line cut or garbled by a power loss, longer than any sentence.
  const std::string garbled = "$GPGSA" + std::string(300, 'x');
  for (const char* end : {"\n", "\r\n", "\r"}) {
    CNmeaParser p;
    p.ParseBytes(garbled + end + "$SPEED,0,1" + end + "$SPEED,0,2" + end);
    ASSERT_EQ(p.Records().size(), 2u) << end;
    EXPECT_EQ(p.Records()[1]->nKind, kKindSpeed);
  }
}

// Seconds of `runs` G-sensor lines each, every one closed by a position line.
std::string Seconds(std::initializer_list<int> runs) {
  std::string text;
  int second = 0;
  for (int run : runs) {
    for (int i = 0; i < run; ++i) text += "$GSENSOR,1,2,3\n";
    text += Rmc(second++);
  }
  return text;
}

TEST(NmeaParser, SamplesPerSecondIsTheMostCommonCount) {
  struct Case {
    std::string text;
    int samplesPerSecond;
  } cases[] = {
      {Seconds({5, 5}), 5},
      {Seconds({5, 7, 5}), 5},       // one uneven second changes nothing
      {Seconds({5, 50, 5, 5}), 5},   // nor does a burst
      {Seconds({5, 6, 6}), 6},
      {Seconds({5, 6}), 6},          // a tie goes to the larger count
      {Seconds({0, 0, 0, 5}), 5},    // seconds without samples do not count
      {Seconds({0, 0}), 0},
      {"$GSENSOR,1,2,3\n$GSENSOR,1,2,3\n", 0},  // no position line closes a second
      {"$GSENSOR,1,2,3\n$GSENSOR,1,2,3\n$GPRMC,1,2,3\n" + Rmc(0), 2},  // a cut RMC closes nothing
  };
  for (const Case& c : cases) {
    CNmeaParser p;
    p.ParseText(c.text);
    EXPECT_EQ(p.SamplesPerSecond(), c.samplesPerSecond) << c.text;
  }
}

// Every second takes S rows whatever it holds: a short second leaves rows empty,
// a burst keeps its largest deviations from the mean, the largest first.
TEST(NmeaParser, EverySecondTakesItsOwnRows) {
  auto G = [](std::initializer_list<int> xs) {
    std::string text;
    for (int x : xs) text += "$GSENSOR," + std::to_string(x) + ",0,0\n";
    return text;
  };
  CNmeaParser p;
  // x mean of the lines 19 / 18 = 1: deviations in the burst 0 8 2 -8 4 7.
  p.ParseText(G({0, 0, 0, 0, 0}) + Rmc(0) + G({1, 9, 3, -7, 5, 8}) + Rmc(1) + Rmc(2) +
              G({0, 0, 0, 0, 0}) + Rmc(3) + G({0, 0}));
  EXPECT_EQ(p.SamplesPerSecond(), 5);
  EXPECT_EQ(p.GSensorCount(), 18);
  std::string rows;
  for (CNmeaParser::GSensorSample r : p.GSensorRows())
    rows += (rows.empty() ? "" : " ") + (r ? std::to_string(r->nX) : std::string("-"));
  EXPECT_EQ(rows, "0 0 0 0 0 9 3 -7 5 8 - - - - - 0 0 0 0 0 0 0");
  EXPECT_EQ(p.MeanX(), 1);  // of the 17 samples in the rows: 18 / 17
}

TEST(NmeaParser, MeansTruncateTowardZero) {
  CNmeaParser p;
  p.ParseText(
      "$GSENSOR,10,-1,0\n$GSENSOR,11,-2,0\n$GSENSOR,12,0,2147483647\n"
      "$GSENSOR,0,0,2147483647\n");
  EXPECT_EQ(p.MeanX(), 8);           // 33 / 4
  EXPECT_EQ(p.MeanY(), 0);           // -3 / 4
  EXPECT_EQ(p.MeanZ(), 1073741823);  // no overflow with saturated samples
  p.ParseText("$GSENSOR,10,-1,0\n$GSENSOR,11,-2,0\n$GSENSOR,12,0,0\n");
  EXPECT_EQ(p.MeanX(), 11);
  p.ParseText("$GSENSOR,0,-1,0\n$GSENSOR,0,-2,0\n");
  EXPECT_EQ(p.MeanY(), -1);
  p.ParseText("");
  EXPECT_EQ(p.MeanX(), 0);
}

TEST(NmeaParser, FilesAndTraces) {
  ScratchDir dir;
  TraceCapture traces;
  CNmeaParser p;
  EXPECT_FALSE(p.Parse(dir.Path() + "missing.nmea"));
  EXPECT_TRUE(p.Parse(dir.Write("empty.nmea", "")));
  EXPECT_TRUE(p.Records().empty());
  std::string bytes = "$GSENSOR,1,2,3\r\n$GSENSOR,1,2,3,4,5,6\r\n\r\n" + std::string(3, '\0') +
                      "$SPEED,0,7\r\n\x1a$SPEED,0,8\r\n";
  ASSERT_TRUE(p.Parse(dir.Write("mixed.nmea", bytes)));
  ASSERT_EQ(p.Records().size(), 3u);
  EXPECT_EQ(As<CNmeaCmdSPEED>(p, 2).nPulseCount, 7);  // after the NULs; Ctrl-Z ends the text
  EXPECT_EQ(
      TraceCapture::Text(),
      "ERROR : GSENSOR \x82\xcc\x83p\x83\x89\x83\x81\x81[\x83^\x90\x94\x82\xaa\x88\xe1\x82\xa4\n"
      "NMEA : 1 malformed line(s) skipped\n");
  p.Clear();
  EXPECT_TRUE(p.Records().empty());
  EXPECT_EQ(p.SkippedCount(), 0);
}

TEST(NmeaParser, RawBytesParseAsTheirTextModeReading) {
  // Sidecar-like bytes built from the pieces that matter to line ends; the
  // direct path over raw bytes must give exactly what translating first gives.
  const char* const pieces[] = {"\r\n",
                                "\n",
                                "\r",
                                "\r\r\n",
                                "\x1a",
                                "<NUL>",
                                ",",
                                "$GSENSOR,1,2,3",
                                "$SPEED,0,5",
                                "$GPRMC,1,A,4807.038,N,01131.0,E,1,2,x",
                                "$GPGGA,1,2,3,4,5,6,7,8,9.5",
                                "$GPGSA,A",
                                "7",
                                "-"};
  const std::string nul(1, '\0');
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    std::string raw;
    int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i) {
      size_t k = rng() % (sizeof pieces / sizeof pieces[0]);
      raw += k == 5 ? nul : std::string(pieces[k]);  // piece 5 stands for a NUL byte
    }
    if (round % 7 == 0) raw = std::string(rng() % 150, 'x') + raw;  // push the first break out
    std::string text(raw.size(), '\0');
    text.resize(textfile::TextModeTranslate(raw.data(), raw.size(), &text[0]));
    CNmeaParser direct, translated;
    direct.ParseBytes(raw);
    translated.ParseText(text);
    ASSERT_EQ(DescribeParse(direct), DescribeParse(translated)) << "round " << round;
  }
}
