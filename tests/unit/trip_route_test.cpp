// The route of a whole trip: clips joined, gaps kept, the car placed, and the
// route read once per trip.
#include "map/trip_route.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_files.h"
#include "tools/demo/demo_drive.h"

namespace {

// "x" a second with a fix, "." one without, "" a clip without a sidecar.
std::vector<RouteFix> Clip(const std::string& pattern) {
  std::vector<RouteFix> seconds;
  for (char c : pattern) {
    RouteFix s;
    s.fix = c == 'x';
    s.latitude = 35.6 + 0.0001 * static_cast<double>(seconds.size());
    s.longitude = 139.7;
    seconds.push_back(s);
  }
  return seconds;
}

std::string Begins(const TripRoute& trip) {
  std::string text;
  for (int64_t b : trip.clipBegin) text += (text.empty() ? "" : " ") + std::to_string(b);
  return text;
}

}  // namespace

TEST(TripRoute, ClipsJoinIntoOneLineAndBreakWhereAClipHasNoFix) {
  struct Case {
    std::vector<std::string> clips;
    const char* begins;
    size_t lines;
  } cases[] = {
      {{"xxx", "xxxx", "xx"}, "0 3 7 9", 1},   // the line runs on across clips
      {{"xxx", "", "xx"}, "0 3 4 6", 2},       // no sidecar: one entry, a gap
      {{"xxx", "....", "xx"}, "0 3 7 9", 2},   // a tunnel clip: a gap
      {{"xx.", ".xx"}, "0 3 6", 2},            // the ends without a fix meet: a gap
      {{"", ""}, "0 1 2", 0},
      {{}, "0", 0},
  };
  for (const Case& c : cases) {
    std::vector<std::vector<RouteFix>> clips;
    for (const std::string& p : c.clips) clips.push_back(Clip(p));
    const TripRoute trip = JoinClipRoutes(clips);
    EXPECT_EQ(Begins(trip), c.begins);
    EXPECT_EQ(trip.ClipCount(), static_cast<int>(c.clips.size()));
    EXPECT_EQ(RouteProjection(trip.seconds, 400, 300, 20).Lines(trip.seconds).size(), c.lines)
        << c.begins;
  }
  const TripRoute trip = JoinClipRoutes({Clip("xx"), Clip("xxx")});
  EXPECT_EQ(trip.Begin(1), 2);
  EXPECT_EQ(trip.End(1), 5);
  EXPECT_EQ(trip.Begin(2), 0) << "a clip out of range has no entries";
  EXPECT_EQ(trip.End(-1), 0);
}

TEST(TripRoute, TheCarStandsAtItsSecondOrTheLastFixBeforeIt) {
  const TripRoute trip = JoinClipRoutes({Clip("xxx"), Clip("..xx"), Clip("")});
  struct Case {
    int clip;
    int64_t second, row;
  } cases[] = {
      {0, 0, 0},  {0, 2, 2},   {0, 9, 2},  // past the clip's end: its last second
      {1, 0, 2},  {1, 1, 2},               // no fix yet in this clip: the last one before
      {1, 2, 5},  {1, 3, 6},   {1, 40, 6},
      {2, 0, 6},                           // a clip without a sidecar: where the car last was
      {0, -1, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SpanCarRow(trip.seconds, trip.Begin(c.clip), trip.End(c.clip), c.second), c.row)
        << "clip " << c.clip << " second " << c.second;
  const TripRoute dark = JoinClipRoutes({Clip("..."), Clip(".x")});
  EXPECT_EQ(SpanCarRow(dark.seconds, dark.Begin(0), dark.End(0), 2), -1) << "no fix yet at all";
  EXPECT_EQ(SpanCarRow(dark.seconds, 2, 2, 0), -1) << "an empty span";
}

TEST(TripRoute, IsReadFromTheSidecarsOncePerTrip) {
  ScratchDir dir;
  std::vector<TripRouteClip> clips;
  for (int i = 0; i < 3; ++i) {
    demo::DemoDriveOptions options;
    options.seconds = 20;
    options.minute = 15 + i;
    const std::string name = "clip" + std::to_string(i);
    clips.push_back({dir.Path() + name + ".MP4",
                     dir.Write(name + ".nmea", demo::MakeDemoSidecar(options)), 20});
  }
  clips[1].nLengthSec = 25;  // a clip longer than its sidecar: padded without fixes
  clips.push_back({dir.Path() + "lost.MP4", dir.Path() + "lost.nmea", 20});  // no sidecar

  TripRouteCache cache;
  const TripRoute& trip = cache.For(clips);
  EXPECT_EQ(Begins(trip), "0 20 45 65 66");
  EXPECT_TRUE(trip.seconds[19].fix);
  EXPECT_FALSE(trip.seconds[44].fix) << "the padded seconds have no fix";
  EXPECT_FALSE(trip.seconds[65].fix);
  EXPECT_EQ(cache.Builds(), 1);

  cache.For(clips);  // the next clip of the same trip
  EXPECT_EQ(cache.Builds(), 1);
  clips.pop_back();
  EXPECT_EQ(Begins(cache.For(clips)), "0 20 45 65");
  EXPECT_EQ(cache.Builds(), 2) << "another trip is read afresh";
  EXPECT_EQ(cache.For({}).ClipCount(), 0);
}
