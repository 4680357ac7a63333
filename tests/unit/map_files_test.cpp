#include <gtest/gtest.h>

#include "map/instance_folder.h"
#include "map/rewritten_file.h"
#include "map/route_file.h"
#include "map/target_pos_file.h"
#include "telemetry/telemetry_store.h"
#include "test_files.h"

namespace {

// A table with the given fix, latitude and longitude entries per row.
CTelemetryTable Rows(std::initializer_list<std::array<const char*, 3>> rows) {
  CTelemetryTable t;
  for (const auto& r : rows) {
    t.Column(kColFix).Append(r[0]);
    t.Column(kColLatitude).Append(r[1]);
    t.Column(kColLongitude).Append(r[2]);
  }
  return t;
}

}  // namespace

TEST(PositionFile, PlaceholderFixRowsAndTheKeptBuffers) {
  ScratchDir dir;
  const std::string file = dir.Path() + "target_pos.js";
  CTelemetryTable t = Rows({{"1", "35.652057", "139.750000"},
                            {"0", "0", "0"},
                            {"1", "35.700000", "0"},
                            {"1", "-35.5", "-58.25"}});
  CTargetPosWriter w;
  EXPECT_TRUE(w.UpdateTargetPos(dir.Path(), t, -1, 0));
  EXPECT_EQ(ReadAll(file), "var TARGET_POS = { lat: 0.000000, lng : 0.000000, update : 0 };");
  EXPECT_TRUE(w.UpdateTargetPos(dir.Path(), t, 0, 1));
  const std::string first = "var TARGET_POS = { lat: 35.652057, lng : 139.750000, update : 1 };";
  EXPECT_EQ(ReadAll(file), first);
  EXPECT_FALSE(w.UpdateTargetPos(dir.Path(), t, 1, 1));  // no fix: file unchanged
  EXPECT_FALSE(w.UpdateTargetPos(dir.Path(), t, 2, 1));  // a zero coordinate: unchanged
  EXPECT_EQ(ReadAll(file), first);
  EXPECT_EQ(w.LastRow(), 2);
  EXPECT_TRUE(w.UpdateTargetPos(dir.Path(), t, 3, 7));
  const std::string last = "var TARGET_POS = { lat: -35.500000, lng : -58.250000, update : 1 };";
  EXPECT_EQ(ReadAll(file), last);
  dir.Write("target_pos.js", "");
  EXPECT_TRUE(w.UpdateTargetPos(dir.Path(), t, 99, 1));  // past the end: the kept texts again
  EXPECT_EQ(ReadAll(file), last);
  EXPECT_EQ(w.LastRow(), 99);
  EXPECT_FALSE(w.UpdateTargetPos(dir.Path() + "no/such/", t, 0, 1));  // unwritable: skipped
}

TEST(PositionFile, EntriesTooLongForTheBuffersAreNotCut) {
  ScratchDir dir;
  CTelemetryTable t = Rows({{"1", "35.1", "139.2"},
                            {"1", "12345678901234567890.5", "139.3"},
                            {"10000", "35.3", "139.4"}});
  CTargetPosWriter w;
  w.UpdateTargetPos(dir.Path(), t, 0, 1);
  w.UpdateTargetPos(dir.Path(), t, 1, 1);  // latitude text of 22 characters: previous one kept
  EXPECT_EQ(ReadAll(dir.Path() + "target_pos.js"),
            "var TARGET_POS = { lat: 35.100000, lng : 139.300000, update : 1 };");
  w.UpdateTargetPos(dir.Path(), t, 2, 1);  // a five-character fix keeps "1"
  EXPECT_EQ(ReadAll(dir.Path() + "target_pos.js"),
            "var TARGET_POS = { lat: 35.300000, lng : 139.400000, update : 1 };");
}

TEST(RouteFile, EveryRowWithAFixIsOnePointInWindowsLineEnds) {
  ScratchDir dir;
  CTelemetryTable t = Rows({{"1", "35.1", "139.1"},
                            {"0", "0", "0"},
                            {"1", "0", "139.3"},
                            {"2", "35.4", "139.4"},
                            {"1", "-35.5", "-58.5"}});
  ASSERT_TRUE(WriteLinePath(dir.Path(), t));
  EXPECT_EQ(ReadAll(dir.Path() + "line_path.js"),
            "var LINE_PATH = [\r\n"
            "\t{ lat: 35.100000, lng : 139.100000 },\r\n"
            "\t{ lat: -35.500000, lng : -58.500000 },\r\n"
            "];\r\n");
  EXPECT_EQ(MakeLinePath(Rows({{"0", "0", "0"}})), "var LINE_PATH = [\n];\n");
  EXPECT_EQ(MakeLinePath(CTelemetryTable()), "var LINE_PATH = [\n];\n");
  EXPECT_FALSE(WriteLinePath(dir.Path() + "missing/", t));
}

TEST(RouteFile, FollowsALoadedSidecarFromItsFirstFix) {
  ScratchDir dir;
  std::string sidecar;
  for (int i = 0; i < 8; ++i) {
    for (int g = 0; g < 5; ++g) sidecar += "$GSENSOR,0,0,1000\r\n";
    sidecar += "$GPRMC," + std::to_string(i + 1) + "," + std::string(i == 3 ? "V" : "A") + ",35" + std::to_string(10 + i) +
               ".0000,N,13945.0000,E,0,0,020323,,,A*00\r\n";
  }
  CTelemetryStore store;
  ASSERT_TRUE(store.LoadTelemetry(dir.Write("c.nmea", sidecar), 1, 10));
  std::string route = MakeLinePath(store.Table());
  EXPECT_NE(route.find("{ lat: 35.166667,"), std::string::npos);  // row 0 is on the route
  EXPECT_EQ(route.find("{ lat: 35.216667,"), std::string::npos);  // row 3 had no fix
  EXPECT_NE(route.find("{ lat: 35.283333,"), std::string::npos);  // the last row too
  EXPECT_EQ(std::count(route.begin(), route.end(), '{'), 7);
}

// A garbled sentence can carry a coordinate that is no number, or no place on
// Earth; the page would stop at it and lose the whole route.
TEST(MapFiles, CoordinatesThatAreNotPositionsStayOutOfBothFiles) {
  ScratchDir dir;
  CTelemetryTable t = Rows({{"1", "35.1", "139.1"},
                            {"1", "-nan", "139.2"},
                            {"1", "35.3", "inf"},
                            {"1", "91.0", "139.4"},
                            {"1", "35.5", "-180.5"},
                            {"1", "-90.0", "180.0"}});
  EXPECT_EQ(MakeLinePath(t),
            "var LINE_PATH = [\n"
            "\t{ lat: 35.100000, lng : 139.100000 },\n"
            "\t{ lat: -90.000000, lng : 180.000000 },\n"
            "];\n");
  CTargetPosWriter w;
  const std::string file = dir.Path() + "target_pos.js";
  EXPECT_TRUE(w.UpdateTargetPos(dir.Path(), t, 0, 1));
  for (int64_t row = 1; row <= 4; ++row) EXPECT_FALSE(w.UpdateTargetPos(dir.Path(), t, row, 1));
  EXPECT_EQ(ReadAll(file), "var TARGET_POS = { lat: 35.100000, lng : 139.100000, update : 1 };");
}

TEST(PositionFile, TheStartIsRowZerosFixOrThePlaceholder) {
  ScratchDir dir;
  const std::string file = dir.Path() + "target_pos.js";
  CTargetPosWriter w;
  EXPECT_TRUE(w.WriteStart(dir.Path(), Rows({{"1", "35.652057", "139.75"}, {"1", "36", "140"}})));
  EXPECT_EQ(ReadAll(file), "var TARGET_POS = { lat: 35.652057, lng : 139.750000, update : 0 };");
  EXPECT_EQ(w.LastRow(), 0);
  const char kPlaceholder[] = "var TARGET_POS = { lat: 0.000000, lng : 0.000000, update : 0 };";
  for (const auto& rows :
       {Rows({{"0", "35.6", "139.7"}}), Rows({{"1", "nan", "139.7"}}), Rows({})}) {
    EXPECT_TRUE(w.WriteStart(dir.Path(), rows));
    EXPECT_EQ(ReadAll(file), kPlaceholder);
  }
}

// The position file is kept open and rewritten in place every second.
TEST(PositionFile, RewritesInPlaceShorterTextsOtherWritersAndARemoval) {
  ScratchDir dir;
  const std::string file = dir.Path() + "target_pos.js";
  CRewrittenFile out;
  ASSERT_TRUE(out.Write(file, "a longer first text"));
  ASSERT_TRUE(out.Write(file, "short"));
  EXPECT_EQ(ReadAll(file), "short");
  dir.Write("target_pos.js", "something else");  // another writer: replaced again
  ASSERT_TRUE(out.Write(file, "short"));
  EXPECT_EQ(ReadAll(file), "short");
  std::remove(file.c_str());  // (Windows keeps an open file; elsewhere it goes)
  ASSERT_TRUE(out.Write(file, "shorter"));
  EXPECT_EQ(ReadAll(file), "shorter");
  EXPECT_FALSE(out.Write(dir.Path() + "no/such/x.js", "x"));
  EXPECT_TRUE(out.Write(file, "again"));
  EXPECT_EQ(ReadAll(file), "again");
}

TEST(InstanceFolder, NamesOfTheFirstAndFurtherWindowsAndWhatMatchesThem) {
  EXPECT_EQ(InstanceFolderName("player", 1234, 1), "player-1234");
  EXPECT_EQ(InstanceFolderName("player", 1234, 2), "player-1234-2");
  const struct {
    const char* name;
    bool matches;
    uint32_t pid;
  } cases[] = {
      {"player-1234", true, 1234},
      {"player-1234-2", true, 1234},
      {"player-4294967295", true, 4294967295u},
      {"player-0", true, 0},
      {"player-4294967296", false, 0},  // no process number
      {"player-1234-1", false, 0},      // the first window has no suffix
      {"player-1234-", false, 0},
      {"player-1234-02", false, 0},
      {"player-01234", false, 0},
      {"player-", false, 0},
      {"player-12a4", false, 0},
      {"player-+12", false, 0},
      {"player-1-2-3", false, 0},
      {"player", false, 0},
      {"players-1234", false, 0},  // another program's folder
      {"map_tests-1234", false, 0},
      {"PLAYER-1234", false, 0},
  };
  for (const auto& c : cases) {
    uint32_t pid = 77;
    EXPECT_EQ(ParseInstanceFolderName("player", c.name, pid), c.matches) << c.name;
    if (c.matches) {
      EXPECT_EQ(pid, c.pid) << c.name;
    }
  }
  uint32_t pid = 0;
  EXPECT_FALSE(ParseInstanceFolderName("", "-12", pid));
}

TEST(InstanceFolder, OnlyAHeldLockOrAnOwnerStillStartingKeepsAFolder) {
  using L = InstanceLock;
  using P = InstanceProcess;
  const struct {
    InstanceLock lock;
    InstanceProcess process;
    bool leftover;
  } cases[] = {
      // A held lock is a running instance, whatever its number says now.
      {L::kHeld, P::kGone, false},
      {L::kHeld, P::kStartedBefore, false},
      {L::kHeld, P::kStartedAfter, false},
      {L::kHeld, P::kUnknown, false},
      // A free lock: the instance closed it, so it has gone (a number reused since
      // by a running process changes nothing).
      {L::kFree, P::kGone, true},
      {L::kFree, P::kStartedBefore, true},
      {L::kFree, P::kStartedAfter, true},
      {L::kFree, P::kUnknown, true},
      // No lock: the process of that number decides; a newer one is a reused number.
      {L::kAbsent, P::kGone, true},
      {L::kAbsent, P::kStartedBefore, false},
      {L::kAbsent, P::kStartedAfter, true},
      {L::kAbsent, P::kUnknown, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsLeftoverInstanceFolder(c.lock, c.process), c.leftover)
        << static_cast<int>(c.lock) << " " << static_cast<int>(c.process);
}
