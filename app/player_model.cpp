#include "app/player_model.h"

#include "app/pair_playlist.h"

#include <algorithm>

namespace {

// The map asks for its page again on every tenth tick without it.
constexpr int kMapRetryTicks = 10;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string StartBeyondEndText(int startSec, int lengthSec) {
  return "The clip is " + std::to_string(lengthSec) + " s long, so it cannot start at second " +
         std::to_string(startSec) + ".\r\nIt plays from the start.";
}

bool PlayerModel::AskFullScreen() {
  if (!bLoading) return true;
  bFullScreenPending = true;
  return false;
}

void PlayerModel::LoadRow(int row) {
  nPlayIndex = row;
  bPlayingListRow = 1;
}

void PlayerModel::LoadUnlisted() { bPlayingListRow = 0; }

// The start second is applied here, before the first tick, so the first second
// shown is the one the clip starts at and the time never runs backwards.
LoadPlan PlayerModel::Loaded(int lengthSec, bool hasSidecar, bool ready) {
  LoadPlan plan;
  bLoading = false;
  nClipLengthSec = std::max(lengthSec, 0);
  bHasSidecar = hasSidecar ? 1 : 0;
  bStopped = 0;
  int start = 0;
  if (bStartPending) {
    if (nStartSec > 0 && nStartSec <= nClipLengthSec) start = nStartSec;
    if (ready && nStartSec > nClipLengthSec)
      plan.strProblem = StartBeyondEndText(nStartSec, nClipLengthSec);
    bStartPending = 0;
  }
  plan.nSeekSec = start > 0 ? start : -1;
  plan.show = ShowOnly(start);
  nShownSec = start;
  plan.bEnterFullScreen = bFullScreenPending && ready;
  bFullScreenPending = false;
  return plan;
}

TickPlan PlayerModel::ShowOnly(int second) const {
  TickPlan plan;
  plan.nShowSec = second;
  plan.nLengthSec = nClipLengthSec;
  plan.bWritePosition = bHasSidecar == 1;
  return plan;
}

TickPlan PlayerModel::Tick(int positionSec, int lengthSec, bool mapOnline) {
  TickPlan plan = ShowOnly(positionSec);
  plan.nLengthSec = lengthSec;
  if (!mapOnline) {
    if (nMapRetryCounter % kMapRetryTicks == 0) {
      plan.bRetryMap = true;
      nMapRetryCounter = 1;
    }
    ++nMapRetryCounter;
  }
  nShownSec = positionSec;
  const bool atEnd = nShownSec >= nClipLengthSec && nShownSec != 0;
  const int next = atEnd && bPlayingListRow ? RowAfterPlaying() : -1;
  if (next >= 0)
    plan.nAdvanceRow = next;
  else if (positionSec >= lengthSec)
    plan.bStop = true;
  return plan;
}

// A deleted playing row left nPlayIndex before the row that followed it.
int PlayerModel::RowAfterPlaying() const {
  if (nPlayIndex < 0) return RowCount() > 0 ? 0 : -1;
  std::vector<std::string> paths;
  for (const PlaylistRow& row : rows) paths.push_back(row.strPath);
  return NextRowAfter(paths, nPlayIndex, !strPartnerPath.empty(),
                      [this](const std::string& p) { return SamePath(p, strPartnerPath); });
}

SeekPlan PlayerModel::Seek(int second, bool playing) const {
  SeekPlan plan;
  if (bStopped || nClipLengthSec <= 0) return plan;  // nothing open to seek in
  plan.bSeek = true;
  plan.nSecond = std::min(std::max(second, 0), nClipLengthSec);
  plan.bShowNow = !playing;
  return plan;
}

PlayPlan PlayerModel::Play(int selectedRow, bool playing, bool hasClip) const {
  PlayPlan plan;
  if (playing) {
    plan.action = PlayPlan::kPause;
  } else if (bStopped && selectedRow >= 0 && selectedRow < RowCount()) {
    plan.action = PlayPlan::kLoadRow;
    plan.nRow = selectedRow;
  } else if (bStopped && hasClip) {
    plan.action = PlayPlan::kReloadClip;
  } else if (hasClip) {
    plan.action = PlayPlan::kResume;
  }
  return plan;
}

const PlaylistRow* PlayerModel::Row(int i) const {
  return i >= 0 && i < RowCount() ? &rows[static_cast<size_t>(i)] : nullptr;
}

std::string PlayerModel::PathAt(int i) const {
  const PlaylistRow* row = Row(i);
  return row ? row->strPath : std::string();
}

void PlayerModel::Insert(int at, PlaylistRow row) {
  at = std::min(std::max(at, 0), RowCount());
  rows.insert(rows.begin() + at, std::move(row));
  if (bPlayingListRow && at <= nPlayIndex) ++nPlayIndex;
}

int PlayerModel::Delete(int i) {
  if (Row(i) == nullptr) return -1;
  rows.erase(rows.begin() + i);
  if (bPlayingListRow && i <= nPlayIndex) --nPlayIndex;
  return i > 0 ? i - 1 : -1;
}

void PlayerModel::Refilled(const std::string& playingPath) {
  if (!bPlayingListRow) return;
  for (int i = 0; i < RowCount(); ++i) {
    if (SamePath(rows[static_cast<size_t>(i)].strPath, playingPath)) {
      nPlayIndex = i;
      return;
    }
  }
  bPlayingListRow = 0;  // no longer listed: it ends without moving on
}
