#include "tools/demo/demo_drive.h"

#include "telemetry/nmea_parser.h"
#include "telemetry/nmea_records.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using demo::DemoDriveOptions;
using demo::DemoEvent;
using demo::DemoEventKind;

struct Second {
  std::vector<std::array<int, 3>> g;  // as written: x, y, z
  int pulses = -1;
  const nsNMEA::CNmeaCmdGPRMC* rmc = nullptr;
  std::vector<std::string> rmcFields, ggaFields;  // as the parser split them
};

// The drive as the player's parser reads it: one second per position record,
// with the sensor and speed records before it and the fields of its position
// and altitude lines.
class ParsedDrive {
 public:
  explicit ParsedDrive(const std::string& text) {
    std::vector<std::vector<std::string>> rmc, gga;
    m_parser.ObserveSentences([&](bool position, const CNmeaParser::Field* f, size_t n, bool) {
      std::vector<std::string> fields;
      for (size_t i = 0; i < n; ++i) fields.emplace_back(f[i].View());
      (position ? rmc : gga).push_back(std::move(fields));
    });
    m_parser.ParseBytes(text);
    m_parser.ObserveSentences(nullptr);  // the lists above end here
    EXPECT_EQ(m_parser.SkippedCount(), 0);
    EXPECT_EQ(m_parser.ErrorCount(), 0);
    EXPECT_EQ(m_parser.MergedCount(), 0);
    Second cur;
    size_t ggaSeen = 0;
    for (const auto& record : m_parser.Records()) {
      switch (record->nKind) {
        case nsNMEA::kKindGSensor: {
          if (cur.rmc) Push(cur);
          const auto& r = static_cast<const nsNMEA::CNmeaCmdGSENSOR&>(*record);
          EXPECT_EQ(cur.pulses, -1) << "sensor line after the speed line";
          cur.g.push_back({r.nX, r.nY, r.nZ});
          break;
        }
        case nsNMEA::kKindSpeed: {
          const auto& r = static_cast<const nsNMEA::CNmeaCmdSPEED&>(*record);
          EXPECT_EQ(cur.pulses, -1) << "two speed lines in one second";
          EXPECT_EQ(r.nSequence, 0);
          cur.pulses = r.nPulseCount;
          break;
        }
        case nsNMEA::kKindPosition:
          EXPECT_EQ(cur.rmc, nullptr) << "two positions in one second";
          cur.rmc = static_cast<const nsNMEA::CNmeaCmdGPRMC*>(record.get());
          if (m_seconds.size() < rmc.size()) cur.rmcFields = rmc[m_seconds.size()];
          break;
        case nsNMEA::kKindAltitude:
          EXPECT_NE(cur.rmc, nullptr) << "altitude before the position";
          if (ggaSeen < gga.size()) cur.ggaFields = gga[ggaSeen++];
          break;
        default:
          ADD_FAILURE() << "unexpected record kind " << record->nKind;
      }
    }
    if (cur.rmc || !cur.g.empty()) Push(cur);
  }
  ParsedDrive(const ParsedDrive&) = delete;
  ParsedDrive& operator=(const ParsedDrive&) = delete;

  const std::vector<Second>& Seconds() const { return m_seconds; }
  const CNmeaParser& Parser() const { return m_parser; }

 private:
  void Push(Second& cur) {
    EXPECT_NE(cur.rmc, nullptr) << "text ends inside a second";
    EXPECT_EQ(cur.rmcFields.size(), 13u);
    EXPECT_EQ(cur.ggaFields.size(), 15u);
    if (cur.rmc && cur.rmcFields.size() == 13 && cur.ggaFields.size() == 15)
      m_seconds.push_back(cur);
    cur = Second{};
  }

  CNmeaParser m_parser;
  std::vector<Second> m_seconds;
};

// Other programs read the sidecar too: every line has its line end and a valid
// checksum in upper-case hex.
void ExpectFramedLines(const std::string& text, const std::string& eol) {
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find(eol, pos);
    ASSERT_NE(end, std::string::npos) << "last line without a line end";
    const std::string line = text.substr(pos, end - pos);
    pos = end + eol.size();
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    const size_t star = line.find('*');
    ASSERT_TRUE(line.size() > 4 && line[0] == '$' && star == line.size() - 3) << line;
    unsigned sum = 0;
    for (size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    EXPECT_EQ(line.substr(star + 1), hex) << line;
  }
}

struct Fix {
  bool valid;
  double lat, lon, kmh, course;
};

Fix FixOf(const Second& s) {
  const auto& r = *s.rmc;
  if (!r.bFix) return {false, 0, 0, 0, 0};
  return {true, r.dLatitude, r.dLongitude, r.dSpeed, r.dCourse};
}

double CourseDiff(double a, double b) {  // signed, -180..180
  double d = std::fmod(b - a + 540.0, 360.0) - 180.0;
  return d;
}

bool In(int s, const DemoEvent& e) { return s >= e.first && s <= e.last; }

// Checks that the text shows the drive its schedule describes.
void CheckDrive(const DemoDriveOptions& o) {
  SCOPED_TRACE("seconds " + std::to_string(o.seconds));
  const std::string eol = o.line_ending == demo::LineEnding::CrLf ? "\r\n" : "\n";
  const std::string text = demo::MakeDemoSidecar(o);
  ExpectFramedLines(text, eol);
  const ParsedDrive drive(text);
  const std::vector<Second>& secs = drive.Seconds();
  ASSERT_EQ(secs.size(), static_cast<std::size_t>(o.seconds));
  EXPECT_EQ(drive.Parser().SamplesPerSecond(), 5);
  const std::vector<DemoEvent> events = demo::DemoDriveSchedule(o);
  auto event_at = [&](int s, DemoEventKind kind) -> const DemoEvent* {
    for (const DemoEvent& e : events)
      if (e.kind == kind && In(s, e)) return &e;
    return nullptr;
  };
  const int along = o.lateral_on_x ? 1 : 0, across = o.lateral_on_x ? 0 : 1;

  for (int s = 0; s < o.seconds; ++s) {
    SCOPED_TRACE("second " + std::to_string(s));
    const Second& sec = secs[static_cast<std::size_t>(s)];
    const Fix fix = FixOf(sec);
    ASSERT_EQ(sec.g.size(), 5u);
    EXPECT_EQ(sec.pulses >= 0, o.pulse_lines);
    const std::vector<std::string>& rmc = sec.rmcFields;
    const std::vector<std::string>& gga = sec.ggaFields;
    EXPECT_EQ(rmc[1], gga[1]);

    // Time of day advances by one second from the start time.
    const int clock = o.hour * 3600 + o.minute * 60 + o.second + s;
    char hms[16];
    std::snprintf(hms, sizeof hms, "%02d%02d%02d.00", clock / 3600 % 24, clock / 60 % 60,
                  clock % 60);
    EXPECT_EQ(rmc[1], hms);
    EXPECT_EQ(rmc[9].size(), 6u);

    for (const auto& g : sec.g) {
      EXPECT_GT(g[2], 900);
      EXPECT_LT(g[2], 1150);
    }

    if (event_at(s, DemoEventKind::NoFix)) {
      EXPECT_FALSE(fix.valid);
      for (int i = 3; i <= 8; ++i) EXPECT_EQ(rmc[static_cast<std::size_t>(i)], "");
      EXPECT_EQ(gga[6], "0");
      EXPECT_EQ(gga[9], "");
      if (o.pulse_lines) {
        EXPECT_GT(sec.pulses, 0) << "the car keeps moving in the tunnel";
      }
      continue;
    }
    ASSERT_TRUE(fix.valid);
    EXPECT_TRUE(sec.rmc->bNorth);
    EXPECT_TRUE(sec.rmc->bEast);
    EXPECT_EQ(rmc[3].size(), 9u);
    EXPECT_EQ(rmc[5].size(), 10u);
    EXPECT_EQ(gga[6], "1");
    EXPECT_EQ(gga[10], "M");
    EXPECT_GT(std::atof(gga[9].c_str()), 20.0);
    EXPECT_NEAR(fix.lat, 35.66, 0.3);
    EXPECT_NEAR(fix.lon, 139.70, 0.3);
    EXPECT_LE(fix.kmh, 60.0);

    // Pulses fit divisor 4 (count = km/h * 637 * 4 / 3600) far better than 2 or 8.
    if (o.pulse_lines) {
      EXPECT_NEAR(sec.pulses, fix.kmh * 637 * 4 / 3600, 1.0);
    }

    const bool standing = event_at(s, DemoEventKind::Stop) || event_at(s, DemoEventKind::Parked);
    if (standing) {
      EXPECT_EQ(rmc[7], "0.00");
      if (o.pulse_lines) {
        EXPECT_EQ(sec.pulses, 0);
      }
    } else if (s > 3) {
      EXPECT_GT(fix.kmh, 4.0);
    }

    // Longitudinal: only the hard brake goes beyond -0.5 g, and it stays in -0.8..-1.0 g.
    const bool braking = event_at(s, DemoEventKind::HardBrake) != nullptr;
    for (const auto& g : sec.g) {
      if (braking) {
        EXPECT_LE(g[along], -800);
        EXPECT_GE(g[along], -1000);
      } else {
        EXPECT_GT(g[along], -500);
      }
    }

    // Lateral G only in turns, with the turn's sign.
    const DemoEvent* turn = event_at(s, DemoEventKind::Turn);
    for (const auto& g : sec.g) {
      if (turn)
        EXPECT_GT(g[across] * (turn->degrees > 0 ? 1 : -1), 120);
      else
        EXPECT_LT(std::abs(g[across]), 60);
    }

    // The next fix lies where this second's speed and course lead.
    if (s + 1 < o.seconds) {
      const Fix next = FixOf(secs[static_cast<std::size_t>(s + 1)]);
      if (next.valid) {
        const double dn = (next.lat - fix.lat) * 110952.7, de = (next.lon - fix.lon) * 90551.2;
        const double dist = std::hypot(dn, de);
        if (!braking) {
          EXPECT_NEAR(dist, (fix.kmh + next.kmh) / 2 / 3.6, 0.4 + dist * 0.03);
        }
        if (!turn && dist > 5.0) {
          const double bearing = std::atan2(de, dn) * 180.0 / 3.141592653589793;
          EXPECT_NEAR(CourseDiff(fix.course, bearing), 0.0, 3.0);
        }
      }
    }
  }

  // Each turn changes the course by its angle; each hard brake sheds about 30 km/h.
  for (const DemoEvent& e : events) {
    if (e.last + 1 >= o.seconds) continue;
    const Fix before = FixOf(secs[static_cast<std::size_t>(e.first)]);
    const Fix after = FixOf(secs[static_cast<std::size_t>(e.last + 1)]);
    if (e.kind == DemoEventKind::Turn) {
      EXPECT_NEAR(CourseDiff(before.course, after.course), e.degrees, 1.0);
    }
    if (e.kind == DemoEventKind::HardBrake) {
      EXPECT_NEAR(before.kmh - after.kmh, 31.0, 4.0);
    }
  }
}

int Count(const std::vector<DemoEvent>& events, DemoEventKind kind) {
  int n = 0;
  for (const DemoEvent& e : events) n += e.kind == kind;
  return n;
}

TEST(DemoDrive, NinetySecondScheduleIsTheDocumentedOne) {
  const std::vector<DemoEvent> e = demo::DemoDriveSchedule(DemoDriveOptions{});
  struct Row {
    DemoEventKind kind;
    int first, last, degrees;
  };
  const Row want[] = {
      {DemoEventKind::Parked, 0, 2, 0},      {DemoEventKind::Turn, 20, 24, 90},
      {DemoEventKind::Stop, 45, 53, 0},      {DemoEventKind::Turn, 56, 59, -90},
      {DemoEventKind::HardBrake, 67, 67, 0}, {DemoEventKind::NoFix, 73, 78, 0},
      {DemoEventKind::Turn, 79, 83, 45},
  };
  ASSERT_EQ(e.size(), std::size(want));
  for (std::size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].kind, want[i].kind) << i;
    EXPECT_EQ(e[i].first, want[i].first) << i;
    EXPECT_EQ(e[i].last, want[i].last) << i;
    EXPECT_EQ(e[i].degrees, want[i].degrees) << i;
  }
}

TEST(DemoDrive, TextShowsTheScheduledDrive) {
  DemoDriveOptions o;
  CheckDrive(o);
  o.seconds = 150;  // two shortened laps
  o.seed = 7;
  CheckDrive(o);
  o.seconds = 66;  // the shortest clip that holds every event
  o.line_ending = demo::LineEnding::Lf;
  o.pulse_lines = false;
  o.lateral_on_x = true;
  CheckDrive(o);
  o = DemoDriveOptions{};
  o.seconds = 3600;
  CheckDrive(o);
}

TEST(DemoDrive, LengthScalesAndLongClipsRepeatTheLap) {
  auto count = [](const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
      ++n;
    return n;
  };
  for (int n : {0, 1, 9, 30, 90, 91, 3600}) {
    DemoDriveOptions o;
    o.seconds = n;
    const std::string text = demo::MakeDemoSidecar(o);
    EXPECT_EQ(count(text, "$GPRMC"), static_cast<std::size_t>(n));
    EXPECT_EQ(count(text, "\r\n"), static_cast<std::size_t>(9 * n));
    o.pulse_lines = false;
    o.line_ending = demo::LineEnding::Lf;
    const std::string short_text = demo::MakeDemoSidecar(o);
    EXPECT_EQ(count(short_text, "\n"), static_cast<std::size_t>(8 * n));
    EXPECT_EQ(count(short_text, "\r"), 0u);
  }
  DemoDriveOptions o;
  o.seconds = 10 * 3600;
  const std::vector<DemoEvent> e = demo::DemoDriveSchedule(o);
  EXPECT_EQ(Count(e, DemoEventKind::Stop), 450);
  EXPECT_EQ(Count(e, DemoEventKind::HardBrake), 450);
  EXPECT_EQ(Count(e, DemoEventKind::NoFix), 450);
  EXPECT_GT(e.back().first, o.seconds - 90);
}

TEST(DemoDrive, SameOptionsSameBytesAndTheSeedOnlyChangesTheNoise) {
  DemoDriveOptions o;
  const std::string text = demo::MakeDemoSidecar(o);
  EXPECT_EQ(demo::MakeDemoSidecar(o), text);

  o.seed = 2;
  const std::string other = demo::MakeDemoSidecar(o);
  EXPECT_NE(other, text);
  const ParsedDrive a(text), b(other);
  ASSERT_EQ(a.Seconds().size(), b.Seconds().size());
  for (std::size_t s = 0; s < a.Seconds().size(); ++s) {
    const Second &x = a.Seconds()[s], &y = b.Seconds()[s];
    EXPECT_EQ(x.rmcFields[2], y.rmcFields[2]);
    EXPECT_EQ(x.rmcFields[3], y.rmcFields[3]);
    EXPECT_EQ(x.pulses, y.pulses);
  }
}

TEST(DemoDrive, ClockCrossesMidnightAndMonthEnds) {
  struct Case {
    int y, mo, d, h, mi, s;
    std::vector<std::string> want;
  };  // time,date pairs
  const Case cases[] = {
      {2024, 12, 31, 23, 59, 59, {"235959.00", "311224", "000000.00", "010125"}},
      {2024, 2, 28, 23, 59, 59, {"235959.00", "280224", "000000.00", "290224"}},
      {2023, 2, 28, 23, 59, 59, {"235959.00", "280223", "000000.00", "010323"}},
      {2025, 3, 31, 23, 59, 59, {"235959.00", "310325", "000000.00", "010425"}},
  };
  for (const Case& c : cases) {
    DemoDriveOptions o;
    o.seconds = 2;
    o.year = c.y;
    o.month = c.mo;
    o.day = c.d;
    o.hour = c.h;
    o.minute = c.mi;
    o.second = c.s;
    const ParsedDrive drive(demo::MakeDemoSidecar(o));
    const std::vector<Second>& secs = drive.Seconds();
    ASSERT_EQ(secs.size(), 2u);
    EXPECT_EQ(secs[0].rmcFields[1], c.want[0]);
    EXPECT_EQ(secs[0].rmcFields[9], c.want[1]);
    EXPECT_EQ(secs[1].rmcFields[1], c.want[2]);
    EXPECT_EQ(secs[1].rmcFields[9], c.want[3]);
  }
}

}  // namespace
