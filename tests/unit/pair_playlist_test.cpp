#include "app/pair_playlist.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

FileExistsCheck ExistsIn(const std::vector<std::string>& files) {
  const std::set<std::string> set(files.begin(), files.end());
  return [set](const std::string& path) { return set.count(path) != 0; };
}

struct NextCase {
  const char* what;
  std::vector<std::string> rows;
  int played;
  bool asPair;
  int want;
};

TEST(PairPlaylist, AutoAdvanceSkipsThePartnerJustPlayed) {
  const NextCase cases[] = {
      {"front then rear: the rear is skipped", {"D:\\A.MP4", "D:\\AR.MP4", "D:\\B.MP4"}, 0, true, 2},
      {"front played alone: its rear plays next", {"D:\\A.MP4", "D:\\AR.MP4", "D:\\B.MP4"}, 0, false,
       1},
      {"a rear played as a pair: the next clip", {"D:\\A.MP4", "D:\\AR.MP4", "D:\\B.MP4"}, 1, true, 2},
      {"rear before front: the front is skipped", {"AR.MP4", "A.MP4", "C.MP4"}, 0, true, 2},
      {"a rear without a front plays on", {"XR.MP4", "Y.MP4"}, 0, true, 1},
      {"a front without a rear plays on", {"B.MP4", "C.MP4", "CR.MP4"}, 0, true, 1},
      {"the pair's rear is the last row: the end", {"B.MP4", "C.MP4", "CR.MP4"}, 1, true, -1},
      {"several pairs", {"A.MP4", "AR.MP4", "B.MP4", "BR.MOV", "C.MP4"}, 2, true, 4},
      {"the last row", {"A.MP4", "AR.MP4", "C.MP4"}, 2, true, -1},
      {"a rear listed further down is not skipped", {"A.MP4", "B.MP4", "AR.MP4"}, 0, true, 1},
      {"no row played", {"A.MP4", "B.MP4"}, -1, true, -1},
      {"a row past the list", {"A.MP4", "B.MP4"}, 5, true, -1},
      {"an empty list", {}, 0, true, -1},
  };
  for (const NextCase& c : cases)
    EXPECT_EQ(NextRowAfter(c.rows, c.played, c.asPair, ExistsIn(c.rows)), c.want) << c.what;
}

struct LoadCase {
  const char* what;
  std::string path;
  std::string front, rear;
  bool rearLarge;
};

TEST(PairPlaylist, ARowLoadsItsPairWithTheChosenCameraLarge) {
  const std::vector<std::string> folder = {"D:\\C\\A.MP4", "D:\\C\\AR.MP4", "D:\\C\\B.MOV",
                                           "D:\\C\\XR.MP4", "D:\\C\\CAR.TS", "D:\\C\\CARR.ts"};
  const LoadCase cases[] = {
      {"a front row: front large, rear small", "D:\\C\\A.MP4", "D:\\C\\A.MP4", "D:\\C\\AR.MP4", false},
      {"a rear row: rear large", "D:\\C\\AR.MP4", "D:\\C\\A.MP4", "D:\\C\\AR.MP4", true},
      {"a clip alone", "D:\\C\\B.MOV", "D:\\C\\B.MOV", "", false},
      {"a rear without a front plays alone", "D:\\C\\XR.MP4", "D:\\C\\XR.MP4", "", false},
      {"a name ending in R with its own rear", "D:\\C\\CAR.TS", "D:\\C\\CAR.TS", "D:\\C\\CARR.ts",
       false},
  };
  for (const LoadCase& c : cases) {
    const PairLoad load = PairLoadFor(c.path, ExistsIn(folder));
    EXPECT_EQ(load.strFront, c.front) << c.what;
    EXPECT_EQ(load.strRear, c.rear) << c.what;
    EXPECT_EQ(load.bRearLarge, c.rearLarge) << c.what;
  }
}

}  // namespace
