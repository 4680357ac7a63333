#include "app/pair_view.h"

#include <algorithm>

namespace {

// `video` as large as fits in `box` with its aspect ratio, centred.
PairRect Letterbox(const PairRect& box, const PairSize& video) {
  if (box.IsEmpty() || video.cx <= 0 || video.cy <= 0) return PairRect();
  const long long w = box.Width(), h = box.Height();
  long long fitW = w, fitH = w * video.cy / video.cx;
  if (fitH > h) {
    fitH = h;
    fitW = h * video.cx / video.cy;
  }
  if (fitW <= 0 || fitH <= 0) return PairRect();
  PairRect r;
  r.left = box.left + static_cast<int>((w - fitW) / 2);
  r.top = box.top + static_cast<int>((h - fitH) / 2);
  r.right = r.left + static_cast<int>(fitW);
  r.bottom = r.top + static_cast<int>(fitH);
  return r;
}

PairRect Inflate(const PairRect& r, int by) {
  return PairRect{r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// The inset: a quarter of the area's width (less when the area is flat),
// its border and a margin kept inside the area's lower right corner.
void PlaceInset(const PairRect& area, const PairSize& video, PairRects& out) {
  if (video.cx <= 0 || video.cy <= 0) return;
  const int border = area.Width() >= 1200 ? 2 : 1;
  const int margin = std::max(2, area.Width() / 160);
  const int room = margin + border;
  long long w = area.Width() / 4;
  long long h = w * video.cy / video.cx;
  const long long maxH = area.Height() / 2;
  if (h > maxH) {
    h = maxH;
    w = h * video.cx / video.cy;
  }
  if (w <= 0 || h <= 0 || w + 2 * room > area.Width() || h + 2 * room > area.Height()) return;
  out.small.right = area.right - room;
  out.small.bottom = area.bottom - room;
  out.small.left = out.small.right - static_cast<int>(w);
  out.small.top = out.small.bottom - static_cast<int>(h);
  out.smallBorder = Inflate(out.small, border);
}

}  // namespace

PairLayout NextPairLayout(PairLayout layout) {
  switch (layout) {
    case PairLayout::kInset:
      return PairLayout::kSideBySide;
    case PairLayout::kSideBySide:
      return PairLayout::kOff;
    case PairLayout::kOff:
      break;
  }
  return PairLayout::kInset;
}

PairRects PlacePair(PairRect videoArea, PairSize largeVideo, PairSize smallVideo, PairLayout layout) {
  PairRects out;
  if (videoArea.IsEmpty()) return out;
  if (layout == PairLayout::kSideBySide) {
    // A thin gutter between the halves, as wide as the inset's margin.
    const int gap = std::max(2, videoArea.Width() / 160);
    const int middle = videoArea.left + videoArea.Width() / 2;
    PairRect leftHalf = videoArea, rightHalf = videoArea;
    leftHalf.right = middle - gap / 2;
    rightHalf.left = middle + (gap - gap / 2);
    out.large = Letterbox(leftHalf, largeVideo);
    out.small = Letterbox(rightHalf, smallVideo);
    return out;
  }
  out.large = Letterbox(videoArea, largeVideo);
  if (layout == PairLayout::kInset) PlaceInset(videoArea, smallVideo, out);
  return out;
}

bool HitsSmallPicture(const PairRects& rects, int x, int y) {
  const PairRect& r = rects.small;
  return !r.IsEmpty() && x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
