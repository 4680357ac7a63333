// The window layout as a pure function of the client size: every control's
// rectangle from fixed proportions of a 1366 x 768 canvas, text labels sized
// to their text in the layout font (height H / 52).
#pragma once

#include <functional>
#include <string>
#include <vector>

struct LayoutSize {
  int cx = 0;
  int cy = 0;
};

class LayoutScale {
 public:
  LayoutScale(int width, int height) : W(width), H(height) {}
  int sx(int v) const { return static_cast<int>(static_cast<long long>(v) * W / 1366); }
  int sy(int v) const { return static_cast<int>(static_cast<long long>(v) * H / 768); }
  // Font height and text row.
  int s() const { return H / 52; }
  int h() const { return s() / 2; }
  // trunc(sx(v) x 1.3): the scaled integer, widened by 1.3.
  int Wide(int v) const { return static_cast<int>(static_cast<double>(sx(v)) * 1.3); }
  int W, H;
};

// The main window's client size as the layout last took it, and whether that
// pass followed a size change (the map re-shows its page after one).
struct ClientGeometry {
  int nClientWidth = 1366;
  int nClientHeight = 768;
  int bSizeChanged = 1;
  LayoutScale Scale() const { return LayoutScale(nClientWidth, nClientHeight); }
};

enum class Visibility { unchanged, show, hide };

struct LayoutItem {
  int id = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  bool bFitted = false;  // sized to the control's text
  Visibility show = Visibility::unchanged;
};

// Measures a control's current text in the layout font.
using MeasureText = std::function<LayoutSize(int id)>;

// The normal layout pass (title bar, player area, side panel, readouts).
std::vector<LayoutItem> NormalLayout(const LayoutScale& scale, const MeasureText& measure);
// The enlarged layout pass.
std::vector<LayoutItem> EnlargedLayout(const LayoutScale& scale, const MeasureText& measure);

// The controls that a normal pass still moves while the enlarged layout is on:
// the title bar and the controls that are never shown.
bool MovesInEnlargedLayout(int id);

// Which controls each layout hides and shows.
const std::vector<int>& HiddenWhenEnlarged();
const std::vector<int>& ShownWhenEnlarged();
const std::vector<int>& ShownWhenNormal();
const std::vector<int>& HiddenWhenNormal();

// "id x y cx cy [fitted] [show|hide]" per line, for tests and traces.
std::string DescribeLayout(const std::vector<LayoutItem>& items);

// The smallest window, whatever changes its size.
constexpr long kMinWindowWidth = 684, kMinWindowHeight = 324;

// Keeps a dragged window rectangle at least 684 x 324, moving the dragged edge.
enum class DragEdge { left, right, top, topLeft, topRight, bottom, bottomLeft, bottomRight };
struct WindowRect {
  long left, top, right, bottom;
};
void KeepMinimumSize(DragEdge edge, WindowRect& rect);
