// Which clips make one trip.
#include "app/trips.h"

#include <gtest/gtest.h>

namespace {

TripClip At(const char* name, int64_t start, int64_t length = 60, int64_t day = 1) {
  return TripClip{name, start, start + length, day};
}

}  // namespace

TEST(Trips, GapsDaysRearClipsAndClockJumpsDecide) {
  struct Case {
    const char* what;
    std::vector<TripClip> clips;
    std::vector<int> trips;
  } cases[] = {
      {"back to back", {At("a.MP4", 0), At("b.MP4", 60), At("c.MP4", 121)}, {0, 0, 0}},
      {"a minute's pause is still the drive", {At("a.MP4", 0), At("b.MP4", 120)}, {0, 0}},
      {"a longer pause starts a trip", {At("a.MP4", 0), At("b.MP4", 121)}, {0, 1}},
      {"another day", {At("a.MP4", 0, 60, 1), At("b.MP4", 60, 60, 2)}, {0, 1}},
      {"rear clips follow their front clip",
       {At("a.MP4", 0), At("aR.MP4", 0), At("b.MP4", 5000), At("bR.MP4", 5000)},
       {0, 0, 1, 1}},
      {"a rear clip sorted after the next trip's front clip",
       {At("a.MP4", 0), At("b.MP4", 5000), At("aR.MP4", 0)}, {0, 1, 0}},
      {"a rear clip never starts a trip", {At("xR.MP4", 9000), At("a.MP4", 0)}, {0, 0}},
      {"the clock jumps back", {At("a.MP4", 5000), At("b.MP4", 100)}, {0, 1}},
      {"a small step back is the same drive", {At("a.MP4", 0), At("b.MP4", 30)}, {0, 0}},
      {"no clips", {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(GroupTrips(c.clips), c.trips) << c.what;
}

TEST(Trips, FiveHundredClipsInThreeDrives) {
  std::vector<TripClip> clips;
  for (int i = 0; i < 500; ++i) {
    const int64_t start = i * 60 + (i >= 200 ? 3600 : 0) + (i >= 450 ? 7200 : 0);
    clips.push_back(At("c.MP4", start));
  }
  const std::vector<int> trips = GroupTrips(clips);
  EXPECT_EQ(trips[199], 0);
  EXPECT_EQ(trips[200], 1);
  EXPECT_EQ(trips[449], 1);
  EXPECT_EQ(trips[499], 2);
}

TEST(Trips, RearClipNames) {
  EXPECT_TRUE(IsRearClipName("20230302_120000R.MOV"));
  EXPECT_FALSE(IsRearClipName("HARBO.MP4"));
  EXPECT_FALSE(IsRearClipName("R.MP4"));  // nothing before the R
  EXPECT_FALSE(IsRearClipName("D:\\clips\\R.MP4"));  // a folder is not part of the name
  EXPECT_FALSE(IsRearClipName("clipR.jpg"));
}
