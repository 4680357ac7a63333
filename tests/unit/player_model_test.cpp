// The player's decisions, one table per behaviour.
#include "app/player_model.h"

#include <gtest/gtest.h>

namespace {

PlaylistRow RowOf(const std::string& path) { return PlaylistRow{path, path, false}; }

PlayerModel WithRows(int count) {
  PlayerModel m;
  for (int i = 0; i < count; ++i) m.Insert(i, RowOf("D:\\c" + std::to_string(i) + ".MP4"));
  return m;
}

}  // namespace

TEST(PlayerModel, TheTickShowsAdvancesOrStops) {
  struct Case {
    int rows, playIndex, listed, length, position;
    int advance;
    bool stop;
  } cases[] = {
      {3, 0, 1, 60, 30, -1, false},  // mid-clip: just shows
      {3, 0, 1, 60, 60, 1, false},   // end of a row with one after it: the next row
      {3, 2, 1, 60, 60, -1, true},   // end of the last row: stop
      {3, 0, 0, 60, 60, -1, true},   // end of a clip opened without a row: stop
      {3, -1, 1, 60, 60, 0, false},  // the playing row was deleted: the one after it
      {0, 0, 0, 0, 0, -1, true},     // a clip that could not be rendered stops at once
  };
  for (const Case& c : cases) {
    PlayerModel m = WithRows(c.rows);
    m.LoadRow(c.playIndex);
    m.bPlayingListRow = c.listed;
    m.Loaded(c.length, true, true);
    const TickPlan plan = m.Tick(c.position, c.length, true);
    EXPECT_EQ(plan.nShowSec, c.position);
    EXPECT_EQ(plan.nLengthSec, c.length);
    EXPECT_TRUE(plan.bWritePosition);
    EXPECT_EQ(plan.nAdvanceRow, c.advance) << c.rows << " " << c.playIndex << " " << c.position;
    EXPECT_EQ(plan.bStop, c.stop) << c.rows << " " << c.playIndex << " " << c.position;
    EXPECT_EQ(m.nShownSec, c.position);
  }
}

TEST(PlayerModel, AutoAdvanceDoesNotReplayTheRearClipOfAPair) {
  const std::vector<std::string> rows = {"D:\\A.MP4", "D:\\AR.MP4", "D:\\B.MP4", "D:\\BR.MOV"};
  struct Case {
    int playIndex;
    const char* partner;  // what played with it; "" alone
    int advance;
  } cases[] = {
      {0, "D:\\AR.MP4", 2},   // the front of a pair: its rear row is skipped
      {0, "d:\\ar.mp4", 2},   // paths compare as the file system does
      {0, "", 1},               // the rear could not play with it: it plays on its own
      {1, "D:\\A.MP4", 2},    // a rear row played as the pair: on to the next front
      {2, "D:\\BR.MOV", -1},  // the last pair: nothing after its rear row
      {2, "D:\\XR.MP4", 3},   // a partner that is not the next row skips nothing
  };
  for (const Case& c : cases) {
    PlayerModel m;
    for (size_t i = 0; i < rows.size(); ++i) m.Insert(static_cast<int>(i), RowOf(rows[i]));
    m.LoadRow(c.playIndex);
    m.BeginLoad();
    m.Loaded(60, true, true);
    m.strPartnerPath = c.partner;
    const TickPlan plan = m.Tick(60, 60, true);
    EXPECT_EQ(plan.nAdvanceRow, c.advance) << c.playIndex << " " << c.partner;
    EXPECT_EQ(plan.bStop, c.advance < 0) << c.playIndex << " " << c.partner;
  }
  PlayerModel m;
  m.strPartnerPath = "D:\\AR.MP4";
  m.BeginLoad();
  EXPECT_EQ(m.strPartnerPath, "") << "a new load starts without a partner";
}

TEST(PlayerModel, TheStartSecondIsAppliedAtTheLoadNotOnATick) {
  struct Case {
    int start, length;
    bool ready;
    int seek, shown;
    bool problem;
  } cases[] = {
      {35, 60, true, 35, 35, false},  // the first second shown is the start second
      {0, 60, true, -1, 0, false},    // second 0: no seek, 0 shows, never 1 then 0
      {60, 60, true, 60, 60, false},  // the very end still seeks there
      {61, 60, true, -1, 0, true},    // past the end: says so, plays from the start
      {61, 0, false, -1, 0, false},   // not rendered: the engine has told the user already
  };
  for (const Case& c : cases) {
    PlayerModel m = WithRows(1);
    m.nStartSec = c.start;
    m.bStartPending = 1;
    m.LoadRow(0);
    const LoadPlan plan = m.Loaded(c.length, true, c.ready);
    EXPECT_EQ(plan.nSeekSec, c.seek) << c.start;
    EXPECT_EQ(plan.show.nShowSec, c.shown) << c.start;
    EXPECT_EQ(!plan.strProblem.empty(), c.problem) << c.start;
    EXPECT_EQ(m.bStartPending, 0);
    EXPECT_EQ(m.bStopped, 0);
    // The next load is a plain one.
    EXPECT_EQ(m.Loaded(c.length, true, c.ready).nSeekSec, -1);
  }
  PlayerModel m;
  m.nStartSec = 61;
  m.bStartPending = 1;
  EXPECT_NE(m.Loaded(60, false, true).strProblem.find("60 s long"), std::string::npos);
}

TEST(PlayerModel, TheMapIsRetriedOnTheTenthTickWithoutItThenEveryNinth) {
  PlayerModel m = WithRows(0);
  m.Loaded(1000, true, true);
  std::vector<int> retries;
  for (int tick = 1; tick <= 30; ++tick) {
    const bool online = tick <= 3 || tick == 20;  // online ticks do not count
    if (m.Tick(tick, 1000, online).bRetryMap) retries.push_back(tick);
  }
  // Offline ticks 4..: the 10th offline tick is 13; 9 more offline ticks (20 is online) give 23.
  EXPECT_EQ(retries, (std::vector<int>{13, 23}));
  m.Loaded(1000, true, true);  // a load does not reset the count
  int next = 0;
  for (int tick = 1; next == 0 && tick < 20; ++tick)
    if (m.Tick(tick, 1000, false).bRetryMap) next = tick;
  EXPECT_EQ(next, 2);
}

TEST(PlayerModel, SeeksClampToTheClipAndShowAtOnceWhilePaused) {
  struct Case {
    bool stopped;
    int length, second;
    bool playing;
    bool seek;
    int to;
    bool showNow;
  } cases[] = {
      {false, 60, 30, true, true, 30, false},
      {false, 60, 30, false, true, 30, true},  // paused: the telemetry follows the picture
      {false, 60, 1800, false, true, 60, true},
      {false, 60, -5, true, true, 0, false},
      {true, 60, 30, false, false, 0, false},  // after Stop nothing is open: ignored
      {false, 0, 3, false, false, 0, false},   // a clip that did not render
  };
  for (const Case& c : cases) {
    PlayerModel m;
    m.Loaded(c.length, true, true);
    if (c.stopped) m.Stopped();
    const SeekPlan plan = m.Seek(c.second, c.playing);
    EXPECT_EQ(plan.bSeek, c.seek) << c.second;
    if (!plan.bSeek) continue;
    EXPECT_EQ(plan.nSecond, c.to) << c.second;
    EXPECT_EQ(plan.bShowNow, c.showNow) << c.second;
  }
}

TEST(PlayerModel, ThePlayButtonPausesResumesOrLoads) {
  struct Case {
    bool stopped, playing, hasClip;
    int selected;
    PlayPlan::Action action;
    int row;
  } cases[] = {
      {false, true, true, 1, PlayPlan::kPause, -1},
      {false, false, true, 1, PlayPlan::kResume, -1},
      {true, false, true, 1, PlayPlan::kLoadRow, 1},     // after Stop: the selected row
      {true, false, true, -1, PlayPlan::kReloadClip, -1},  // no row: the clip opened before
      {true, false, false, -1, PlayPlan::kNothing, -1},
      {true, false, false, 1, PlayPlan::kLoadRow, 1},  // nothing loaded yet, a row selected
      {true, false, false, 7, PlayPlan::kNothing, -1},  // a selection past the rows
  };
  for (const Case& c : cases) {
    PlayerModel m = WithRows(2);
    if (!c.stopped) m.Loaded(60, false, true);
    const PlayPlan plan = m.Play(c.selected, c.playing, c.hasClip);
    EXPECT_EQ(plan.action, c.action) << c.stopped << c.playing << c.hasClip << c.selected;
    if (plan.action == PlayPlan::kLoadRow) {
      EXPECT_EQ(plan.nRow, c.row);
    }
  }
}

TEST(PlayerModel, ThePlayingRowFollowsInsertsDeletesAndRefills) {
  PlayerModel m = WithRows(3);  // c0 c1 c2
  m.LoadRow(1);
  m.Insert(0, RowOf("D:\\a.MP4"));  // above: moves it down
  EXPECT_EQ(m.PlayingRow(), 2);
  m.Insert(3, RowOf("D:\\d.MP4"));  // below: stays
  EXPECT_EQ(m.PlayingRow(), 2);
  EXPECT_EQ(m.PathAt(2), "D:\\c1.MP4");
  EXPECT_EQ(m.Delete(0), -1);  // the top row: nothing selected after it
  EXPECT_EQ(m.PlayingRow(), 1);
  EXPECT_EQ(m.Delete(2), 1);  // below the playing row
  EXPECT_EQ(m.PlayingRow(), 1);
  EXPECT_EQ(m.Delete(9), -1);  // no such row: nothing changes
  EXPECT_EQ(m.RowCount(), 3);
  m.Clear();
  for (const char* p : {"D:\\x.MP4", "D:\\C1.mp4"}) m.Insert(m.RowCount(), RowOf(p));
  m.Refilled("D:\\c1.MP4");  // the same file, another case
  EXPECT_EQ(m.PlayingRow(), 1);
  m.Clear();
  m.Refilled("D:\\c1.MP4");  // not listed any more: it ends without moving on
  EXPECT_EQ(m.PlayingRow(), -1);
  EXPECT_EQ(m.PathAt(0), "");
}

TEST(PlayerModel, FullScreenAskedForWhileLoadingComesAfterTheLoad) {
  PlayerModel m;
  EXPECT_TRUE(m.AskFullScreen());
  m.BeginLoad();
  EXPECT_FALSE(m.AskFullScreen());
  EXPECT_TRUE(m.Loaded(60, false, true).bEnterFullScreen);
  m.BeginLoad();
  EXPECT_FALSE(m.AskFullScreen());
  EXPECT_FALSE(m.Loaded(0, false, false).bEnterFullScreen);  // nothing to show
  EXPECT_FALSE(m.Loaded(60, false, true).bEnterFullScreen);  // asked once, used once
}
