#include "tools/trip_report.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

#include "app/clip_facts.h"
#include "app/clip_names.h"
#include "app/playlist_text.h"
#include "app/trip_index.h"
#include "app/trips.h"
#include "telemetry/sidecar_times.h"
#include "telemetry/text_file.h"

namespace {

struct ListedClip {
  std::string strSortText;  // what the playlist sorts by
  std::string strPath;
  int64_t nWriteTime = 0;
};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

int64_t SecondsOf(const std::tm& t) {
  return UtcSeconds(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

// Local minus UTC now, from the C library's two readings of one moment.
int64_t LocalUtcOffset() {
  const std::time_t now = std::time(nullptr);
  const std::tm* utc = std::gmtime(&now);
  if (utc == nullptr) return 0;
  const int64_t u = SecondsOf(*utc);
  const std::tm* local = std::localtime(&now);
  return local == nullptr ? 0 : SecondsOf(*local) - u;
}

std::string DurationText(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

// The playlist shows the name and the local write time; it sorts by that text.
std::string SortText(const std::string& name, int64_t writeTime) {
  const std::time_t t = static_cast<std::time_t>(writeTime);
  const std::tm* local = std::localtime(&t);
  return PlaylistDisplayText(name, local != nullptr ? PlaylistTimeText(*local, false) : "");
}

bool ListClips(const std::string& folder, std::vector<ListedClip>& clips) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return false;
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '/' && prefix.back() != '\\') prefix += '/';
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat st;
    if (!IsVideoFileName(name) || stat((prefix + name).c_str(), &st) != 0 ||
        (st.st_mode & S_IFMT) != S_IFREG)
      continue;
    const int64_t written = static_cast<int64_t>(st.st_mtime);
    clips.push_back({SortText(name, written), prefix + name, written});
  }
  closedir(dir);
  std::sort(clips.begin(), clips.end(), [](const ListedClip& a, const ListedClip& b) {
    return a.strSortText < b.strSortText;
  });
  return true;
}

// The trip's first and last front-camera rows (its first and last rows without one).
std::pair<int, int> FrontEnds(const TripIndex& index, int trip) {
  const TripSummary& t = *index.Trip(trip);
  int first = -1, last = -1;
  for (int r = t.nFirstRow; r <= t.nLastRow; ++r) {
    if (index.TripOf(r) != trip || IsRearClipName(index.Facts(r)->strName)) continue;
    if (first < 0) first = r;
    last = r;
  }
  return first < 0 ? std::make_pair(t.nFirstRow, t.nLastRow) : std::make_pair(first, last);
}

}  // namespace

std::string UtcText(int64_t utc) {
  const int64_t days = FloorDiv(utc, 86400), inDay = utc - days * 86400;
  // The civil date of a day count (H. Hinnant's method, from 1970-01-01).
  const int64_t z = days + 719468, era = FloorDiv(z, 146097), doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1, month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char text[48];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02dZ",
                static_cast<long long>(year), static_cast<int>(month), static_cast<int>(day),
                static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60),
                static_cast<int>(inDay % 60));
  return text;
}

void AppendTripReport(const TripIndex& index, std::string& out) {
  char line[512];
  std::snprintf(line, sizeof line, "trips %d clips %d\n", index.TripCount(), index.RowCount());
  out += line;
  for (int trip = 0; trip < index.TripCount(); ++trip) {
    const TripSummary& t = *index.Trip(trip);
    const std::pair<int, int> ends = FrontEnds(index, trip);
    const ClipFacts& first = *index.Facts(ends.first);
    const ClipFacts& last = *index.Facts(ends.second);
    std::snprintf(line, sizeof line,
                  "trip %d first %s last %s\n  start %s (%s) end %s (%s)\n"
                  "  length %s km %.1f clips %d\n",
                  trip + 1, first.strName.c_str(), last.strName.c_str(), UtcText(t.nStart).c_str(),
                  DescribeTimeSource(first.source), UtcText(t.nEnd).c_str(),
                  DescribeTimeSource(last.source), DurationText(t.nLengthSec).c_str(), t.dKm,
                  t.nClips);
    out += line;
    for (int r = t.nFirstRow; r <= t.nLastRow; ++r) {
      if (index.TripOf(r) != trip) continue;
      const ClipFacts& clip = *index.Facts(r);
      std::snprintf(line, sizeof line, "  clip %s %s %s %s events %d\n", clip.strName.c_str(),
                    UtcText(clip.nStart).c_str(), UtcText(clip.nEnd).c_str(),
                    DescribeTimeSource(clip.source), static_cast<int>(clip.events.size()));
      out += line;
    }
  }
}

int RunTripDump(const std::string& folder, std::FILE* out, std::FILE* err) {
  std::vector<ListedClip> clips;
  if (!ListClips(folder, clips)) {
    std::fprintf(err, "telemetry-dump: cannot read the folder %s\n", folder.c_str());
    return 1;
  }
  std::vector<ClipFacts> rows;
  rows.reserve(clips.size());
  for (const ListedClip& clip : clips)
    rows.push_back(ReadClipFacts(clip.strPath, SidecarPathOf(clip.strPath, textfile::CanOpenForReading),
                                 clip.nWriteTime));
  TripIndex index;
  index.Build(std::move(rows), LocalUtcOffset());
  std::string text;
  AppendTripReport(index, text);
  std::fwrite(text.data(), 1, text.size(), out);
  std::fflush(out);
  return 0;
}
