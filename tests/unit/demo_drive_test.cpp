#include "tools/demo/demo_drive.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

using demo::DemoDriveOptions;
using demo::DemoEvent;
using demo::DemoEventKind;

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = s.find(sep, start);
    out.push_back(s.substr(start, at - start));
    if (at == std::string::npos) return out;
    start = at + 1;
  }
}

struct Second {
  std::vector<std::array<int, 3>> g;  // as written: x, y, z
  int pulses = -1;
  std::vector<std::string> rmc, gga, gsa;
};

// Cuts the text into seconds, checking the framing, line ends and checksums
// of every line on the way.
std::vector<Second> Parse(const std::string& text, const std::string& eol) {
  std::vector<Second> seconds;
  Second cur;
  int expect = 0;  // 0 sensor or speed, 1 GGA after RMC, 2 GSA after GGA
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find(eol, pos);
    EXPECT_NE(end, std::string::npos) << "last line without a line end";
    if (end == std::string::npos) break;
    const std::string line = text.substr(pos, end - pos);
    pos = end + eol.size();
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    const std::size_t star = line.find('*');
    EXPECT_TRUE(line.size() > 4 && line[0] == '$' && star == line.size() - 3) << line;
    if (star != line.size() - 3) continue;
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
    EXPECT_EQ(std::strtoul(line.substr(star + 1).c_str(), nullptr, 16), sum) << line;
    EXPECT_EQ(line.substr(star + 1).find_first_not_of("0123456789ABCDEF"), std::string::npos)
        << line;
    const std::vector<std::string> f = Split(line.substr(1, star - 1), ',');
    const std::string& name = f[0];
    if (name == "GSENSOR") {
      EXPECT_EQ(expect, 0);
      EXPECT_EQ(cur.pulses, -1) << "sensor line after the speed line";
      EXPECT_EQ(f.size(), 4u) << line;
      if (f.size() == 4)
        cur.g.push_back(
            {std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), std::atoi(f[3].c_str())});
    } else if (name == "SPEED") {
      EXPECT_EQ(expect, 0);
      EXPECT_EQ(cur.pulses, -1) << "two speed lines in one second";
      EXPECT_EQ(f.size(), 3u) << line;
      EXPECT_EQ(f[1], "0");
      cur.pulses = std::atoi(f[2].c_str());
    } else if (name == "GPRMC") {
      EXPECT_EQ(expect, 0);
      EXPECT_EQ(f.size(), 13u) << line;
      cur.rmc = f;
      expect = 1;
    } else if (name == "GPGGA") {
      EXPECT_EQ(expect, 1);
      EXPECT_EQ(f.size(), 15u) << line;
      cur.gga = f;
      expect = 2;
    } else if (name == "GPGSA") {
      EXPECT_EQ(expect, 2);
      EXPECT_EQ(f.size(), 18u) << line;
      cur.gsa = f;
      seconds.push_back(cur);
      cur = Second{};
      expect = 0;
    } else {
      ADD_FAILURE() << "unexpected line " << line;
    }
  }
  EXPECT_TRUE(cur.g.empty() && expect == 0) << "text ends inside a second";
  return seconds;
}

double Degrees(const std::string& field, int degree_digits) {
  return std::atoi(field.substr(0, static_cast<std::size_t>(degree_digits)).c_str()) +
         std::atof(field.substr(static_cast<std::size_t>(degree_digits)).c_str()) / 60.0;
}

struct Fix {
  bool valid;
  double lat, lon, kmh, course;
};

Fix FixOf(const Second& s) {
  const auto& r = s.rmc;
  if (r[2] != "A") return {false, 0, 0, 0, 0};
  return {true, Degrees(r[3], 2), Degrees(r[5], 3), std::atof(r[7].c_str()) * 1.852,
          std::atof(r[8].c_str())};
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
  const std::vector<Second> secs = Parse(demo::MakeDemoSidecar(o), eol);
  ASSERT_EQ(secs.size(), static_cast<std::size_t>(o.seconds));
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
    EXPECT_EQ(sec.rmc[1], sec.gga[1]);

    // Time of day advances by one second from the start time.
    const int clock = o.hour * 3600 + o.minute * 60 + o.second + s;
    char hms[16];
    std::snprintf(hms, sizeof hms, "%02d%02d%02d.00", clock / 3600 % 24, clock / 60 % 60,
                  clock % 60);
    EXPECT_EQ(sec.rmc[1], hms);
    EXPECT_EQ(sec.rmc[9].size(), 6u);

    for (const auto& g : sec.g) {
      EXPECT_GT(g[2], 900);
      EXPECT_LT(g[2], 1150);
    }

    if (event_at(s, DemoEventKind::NoFix)) {
      EXPECT_EQ(sec.rmc[2], "V");
      for (int i = 3; i <= 8; ++i) EXPECT_EQ(sec.rmc[static_cast<std::size_t>(i)], "");
      EXPECT_EQ(sec.gga[6], "0");
      EXPECT_EQ(sec.gga[9], "");
      EXPECT_EQ(sec.gsa[2], "1");
      if (o.pulse_lines) {
        EXPECT_GT(sec.pulses, 0) << "the car keeps moving in the tunnel";
      }
      continue;
    }
    ASSERT_EQ(sec.rmc[2], "A");
    EXPECT_EQ(sec.rmc[4], "N");
    EXPECT_EQ(sec.rmc[6], "E");
    EXPECT_EQ(sec.rmc[3].size(), 9u);
    EXPECT_EQ(sec.rmc[5].size(), 10u);
    EXPECT_EQ(sec.gga[6], "1");
    EXPECT_EQ(sec.gga[10], "M");
    EXPECT_GT(std::atof(sec.gga[9].c_str()), 20.0);
    EXPECT_NEAR(fix.lat, 35.66, 0.3);
    EXPECT_NEAR(fix.lon, 139.70, 0.3);
    EXPECT_LE(fix.kmh, 60.0);

    // Pulses fit divisor 4 (count = km/h * 637 * 4 / 3600) far better than 2 or 8.
    if (o.pulse_lines) {
      EXPECT_NEAR(sec.pulses, fix.kmh * 637 * 4 / 3600, 1.0);
    }

    const bool standing = event_at(s, DemoEventKind::Stop) || event_at(s, DemoEventKind::Parked);
    if (standing) {
      EXPECT_EQ(sec.rmc[7], "0.00");
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

TEST(DemoDrive, SameOptionsSameBytesOnEveryPlatform) {
  DemoDriveOptions o;
  const std::string text = demo::MakeDemoSidecar(o);
  EXPECT_EQ(demo::MakeDemoSidecar(o), text);

  // Pinned bytes: a change here means the demo drive changed (update on
  // purpose) or a platform computes it differently (a bug).
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  EXPECT_EQ(text.size(), 29670u);
  EXPECT_EQ(h, 5384996156887261469ull) << "FNV-1a of the default drive";
  const std::size_t rmc = text.find("$GPRMC");
  EXPECT_EQ(text.substr(rmc, text.find("$GSENSOR", rmc) - rmc),
            "$GPRMC,031500.00,A,3539.4860,N,13942.1020,E,0.00,32.00,180524,,,A*6A\r\n"
            "$GPGGA,031500.00,3539.4860,N,13942.1020,E,1,10,0.8,29.1,M,36.7,M,,*52\r\n"
            "$GPGSA,A,3,02,05,07,09,13,15,18,20,24,28,,,1.3,0.8,1.0*31\r\n");

  // The seed changes the noise, never the drive.
  o.seed = 2;
  const std::string other = demo::MakeDemoSidecar(o);
  EXPECT_NE(other, text);
  const std::vector<Second> a = Parse(text, "\r\n"), b = Parse(other, "\r\n");
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t s = 0; s < a.size(); ++s) {
    EXPECT_EQ(a[s].rmc[2], b[s].rmc[2]);
    EXPECT_EQ(a[s].rmc[3], b[s].rmc[3]);
    EXPECT_EQ(a[s].pulses, b[s].pulses);
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
    const std::vector<Second> secs = Parse(demo::MakeDemoSidecar(o), "\r\n");
    ASSERT_EQ(secs.size(), 2u);
    EXPECT_EQ(secs[0].rmc[1], c.want[0]);
    EXPECT_EQ(secs[0].rmc[9], c.want[1]);
    EXPECT_EQ(secs[1].rmc[1], c.want[2]);
    EXPECT_EQ(secs[1].rmc[9], c.want[3]);
  }
}

}  // namespace
