// What the player does, decided without a window: the transport of the clip
// that plays (which second shows, when to seek, stop or move on) and the
// playlist's rows. The window asks, applies the plan it gets back and calls
// nothing here that touches the screen.
#pragma once

#include <string>
#include <vector>

struct PlaylistRow {
  std::string strPath;  // the full path
  std::string strText;  // the display text, as listed
  bool bReadOnly = false;
};

// One tick, or anything that shows a second as a tick does.
struct TickPlan {
  int nShowSec = 0;            // the second to show
  int nLengthSec = 0;          // the length beside it in the time text
  bool bWritePosition = false;  // the map's position file follows the second
  bool bRetryMap = false;       // ask the map for its page again (it is offline)
  int nAdvanceRow = -1;         // load this playlist row now; -1: none
  bool bStop = false;           // the clip ended with nothing to follow: stop
};

// After the engine has opened a clip.
struct LoadPlan {
  int nSeekSec = -1;      // seek there before anything shows; -1: stay at 0
  TickPlan show;          // then show this second at once
  bool bShowVideo = true;  // the video may show now (it waited for its start second)
  bool bEnterFullScreen = false;  // full screen was asked for while it loaded
  std::string strProblem;         // tell the user, once the clip plays; empty: nothing
};

// The play button, or Play after Stop.
struct PlayPlan {
  enum Action { kNothing, kPause, kResume, kLoadRow, kReloadClip };
  Action action = kNothing;
  int nRow = -1;  // for kLoadRow
};

// A seek asked for by the slider, the graph or a frame step.
struct SeekPlan {
  bool bSeek = false;     // false: nothing is open to seek in
  int nSecond = 0;        // clamped to the clip
  bool bShowNow = false;  // paused: the second shows at once, the tick would not come
};

class PlayerModel {
 public:
  // The clip.
  int nClipLengthSec = 0;
  int nShownSec = 0;
  int bHasSidecar = 0;
  int bStopped = 1;
  // The command-line start: its second waits for the clip to load.
  int bStartPending = 0;
  int nStartSec = -1;
  // The playlist row that plays, when bPlayingListRow is set.
  int nPlayIndex = 0;
  int bPlayingListRow = 0;
  // The other camera's clip playing with this one (empty: none); its row is
  // not played again on its own when it comes next.
  std::string strPartnerPath;
  // Ticks without a map, counted toward the next retry; never reset by a load.
  int nMapRetryCounter = 1;

  // Loading. A load runs the engine's own message loop, so the user can ask
  // for full screen while it opens the clip; it is kept for the end of the load.
  void BeginLoad() {
    bLoading = true;
    strPartnerPath.clear();
  }
  bool IsLoading() const { return bLoading; }
  // True when full screen can be entered now; else it is kept for the load's end.
  bool AskFullScreen();
  LoadPlan Loaded(int lengthSec, bool hasSidecar, bool ready);
  // A row, or a clip opened without a row, is about to load.
  void LoadRow(int row);
  void LoadUnlisted();

  // The tick: where the engine is, how long the clip is, whether the map is online.
  TickPlan Tick(int positionSec, int lengthSec, bool mapOnline);
  // What a paused seek shows at once: the tick's display, nothing else.
  TickPlan ShowOnly(int second) const;
  // A second shown outside the tick (a paused seek, a frame step): it is the shown one now.
  TickPlan ShowAt(int second) {
    nShownSec = second;
    return ShowOnly(second);
  }
  SeekPlan Seek(int second, bool playing) const;
  PlayPlan Play(int selectedRow, bool playing, bool hasClip) const;
  void Stopped() { bStopped = 1; }
  void ShownZero() { nShownSec = 0; }

  // The playlist, in display order.
  const std::vector<PlaylistRow>& Rows() const { return rows; }
  int RowCount() const { return static_cast<int>(rows.size()); }
  const PlaylistRow* Row(int i) const;
  std::string PathAt(int i) const;
  int PlayingRow() const { return bPlayingListRow ? nPlayIndex : -1; }
  // A row that went in at `at` (where the list sorted it): one below moves the playing row.
  void Insert(int at, PlaylistRow row);
  // Removes row i; returns the row to select after it (-1: none). The playing
  // clip plays on; the row that followed it comes next.
  int Delete(int i);
  // A new folder: the rows go, Refilled finds the playing clip among the new ones.
  void Clear() { rows.clear(); }
  void Refilled(const std::string& playingPath);

 private:
  int RowAfterPlaying() const;
  std::vector<PlaylistRow> rows;
  bool bLoading = false;
  bool bFullScreenPending = false;
};

// Paths compare without regard to ASCII case, as the file system does.
bool SamePath(const std::string& a, const std::string& b);
// What the user is told when the start second lies past the clip's end.
std::string StartBeyondEndText(int startSec, int lengthSec);
