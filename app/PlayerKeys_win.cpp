// The player's keys: the key table (key_commands.h) run on the main window,
// for keys of the window itself and keys the video hands on (also in full
// screen). Every command does nothing while there is nothing to do it to.
#include "app/MediaPlayerDlg_win.h"
#include "app/key_commands.h"
#include "video/EngineInput_win.h"
#include "video/MediaLib_win.h"

namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

// Bit 30 of a key-down's lParam: the key was already down (auto-repeat).
bool IsRepeat(LPARAM lParam) { return (lParam & (LPARAM(1) << 30)) != 0; }

// A held key repeats faster than a seek settles. The repeats of that key
// already queued behind the one being handled are dropped, so the player
// follows the key instead of working through a backlog after it is let go.
void DropQueuedRepeats(UINT message, WPARAM key, bool forwarded) {
  MSG next;
  while (PeekMessageA(&next, NULL, message, message, PM_NOREMOVE) && next.wParam == key &&
         (forwarded ? (next.lParam & kForwardedRepeat) != 0 : IsRepeat(next.lParam)))
    PeekMessageA(&next, NULL, message, message, PM_REMOVE);
}

}  // namespace

bool CMediaPlayerDlg::OnKeyMessage(const MSG& msg) {
  if (msg.message == WM_CHAR) {
    const KeyCommand command = CommandForChar(static_cast<char32_t>(msg.wParam));
    RunKeyCommand(command);
    return command != KeyCommand::kNone;
  }
  if (msg.message != WM_KEYDOWN) return false;
  const KeyPress key{static_cast<int>(msg.wParam), Held(VK_SHIFT), Held(VK_CONTROL)};
  const KeyCommand command = CommandForKey(key);
  if (command == KeyCommand::kNone) return false;
  if (IsRepeat(msg.lParam)) DropQueuedRepeats(WM_KEYDOWN, msg.wParam, false);
  RunKeyCommand(command);
  return true;
}

void CMediaPlayerDlg::OnForwardedKey(WPARAM key, LPARAM flags) {
  if (flags & kForwardedChar) return RunKeyCommand(CommandForChar(static_cast<char32_t>(key)));
  if (flags & kForwardedRepeat) DropQueuedRepeats(CMediaLib::kForwardedKeyMessage, key, true);
  const KeyPress press{static_cast<int>(key), (flags & kForwardedShift) != 0,
                       (flags & kForwardedCtrl) != 0};
  RunKeyCommand(CommandForKey(press));
}

void CMediaPlayerDlg::RunKeyCommand(KeyCommand command) {
  if (IsSeekCommand(command)) return SeekByKey(command);
  switch (command) {
    case KeyCommand::kPlayPause:
      app_Play(0);
      break;
    case KeyCommand::kFrameBack:
      StepFrameBack();
      break;
    case KeyCommand::kFrameForward:
      OnFrameStepButton();
      break;
    case KeyCommand::kNextEvent:
      JumpToEvent(+1);
      break;
    case KeyCommand::kPreviousEvent:
      JumpToEvent(-1);
      break;
    case KeyCommand::kNextClip:
      PlayNeighbourRow(+1);
      break;
    case KeyCommand::kPreviousClip:
      PlayNeighbourRow(-1);
      break;
    case KeyCommand::kFullScreen:
      OnFullScreenButton();
      break;
    case KeyCommand::kLeaveFullScreen:
      break;  // the video's own key: it leaves full screen there
    case KeyCommand::kLargeView:
      OnLargeViewButton();
      break;
    case KeyCommand::kOpenVideo:
      OpenVideoFile();
      break;
    case KeyCommand::kPairLayout:
      pair.CycleLayout();
      break;
    case KeyCommand::kKeySheet:
      keySheet.Show(m_hWnd, fontLayout.Height());
      break;
    default:
      break;
  }
}

// From where the engine stands (the tick may not have shown it yet while a
// key is held), clamped to the clip.
void CMediaPlayerDlg::SeekByKey(KeyCommand command) {
  if (!pMediaLib || !pMediaLib->IsReady() || model.bStopped) return;
  const CMediaLib::Position at = pMediaLib->ReportPosition();
  const int length = at.length > 0 ? at.length : model.nClipLengthSec;
  if (length <= 0) return;
  SeekFromUser(SeekTarget(command, at.second, length));
}

void CMediaPlayerDlg::StepFrameBack() {
  if (!pMediaLib || !pMediaLib->IsReady() || model.bStopped) return;
  pMediaLib->StepFrameBack();
  pair.Follow();
  StopTimer();
  SetPlayButtonImage(false);
  ShowTickPlan(model.ShowAt(pMediaLib->ReportPosition().second));
}

// Within the clip a seek; to another clip of the trip, that row loads at the
// jump's second (a little before its event) as a start second does.
void CMediaPlayerDlg::JumpToEvent(int direction) {
  if (!pMediaLib || !pMediaLib->IsReady() || model.bStopped) return;
  const EventJump jump =
      trips.NextEvent(model.PlayingRow(), clipEvents, model.nShownSec, direction);
  if (!jump.bFound) return;
  if (jump.bLoad) {
    if (model.Row(jump.nRow) == nullptr) return;
    SendMessage(GetDlgItem(IDC_PLAYLIST), LB_SETCURSEL, jump.nRow, 0);
    StopClip();
    model.bStartPending = 1;
    model.nStartSec = static_cast<int>(jump.nSecond);
    LoadPlaylistRow(jump.nRow);
    SetPlayButtonImage(IsPlaying());
    return;
  }
  SeekFromUser(static_cast<int>(jump.nSecond));
}

// The row after (or before) the one that plays, selected and played as a
// double-click on it would; from a clip that is no row, the first (or last).
void CMediaPlayerDlg::PlayNeighbourRow(int direction) {
  const int count = model.RowCount();
  if (count == 0) return;
  const int playing = model.PlayingRow();
  const int row = playing < 0 ? (direction > 0 ? 0 : count - 1) : playing + direction;
  if (row < 0 || row >= count) return;
  SendMessage(GetDlgItem(IDC_PLAYLIST), LB_SETCURSEL, row, 0);
  PlayEntry();
}
