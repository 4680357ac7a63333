// The main window's side of a clip played with the other camera's clip: the
// front clip always loads in the main engine (its sound, its clock), the rear
// one beside it; a rear row plays the pair with its picture large.
#include "app/MediaPlayerDlg_win.h"
#include "app/pair_playlist.h"
#include "telemetry/text_file.h"
#include "video/MediaLib_win.h"

namespace {

bool Exists(const std::string& path) { return textfile::CanOpenForReading(path); }

}  // namespace

std::string CMediaPlayerDlg::LoadPairFront(const std::string& path) {
  strLoadedPath = path;
  const PairLoad load = PairLoadFor(path, Exists);
  strPairPartner = load.strRear;
  bPairPartnerLarge = load.bRearLarge;
  return load.strFront;
}

void CMediaPlayerDlg::OpenPairPartner() {
  if (strPairPartner.empty() || !pMediaLib || !pMediaLib->IsReady()) return pair.Close();
  pair.Open(strPairPartner, bPairPartnerLarge);
  // Auto-advance does not play the other row of the pair on its own.
  if (pair.IsOpen())
    model.strPartnerPath = SamePath(strLoadedPath, pMediaLib->ClipPath()) ? strPairPartner
                                                                         : pMediaLib->ClipPath();
}

// The large picture's frame. A rear picture's snapshot waits with the main
// clip paused, so both cameras stand at the moment it shows.
void CMediaPlayerDlg::SnapshotOf(CMediaLib& engine) {
  if (&engine == pMediaLib.get()) return pMediaLib->TakeSnapshot(m_hWnd);
  const bool playing = IsPlaying();
  if (playing) pMediaLib->Pause();
  pair.Follow();
  // A seek puts the master's moment on screen and gives the renderer a frame
  // to hand out (a graph paused while playing may hold none yet).
  engine.SeekExact(pMediaLib->ExactPosition());
  // The folder offered is the last one either camera's snapshot went to.
  engine.strSnapshotDir = pMediaLib->strSnapshotDir;
  engine.TakeSnapshot(m_hWnd);
  pMediaLib->strSnapshotDir = engine.strSnapshotDir;
  if (playing) pMediaLib->Play();
  pair.Follow();
}
