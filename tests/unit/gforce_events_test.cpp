// G-force events from sidecars as the player loads them.
#include "telemetry/gforce_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "telemetry/telemetry_store.h"

namespace {

// One second of five samples; `kick` replaces the third sample's axis values.
struct Second {
  int x = 0, y = 0, z = 1000;
  int kickX = 0, kickY = 0, kickZ = 0;
};

std::string Sidecar(const std::vector<Second>& seconds) {
  std::string s;
  for (size_t i = 0; i < seconds.size(); ++i) {
    const Second& g = seconds[i];
    for (int n = 0; n < 5; ++n) {
      const bool kick = n == 2;
      s += "$GSENSOR," + std::to_string(g.x + (kick ? g.kickX : 0)) + "," +
           std::to_string(g.y + (kick ? g.kickY : 0)) + "," +
           std::to_string(g.z + (kick ? g.kickZ : 0)) + "\r\n";
    }
    const std::string t = std::to_string(120000 + static_cast<int>(i));
    s += "$GPRMC," + t + ",A,3539.1234,N,13945.0000,E,10.0,90.0,020323,,,A*00\r\n";
    s += "$GPGGA," + t + ",3539.1234,N,13945.0000,E,1,08,1.0,45.5,M,0,M,,*00\r\n";
    s += "$GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1*39\r\n";
  }
  return s;
}

std::vector<GForceEvent> EventsOf(const std::string& sidecar, int64_t length) {
  CTelemetryStore store;
  store.LoadTelemetryBytes(sidecar, length);
  return FindGForceEvents(store.Table(), store.SamplesPerSecond());
}

std::vector<Second> Quiet(int n, int z = 1000) {
  std::vector<Second> s(static_cast<size_t>(n));
  for (Second& g : s) g.z = z;
  return s;
}

}  // namespace

TEST(GForceEvents, FoundAtTheirPeakWithAxisKindAndLetter) {
  struct Case {
    const char* what;
    std::vector<Second> seconds;
    std::vector<int64_t> at;
    const char* kind;
    char letter;
  };
  std::vector<Case> cases;
  {
    auto s = Quiet(20);
    s[8].kickZ = 700;  // a pot hole, gravity on Z
    cases.push_back({"pot hole", s, {8}, "Bump", 'U'});
  }
  {
    auto s = Quiet(20, 0);
    s[8].kickZ = -700;  // the same without gravity in the samples
    cases.push_back({"pot hole, no gravity", s, {8}, "Bump", 'D'});
  }
  {
    auto s = Quiet(20);
    s[5].kickX = -450, s[6].kickX = -650, s[7].kickX = -500;  // a hard brake over 3 s
    cases.push_back({"hard brake", s, {6}, "Brake/accel", 'R'});
  }
  {
    auto s = Quiet(20);
    s[4].kickY = 500, s[6].kickY = 800;  // 2 s apart: one event
    s[10].kickY = -500, s[14].kickY = -600;  // 4 s apart: two
    cases.push_back({"swerves", s, {6, 10, 14}, "Swerve", 'L'});
  }
  {
    auto s = Quiet(20);
    s[9].kickX = 300;  // below the threshold
    cases.push_back({"a firm stop", s, {}, "", ' '});
  }
  for (const Case& c : cases) {
    const std::vector<GForceEvent> events = EventsOf(Sidecar(c.seconds), 20);
    std::vector<int64_t> at;
    for (const GForceEvent& e : events) at.push_back(e.nSecond);
    EXPECT_EQ(at, c.at) << c.what << "\n" << DescribeEvents(events);
    if (events.empty()) continue;
    EXPECT_STREQ(events.back().Kind(), c.kind) << c.what;
    EXPECT_EQ(events.back().cLetter, c.letter) << c.what;
    EXPECT_GE(events.back().dPeakG, kEventThresholdG) << c.what;
  }
}

TEST(GForceEvents, SidecarsWithoutSamplesOrCutShortGiveWhatIsThere) {
  EXPECT_TRUE(EventsOf("$GPRMC,120000,A,3539.1234,N,13945.0000,E,10.0,90.0,020323,,,A*00\r\n",
                       10).empty());
  EXPECT_TRUE(EventsOf("", 10).empty());
  auto s = Quiet(10);
  s[3].kickZ = 900;
  std::string text = Sidecar(s);
  text += "$GSENSOR,0,0,1000\r\n$GSENSOR,0,0";  // power cut inside a second and a line
  const std::vector<GForceEvent> events = EventsOf(text, 60);
  ASSERT_EQ(events.size(), 1u) << DescribeEvents(events);
  EXPECT_EQ(events[0].nSecond, 3);
  EXPECT_EQ(DescribeEvents(events).substr(0, 7), "3\tBump\t");
}
