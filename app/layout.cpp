#include "app/layout.h"

#include <sstream>

namespace {

class Builder {
 public:
  Builder(const LayoutScale& scale, const MeasureText& measure) : k(scale), measure(measure) {}

  void Move(int id, int x, int y, int cx, int cy, Visibility v = Visibility::unchanged) {
    LayoutItem item;
    item.id = id;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.show = v;
    items.push_back(item);
  }
  void Scaled(int id, int x, int y, int cx, int cy) {
    Move(id, k.sx(x), k.sy(y), k.sx(cx), k.sy(cy));
  }
  // Placed at (x, y) with exactly the measured size of its text.
  LayoutItem Fitted(int id, int x, int y, Visibility v = Visibility::unchanged) {
    LayoutSize size = measure ? measure(id) : LayoutSize();
    Move(id, x, y, size.cx, size.cy, v);
    items.back().bFitted = true;
    return items.back();
  }

  const LayoutScale& k;
  const MeasureText& measure;
  std::vector<LayoutItem> items;
};

void TitleBar(Builder& b) {
  const LayoutScale& k = b.k;
  const int R = k.sx(1334), bw = k.Wide(36), bh = k.sy(35), t = k.sy(4);
  b.Move(1055, k.sx(35), k.sy(8), k.sx(259), k.sy(33), Visibility::hide);
  b.Move(1052, R - 3 * bw - k.sx(90), t, k.sx(90), k.sy(33));
  b.Move(1024, R - 3 * bw, t, bw, bh);
  b.Move(1036, R - 2 * bw, t, bw, bh);
  b.Move(1023, R - bw, t, bw, bh);
}

// bw2 x k in single precision, truncated toward zero.
int Offset(int bw2, float factor) { return static_cast<int>(static_cast<float>(bw2) * factor); }

void PlayerArea(Builder& b) {
  const LayoutScale& k = b.k;
  b.Scaled(1000, 55, 85, 820, 440);
  const int tw = b.Fitted(1002, 0, 0).cx;
  b.items.pop_back();  // only measured here; placed below
  const int E = k.sx(870) - tw;
  const int bw2 = k.Wide(72), bh2 = k.sy(58), c = k.sx(495), ty = k.sy(550);
  b.Move(1001, k.sx(60), k.sy(535), E - k.sx(60), 5);
  b.Fitted(1002, E + k.h(), k.sy(530));
  b.Move(1006, c - Offset(bw2, 3.5f), ty, bw2, bh2);
  b.Move(1005, c - Offset(bw2, 2.5f), ty, bw2, bh2);
  b.Move(1008, c - Offset(bw2, 1.5f), ty, bw2, bh2);
  b.Move(1060, c - Offset(bw2, 0.5f), ty, bw2, bh2);
  b.Move(1050, c - Offset(bw2, -0.5f), ty, bw2, bh2);
  for (int id : {1009, 1051, 1054}) b.Move(id, 0, 0, 0, 0);
  b.Move(1010, k.sx(46), k.sy(621), k.sx(980) - k.sx(46) - 15 * k.h() - 10, k.sy(100));
}

void SidePanel(Builder& b) {
  const LayoutScale& k = b.k;
  const int bw3 = k.Wide(50), py = k.sy(76), ph = k.sy(52), px = k.sx(902);
  b.Move(1007, px, py, bw3, ph);
  b.Move(1011, px + bw3, py, bw3, ph);
  b.Move(1012, px + 2 * bw3, py, bw3, ph);
  b.Move(1013, px + 3 * bw3, py, bw3, ph);
  b.Move(1044, px + 4 * bw3, py, k.Wide(120), ph);
  for (int id : {1033, 1032, 1031, 1034}) b.Move(id, 0, 0, 0, 0, Visibility::show);
  b.Move(1049, k.sx(902), k.sy(201), k.sx(409), 6);
  b.Scaled(1014, 901, 128, 410, 73);
  b.Scaled(1016, 896, 221, 421, 386);
}

void Readouts(Builder& b) {
  const LayoutScale& k = b.k;
  const int s = k.s(), h = k.h();
  const int U = k.sx(980) - 15 * h;
  const int Y = static_cast<int>(static_cast<long long>(669 - s) * k.H / 768) - 1;
  b.Fitted(1017, U, Y - 2 * s);
  b.Fitted(1018, U, Y - s);
  b.Fitted(1019, U, Y);
  b.Fitted(1020, U, Y + s);
  b.Fitted(1021, U, Y + 2 * s);
  b.Fitted(1022, U, Y + 3 * s);
  b.Move(1059, U, Y + 4 * s, s, s);
  LayoutItem kph = b.Fitted(1029, U + s, Y + 4 * s);
  b.Fitted(1030, kph.x + kph.cx + s, kph.y);
  b.Move(1027, kph.x + kph.cx + s, kph.y, s, s);
  b.Fitted(1053, k.sx(47), static_cast<int>(static_cast<long long>(66 - s / 3) * k.H / 768));
  b.Fitted(1058, k.sx(1102) - s, k.sy(683) - h);
  b.Fitted(1025, k.sx(1142) - h, k.sy(703) - h);
  b.Fitted(1063, 0, 0);
}

}  // namespace

std::vector<LayoutItem> NormalLayout(const LayoutScale& scale, const MeasureText& measure) {
  Builder b(scale, measure);
  TitleBar(b);
  b.Fitted(1004, scale.sx(1010), scale.sy(684), Visibility::hide);
  PlayerArea(b);
  SidePanel(b);
  Readouts(b);
  for (LayoutItem& item : b.items)
    if (item.id == 1029 || item.id == 1059 || item.id == 1030 || item.id == 1027)
      item.show = Visibility::hide;  // the unit switches are never shown
  return b.items;
}

std::vector<LayoutItem> EnlargedLayout(const LayoutScale& k, const MeasureText& measure) {
  Builder b(k, measure);
  b.Move(1000, k.sx(55), k.sy(85), k.sx(1255), k.sy(575));
  b.Move(1001, k.sx(412), k.sy(689), k.sx(534), k.sy(10));
  const int x0 = k.sx(49), y = k.sy(662), w = k.sx(65), hh = k.sy(58);
  const int slots[][2] = {{1005, 0}, {1006, 1}, {1007, 2}, {1008, 3}, {1060, 4}, {1050, 17}};
  for (const auto& slot : slots) b.Move(slot[0], x0 + slot[1] * w, y, w, hh);
  b.Move(1055, k.sx(35), k.sy(8), k.sx(259), k.sy(33), Visibility::hide);
  b.Fitted(1053, k.sx(47), static_cast<int>(static_cast<long long>(66 - k.s() / 3) * k.H / 768));
  b.Fitted(1004, k.sx(975), k.sy(684), Visibility::show);
  return b.items;
}

const std::vector<int>& HiddenWhenEnlarged() {
  static const std::vector<int> ids = {1010, 1014, 1011, 1012, 1013, 1016, 1018, 1017, 1019, 1025,
                                       1063, 1058, 1020, 1021, 1022, 1027, 1059, 1044, 1033, 1032,
                                       1031, 1034, 1054, 1051, 1009, 1049, 1002, 1029, 1030};
  return ids;
}

const std::vector<int>& ShownWhenEnlarged() {
  static const std::vector<int> ids = {1004};
  return ids;
}

const std::vector<int>& ShownWhenNormal() {
  static const std::vector<int> ids = {1010, 1014, 1011, 1012, 1013, 1016, 1018, 1019,
                                       1017, 1044, 1049, 1033, 1032, 1031, 1034, 1054,
                                       1051, 1025, 1063, 1058, 1020, 1021, 1022, 1002};
  return ids;
}

const std::vector<int>& HiddenWhenNormal() {
  static const std::vector<int> ids = {1004, 1029, 1059, 1030, 1027};
  return ids;
}

std::string DescribeLayout(const std::vector<LayoutItem>& items) {
  std::ostringstream out;
  for (const LayoutItem& i : items) {
    out << i.id << ' ' << i.x << ' ' << i.y << ' ' << i.cx << ' ' << i.cy;
    if (i.bFitted) out << " fitted";
    if (i.show == Visibility::show) out << " show";
    if (i.show == Visibility::hide) out << " hide";
    out << '\n';
  }
  return out.str();
}

void KeepMinimumSize(DragEdge edge, WindowRect& r) {
  const long kMinWidth = 684, kMinHeight = 324;
  if (r.right - r.left < kMinWidth) {
    if (edge == DragEdge::left || edge == DragEdge::topLeft || edge == DragEdge::bottomLeft)
      r.left = r.right - kMinWidth;
    else
      r.right = r.left + kMinWidth;
  }
  if (r.bottom - r.top < kMinHeight) {
    if (edge == DragEdge::top || edge == DragEdge::topLeft || edge == DragEdge::topRight)
      r.top = r.bottom - kMinHeight;
    else
      r.bottom = r.top + kMinHeight;
  }
}
