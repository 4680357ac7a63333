// The playlist's trips: grouping by the clips' facts, labels, the trip position
// line and where the event keys go.
#include "app/trip_index.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kMorning = 1715990400 + 8 * 3600 + 15 * 60;  // 2024-05-18 08:15 UTC

ClipFacts Clip(const std::string& name, int64_t start, int64_t length = 60,
               std::vector<int64_t> eventSeconds = {}, double km = 0) {
  ClipFacts facts;
  facts.strName = name;
  facts.nStart = start;
  facts.nEnd = start + length;
  facts.dKm = km;
  for (int64_t s : eventSeconds) {
    GForceEvent e;
    e.nSecond = s;
    facts.events.push_back(e);
  }
  return facts;
}

std::vector<int> TripsOf(const TripIndex& index) {
  std::vector<int> trips;
  for (int r = 0; r < index.RowCount(); ++r) trips.push_back(index.TripOf(r));
  return trips;
}

}  // namespace

TEST(TripIndex, RowsGroupByGapsDaysInTheUsersTimeAndClockSteps) {
  const int64_t t = kMorning;
  const int64_t midnight = 1716076800;  // 2024-05-19 00:00 UTC
  const struct {
    const char* what;
    std::vector<ClipFacts> rows;
    int64_t offset;
    std::vector<int> trips;
  } kCases[] = {
      {"back to back, then a long stop",
       {Clip("a.MP4", t), Clip("b.MP4", t + 60), Clip("c.MP4", t + 300)}, 0, {0, 0, 1}},
      {"midnight in UTC", {Clip("a.MP4", midnight - 60), Clip("b.MP4", midnight)}, 0, {0, 1}},
      {"not midnight two hours east", {Clip("a.MP4", midnight - 60), Clip("b.MP4", midnight)},
       7200, {0, 0}},
      {"midnight two hours east",
       {Clip("a.MP4", midnight - 7260), Clip("b.MP4", midnight - 7200)}, 7200, {0, 1}},
      {"a GPS clock going backwards", {Clip("a.MP4", t), Clip("b.MP4", t - 3600)}, 0, {0, 1}},
      {"a clip timed by its file between two timed by GPS",
       {Clip("a.MP4", t), Clip("b.MP4", t + 61, 59), Clip("c.MP4", t + 120)}, 0, {0, 0, 0}},
      {"rear clips follow their front clips",
       {Clip("a.MP4", t), Clip("aR.MP4", t), Clip("b.MP4", t + 9000), Clip("bR.MP4", t + 9000)},
       0, {0, 0, 1, 1}},
  };
  for (const auto& c : kCases) {
    TripIndex index;
    index.Build(c.rows, c.offset);
    EXPECT_EQ(TripsOf(index), c.trips) << c.what;
    EXPECT_EQ(index.TripCount(), c.trips.back() + 1) << c.what;
  }
}

TEST(TripIndex, SummariesAndLabelsCountFrontClipsOnly) {
  std::vector<ClipFacts> rows;
  for (int i = 0; i < 11; ++i) rows.push_back(Clip("f" + std::to_string(10 + i) + ".MP4",
                                                   kMorning + i * 147, 147, {}, 2.1));
  rows.insert(rows.begin() + 1, Clip("f10R.MP4", kMorning, 147, {}, 2.1));
  rows.insert(rows.begin(), Clip("e.MP4", kMorning - 3600, 50, {}, 0.04));
  TripIndex index;
  index.Build(rows, 0);
  ASSERT_EQ(index.TripCount(), 2);
  const TripSummary* trip = index.Trip(1);
  EXPECT_EQ(trip->nFirstRow, 1);
  EXPECT_EQ(trip->nLastRow, 12);
  EXPECT_EQ(trip->nClips, 11);
  EXPECT_EQ(trip->nLengthSec, 11 * 147);
  EXPECT_EQ(trip->nStart, kMorning);
  EXPECT_EQ(trip->nEnd, kMorning + 11 * 147);
  EXPECT_TRUE(index.StartsTrip(1));
  EXPECT_FALSE(index.StartsTrip(2));
  EXPECT_EQ(index.Label(1), "Trip 2 08:15-08:41 23.1 km 11 clips");
  EXPECT_EQ(index.Label(0), "Trip 1 07:15-07:15 0.0 km 1 clip");
  index.Build(rows, -9 * 3600 - 1800);  // times in the user's zone
  EXPECT_EQ(index.Label(1), "Trip 2 22:45-23:11 23.1 km 11 clips");
  EXPECT_EQ(index.Label(2), "");
  EXPECT_EQ(index.TripOf(13), -1);
}

TEST(TripIndex, PositionTextAddsTheTripsEarlierClips) {
  TripIndex index;
  index.Build({Clip("a.MP4", kMorning, 754), Clip("b.MP4", kMorning + 754, 60),
               Clip("bR.MP4", kMorning + 754, 60), Clip("c.MP4", kMorning + 814, 816),
               Clip("d.MP4", kMorning + 9000, 30)},
              0);
  const struct {
    int row;
    int64_t second;
    const char* text;
  } kCases[] = {
      {0, 0, "Trip 00:00:00 / 00:27:10"},   {1, 0, "Trip 00:12:34 / 00:27:10"},
      {2, 10, "Trip 00:12:44 / 00:27:10"},  // the rear clip stands where its front clip does
      {3, 816, "Trip 00:27:10 / 00:27:10"}, {4, 5, "Trip 00:00:05 / 00:00:30"},
      {-1, 5, ""},                          {5, 5, ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(index.PositionText(c.row, c.second), c.text) << c.row;
}

TEST(TripIndex, FiveHundredClipsMakeOneTrip) {
  std::vector<ClipFacts> rows;
  for (int i = 0; i < 500; ++i) rows.push_back(Clip("c" + std::to_string(1000 + i) + ".MP4",
                                                    kMorning + i * 60, 60, {}, 0.5));
  TripIndex index;
  index.Build(rows, 0);
  EXPECT_EQ(index.TripCount(), 1);
  EXPECT_EQ(index.Label(0), "Trip 1 08:15-16:35 250.0 km 500 clips");
  EXPECT_EQ(index.PositionText(499, 59), "Trip 08:19:59 / 08:20:00");
}

TEST(TripIndex, EventKeysGoWithinTheClipThenAcrossTheTripsSameCameraClips) {
  TripIndex index;
  index.Build({Clip("a.MP4", kMorning, 60, {10, 40}), Clip("aR.MP4", kMorning, 60, {20}),
               Clip("b.MP4", kMorning + 60, 60), Clip("bR.MP4", kMorning + 60, 60, {5}),
               Clip("c.MP4", kMorning + 120, 60, {2, 30}),
               Clip("d.MP4", kMorning + 9000, 60, {15})},
              0);
  const std::vector<GForceEvent> none;
  std::vector<GForceEvent> unlisted(1);
  unlisted[0].nSecond = 7;
  std::vector<GForceEvent> atStart(1);  // an event at second 0
  const struct {
    const char* what;
    int row;
    const std::vector<GForceEvent>* current;
    int64_t second;
    int direction;
    EventJump jump;
  } kCases[] = {
      {"next within the clip", 0, &none, 10, 1, {0, 40, false, true}},
      {"previous within the clip", 0, &none, 45, -1, {0, 40, false, true}},
      {"just after landing goes to the one before", 0, &none, 41, -1, {0, 10, false, true}},
      {"across a clip without events, rear rows skipped", 0, &none, 40, 1, {4, 0, true, true}},
      {"the lead stops at the clip's start", 0, &none, 50, 1, {4, 0, true, true}},
      {"back across the trip", 4, &none, 2, -1, {0, 37, true, true}},
      {"forward from a clip without events", 2, &none, 0, 1, {4, 0, true, true}},
      {"rear rows go to rear rows", 1, &none, 30, 1, {3, 2, true, true}},
      {"not into the next trip", 4, &none, 30, 1, {-1, 0, false, false}},
      {"not into the previous trip", 5, &none, 10, -1, {-1, 0, false, false}},
      {"the playing clip's own events", 2, &unlisted, 0, 1, {2, 7, false, true}},
      {"an unlisted clip", -1, &unlisted, 0, 1, {-1, 7, false, true}},
      {"an unlisted clip has no neighbours", -1, &unlisted, 7, 1, {-1, 0, false, false}},
      {"an unlisted clip without events", -1, &none, 0, -1, {-1, 0, false, false}},
      {"an unlisted clip's event at its first second", -1, &atStart, 5, -1, {-1, 0, false, true}},
  };
  for (const auto& c : kCases) {
    const EventJump jump = index.NextEvent(c.row, *c.current, c.second, c.direction);
    EXPECT_EQ(jump.nRow, c.jump.nRow) << c.what;
    EXPECT_EQ(jump.nSecond, c.jump.nSecond) << c.what;
    EXPECT_EQ(jump.bLoad, c.jump.bLoad) << c.what;
    EXPECT_EQ(jump.bFound, c.jump.bFound) << c.what;
  }
}
