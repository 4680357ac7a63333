// Where the two cameras' pictures go when a clip plays with its partner: the
// small picture inset in the lower right corner, both side by side, or the
// large one alone.
#pragma once

enum class PairLayout { kInset, kSideBySide, kOff };

// The V key's cycle: inset -> side by side -> off -> inset.
PairLayout NextPairLayout(PairLayout layout);

struct PairRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
};

struct PairSize {
  int cx = 0;
  int cy = 0;
};

// An empty rect is all zeros; no rect ever has a negative size.
struct PairRects {
  PairRect large;
  PairRect small;        // empty: the small picture is not shown
  PairRect smallBorder;  // the frame drawn around the inset; empty otherwise
};

// Places the pictures in `videoArea`. A video without a size gets no rect.
PairRects PlacePair(PairRect videoArea, PairSize largeVideo, PairSize smallVideo, PairLayout layout);

// Whether a click at (x, y) falls on the small picture (the click swaps them).
bool HitsSmallPicture(const PairRects& rects, int x, int y);
