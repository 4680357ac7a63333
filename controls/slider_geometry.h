// The seek slider's arithmetic: the position under a point, the bar it paints
// (five grey-blue bands and the green played part) and what a press, a drag and
// a release tell the parent. The Win32 control does the drawing and posting.
#pragma once

#include <cstdint>
#include <vector>

struct SliderRgb {
  uint8_t red, green, blue;
  bool operator==(const SliderRgb& o) const {
    return red == o.red && green == o.green && blue == o.blue;
  }
};

// The position for a point at x over the channel [left, right) of a slider
// with range [min, max]: the ends map to min and max. A channel of no width
// gives min. Not clamped: the trackbar clamps when the position is set.
int SliderPositionAt(int x, int left, int right, int min, int max);

struct SliderBand {
  int top, bottom;  // rows [top, bottom)
  SliderRgb colour;
};
// The five bands of a bar `height` pixels high, lighter downwards.
std::vector<SliderBand> SliderBands(int height);

// Where the played part ends for position pos of nMax over [left, right), in
// single precision as the bar has always been drawn; -1 when nMax is 0 (no
// clip: no played part).
int PlayedBarEnd(int left, int right, int pos, int nMax);
// The played part's rows: light, darker middle, light.
std::vector<SliderBand> PlayedBarRows(int height);

// The ticks marking the clip's G-force events, drawn over the bar (played part
// or not): each second's tick is kEventTickWidth wide from x, where the played
// part ends when that second plays. Seconds outside [0, nMax] get none; nMax 0
// none at all. The tick stays inside [left, right).
constexpr int kEventTickWidth = 2;
constexpr SliderRgb kEventTickColour{220, 40, 40};
std::vector<int> EventTickXs(const std::vector<int64_t>& seconds, int left, int right, int nMax);

// What one mouse event during a press tells the parent (SB_THUMBTRACK 5 and
// SB_THUMBPOSITION 4, in order) and the drag's state.
class CSliderDrag {
 public:
  static constexpr int kThumbPosition = 4;
  static constexpr int kThumbTrack = 5;

  // `changed`: the position under the point differs from the slider's.
  std::vector<int> Press(bool changed);
  std::vector<int> Move(bool changed);
  std::vector<int> Release(bool changed);
  // The capture went elsewhere: the drag ends, and a moved drag still reports
  // its final position once.
  std::vector<int> CaptureLost();

  bool Dragging() const { return m_bDragging; }

 private:
  bool m_bDragging = false;
  bool m_bDragMoved = false;
};
