// What the listing learns of its clips: each row's facts (times, distance,
// G-force events) read from its sidecar a chunk of rows at a time after the
// rows change, and the trips built from them for the playlist to draw.
#include <windows.h>

#include <utility>

#include "app/MediaPlayerDlg_win.h"
#include "app/clip_names.h"
#include "app/playlist_text.h"
#include "framework/Trace_win.h"

namespace {

// Rows whose sidecars are read per posted message: a 60 s sidecar takes a few
// milliseconds, so the window answers between chunks.
constexpr int kFactsPerChunk = 16;

int64_t UnixSeconds(const FILETIME& utc) {
  ULARGE_INTEGER ticks;
  ticks.LowPart = utc.dwLowDateTime;
  ticks.HighPart = utc.dwHighDateTime;
  constexpr uint64_t kTicksTo1970 = 116444736000000000ull;  // 100 ns ticks from 1601
  if (ticks.QuadPart < kTicksTo1970) return 0;
  return static_cast<int64_t>((ticks.QuadPart - kTicksTo1970) / 10000000ull);
}

// Local time minus UTC, in seconds, as the user's time zone has it now.
int64_t UtcOffsetSeconds() {
  TIME_ZONE_INFORMATION zone{};
  const DWORD which = GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;  // UTC = local + bias, in minutes
  if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  return -static_cast<int64_t>(bias) * 60;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Until its sidecar is read a clip stands in with its file time as its end.
ClipFacts StandIn(const std::string& path, int64_t writeTime) {
  ClipFacts facts;
  facts.strName = FileNameOf(path);
  facts.nEnd = writeTime;
  facts.nStart = writeTime - kUnknownClipLengthSec;
  facts.source = ClipTimeSource::kFileTimeNoLength;
  return facts;
}

}  // namespace

// A clip listed (again): its facts are read anew when its file changed.
void CMediaPlayerDlg::NoteListedClip(const std::string& path, const FILETIME& written) {
  const int64_t writeTime = UnixSeconds(written);
  ListedClip& clip = listedClips[path];
  if (clip.bRead && clip.nWriteTime == writeTime) return;
  clip = ListedClip();
  clip.nWriteTime = writeTime;
}

// After any change of the rows (each row added, deleted, the list emptied):
// the reading starts again from the posted message, once for many changes.
void CMediaPlayerDlg::ListingChanged() {
  ++nFactsGeneration;
  PostMessageA(m_hWnd, kReadFactsMessage, nFactsGeneration, 0);
}

// Clips no longer listed are forgotten; a clip listed without its folder's
// data has its time asked of the file.
void CMediaPlayerDlg::SyncListedClips() {
  std::map<std::string, ListedClip> kept;
  for (const PlaylistRow& row : model.Rows()) {
    auto found = listedClips.find(row.strPath);
    if (found != listedClips.end()) {
      kept.insert(std::move(*found));
      continue;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    ListedClip& clip = kept[row.strPath];
    if (GetFileAttributesExA(row.strPath.c_str(), GetFileExInfoStandard, &data))
      clip.nWriteTime = UnixSeconds(data.ftLastWriteTime);
  }
  listedClips = std::move(kept);
}

bool CMediaPlayerDlg::ReadingListedFacts() const {
  for (const PlaylistRow& row : model.Rows()) {
    auto found = listedClips.find(row.strPath);
    if (found == listedClips.end() || !found->second.bRead) return true;
  }
  return false;
}

// One chunk of the rows in display order; the next is posted while any is left.
void CMediaPlayerDlg::ReadFactsChunk(WPARAM generation) {
  if (generation != nFactsGeneration) return;  // the rows changed since: a newer reading runs
  SyncListedClips();
  int read = 0;
  for (const PlaylistRow& row : model.Rows()) {
    ListedClip& clip = listedClips[row.strPath];
    if (clip.bRead) continue;
    if (read == kFactsPerChunk) break;
    const std::string sidecar = SidecarPathOf(row.strPath, FileExists);
    clip.facts = ReadClipFacts(row.strPath, FileExists(sidecar) ? sidecar : std::string(),
                               clip.nWriteTime);
    clip.bRead = true;
    ++read;
  }
  RebuildTrips();
  if (ReadingListedFacts()) PostMessageA(m_hWnd, kReadFactsMessage, generation, 0);
}

// The trips of the rows as far as their facts are known, handed to the list.
void CMediaPlayerDlg::RebuildTrips() {
  std::vector<ClipFacts> rows;
  rows.reserve(static_cast<size_t>(model.RowCount()));
  for (const PlaylistRow& row : model.Rows()) {
    const ListedClip& clip = listedClips[row.strPath];
    rows.push_back(clip.bRead ? clip.facts : StandIn(row.strPath, clip.nWriteTime));
  }
  trips.Build(std::move(rows), UtcOffsetSeconds());
  std::vector<ListRowTrip> looks(static_cast<size_t>(trips.RowCount()));
  for (int row = 0; row < trips.RowCount(); ++row) {
    ListRowTrip& look = looks[static_cast<size_t>(row)];
    const int trip = trips.TripOf(row);
    look.startsTrip = trip >= 0 && trips.StartsTrip(row);
    if (look.startsTrip) look.label = trips.Label(trip);
    look.band = trip >= 0 ? trip % 2 : -1;
    look.hasEvents = trips.HasEvents(row);
  }
  playlistBox.SetRowTrips(std::move(looks));
}
