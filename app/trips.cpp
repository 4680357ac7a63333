#include "app/trips.h"

#include <map>

#include "app/clip_names.h"

bool IsRearClipName(const std::string& name) { return HasRearCameraMark(name); }

namespace {

std::string FrontNameOf(const std::string& rear) {
  const size_t ext = ClipExtensionAt(rear);
  return rear.substr(0, ext - 1) + rear.substr(ext);
}

bool StartsTrip(const TripClip& previous, const TripClip& clip) {
  const int64_t gap = clip.nStart - previous.nEnd;
  return gap > kTripGapSeconds || gap < -kTripGapSeconds || clip.nDay != previous.nDay;
}

}  // namespace

std::vector<int> GroupTrips(const std::vector<TripClip>& clips) {
  std::vector<int> trip(clips.size(), 0);
  std::map<std::string, int> frontTrip;  // front clip name: its trip
  const TripClip* previous = nullptr;     // the last front clip
  int current = -1;
  for (size_t i = 0; i < clips.size(); ++i) {
    const TripClip& clip = clips[i];
    if (IsRearClipName(clip.strName)) {  // before any front clip: the first trip
      const auto front = frontTrip.find(FrontNameOf(clip.strName));
      trip[i] = front != frontTrip.end() ? front->second : (current < 0 ? 0 : current);
      continue;
    }
    if (previous == nullptr || StartsTrip(*previous, clip)) ++current;
    trip[i] = current;
    frontTrip[clip.strName] = current;
    previous = &clip;
  }
  return trip;
}
