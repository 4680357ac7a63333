#include "app/layout.h"

#include "resources/resource.h"

#include <algorithm>
#include <sstream>

namespace {

class Builder {
 public:
  Builder(const LayoutScale& scale, const MeasureText& measure) : k(scale), measure(measure) {}

  LayoutItem Move(int id, int x, int y, int cx, int cy, Visibility v = Visibility::unchanged) {
    LayoutItem item;
    item.id = id;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.show = v;
    items.push_back(item);
    return item;
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
  // Sized to its text, its right edge at `right`: a line under another text,
  // both ending in the same place whatever their lengths.
  LayoutItem FittedRight(int id, int right, int y, Visibility v = Visibility::unchanged) {
    Fitted(id, right, y, v);
    items.back().x = right - items.back().cx;
    return items.back();
  }

  const LayoutScale& k;
  const MeasureText& measure;
  std::vector<LayoutItem> items;
};

void TitleBar(Builder& b) {
  const LayoutScale& k = b.k;
  const int R = k.sx(1334), bw = k.Wide(36), bh = k.sy(35), t = k.sy(4);
  b.Move(IDC_LOGO, k.sx(35), k.sy(8), k.sx(259), k.sy(33), Visibility::hide);
  b.Move(IDC_INTERNET_STATUS, R - 3 * bw - k.sx(90), t, k.sx(90), k.sy(33));
  b.Move(IDC_MINIMIZE, R - 3 * bw, t, bw, bh);
  b.Move(IDC_MAXIMIZE, R - 2 * bw, t, bw, bh);
  b.Move(IDC_CLOSE, R - bw, t, bw, bh);
}

// bw2 x k in single precision, truncated toward zero.
int Offset(int bw2, float factor) { return static_cast<int>(static_cast<float>(bw2) * factor); }

void PlayerArea(Builder& b) {
  const LayoutScale& k = b.k;
  b.Scaled(IDC_VIDEO_AREA, 55, 85, 820, 440);
  const int tw = b.Fitted(IDC_TIME_TEXT, 0, 0).cx;
  b.items.pop_back();  // only measured here; placed below
  const int E = k.sx(870) - tw;
  const int bw2 = k.Wide(72), bh2 = k.sy(58), c = k.sx(495), ty = k.sy(550);
  b.Move(IDC_SEEK_SLIDER, k.sx(60), k.sy(535), E - k.sx(60), 5);
  const LayoutItem time = b.Fitted(IDC_TIME_TEXT, E + k.h(), k.sy(530));
  // Under the time text and clear of the seek bar, which a small window brings close.
  b.FittedRight(IDC_TRIP_TEXT, time.x + time.cx, std::max(time.y + time.cy, k.sy(535) + 5));
  b.Move(IDC_STOP, c - Offset(bw2, 3.5f), ty, bw2, bh2);
  b.Move(IDC_PLAY_PAUSE, c - Offset(bw2, 2.5f), ty, bw2, bh2);
  b.Move(IDC_LARGE_VIEW, c - Offset(bw2, 1.5f), ty, bw2, bh2);
  b.Move(IDC_FULL_SCREEN, c - Offset(bw2, 0.5f), ty, bw2, bh2);
  b.Move(IDC_FRAME_STEP, c - Offset(bw2, -0.5f), ty, bw2, bh2);
  for (int id : {IDC_SNAPSHOT, IDC_SPARE_BUTTON_1, IDC_SPARE_BUTTON_2}) b.Move(id, 0, 0, 0, 0);
  b.Move(IDC_GSENSOR_AREA, k.sx(46), k.sy(621), k.sx(980) - k.sx(46) - 15 * k.h() - 10, k.sy(100));
}

void SidePanel(Builder& b) {
  const LayoutScale& k = b.k;
  const int bw3 = k.Wide(50), py = k.sy(76), ph = k.sy(52), px = k.sx(902);
  b.Move(IDC_OPEN_VIDEO, px, py, bw3, ph);
  b.Move(IDC_BROWSE_FOLDER, px + bw3, py, bw3, ph);
  b.Move(IDC_ADD_FILE, px + 2 * bw3, py, bw3, ph);
  b.Move(IDC_DELETE_FILE, px + 3 * bw3, py, bw3, ph);
  b.Move(IDC_WEB_SITE, px + 4 * bw3, py, k.Wide(120), ph);
  for (int id : {IDC_IMAGE_BUTTON_3, IDC_IMAGE_BUTTON_2, IDC_IMAGE_BUTTON_1, IDC_IMAGE_BUTTON_4})
    b.Move(id, 0, 0, 0, 0, Visibility::show);
  b.Move(IDC_PROGRESS, k.sx(902), k.sy(201), k.sx(409), 6);
  b.Scaled(IDC_PLAYLIST, 901, 128, 410, 73);
  b.Scaled(IDC_MAP_AREA, 896, 221, 421, 386);
}

void Readouts(Builder& b) {
  const LayoutScale& k = b.k;
  const int s = k.s(), h = k.h();
  const int U = k.sx(980) - 15 * h;
  const int Y = static_cast<int>(static_cast<long long>(669 - s) * k.H / 768) - 1;
  b.Fitted(IDC_LONGITUDE, U, Y - 2 * s);
  b.Fitted(IDC_LATITUDE, U, Y - s);
  b.Fitted(IDC_ALTITUDE, U, Y);
  b.Fitted(IDC_GFORCE_X, U, Y + s);
  b.Fitted(IDC_GFORCE_Y, U, Y + 2 * s);
  b.Fitted(IDC_GFORCE_Z, U, Y + 3 * s);
  b.Move(IDC_KPH_RADIO, U, Y + 4 * s, s, s);
  LayoutItem kph = b.Fitted(IDC_KPH_LABEL, U + s, Y + 4 * s);
  b.Fitted(IDC_MPH_LABEL, kph.x + kph.cx + s, kph.y);
  b.Move(IDC_MPH_RADIO, kph.x + kph.cx + s, kph.y, s, s);
  b.Fitted(IDC_VERSION_TEXT, k.sx(47),
           static_cast<int>(static_cast<long long>(66 - s / 3) * k.H / 768));
  b.Fitted(IDC_UNIT_TEXT, k.sx(1102) - s, k.sy(683) - h);
  b.Fitted(IDC_SPEED_TEXT, k.sx(1142) - h, k.sy(703) - h);
  b.Fitted(IDC_SECOND_TEXT, 0, 0);
}

}  // namespace

std::vector<LayoutItem> NormalLayout(const LayoutScale& scale, const MeasureText& measure) {
  Builder b(scale, measure);
  TitleBar(b);
  b.Fitted(IDC_TIME_TEXT_LARGE, scale.sx(1010), scale.sy(684), Visibility::hide);
  PlayerArea(b);
  SidePanel(b);
  Readouts(b);
  for (LayoutItem& item : b.items)
    if (item.id == IDC_KPH_LABEL || item.id == IDC_KPH_RADIO || item.id == IDC_MPH_LABEL ||
        item.id == IDC_MPH_RADIO)
      item.show = Visibility::hide;  // the unit switches are never shown
  return b.items;
}

std::vector<LayoutItem> EnlargedLayout(const LayoutScale& k, const MeasureText& measure) {
  Builder b(k, measure);
  b.Move(IDC_VIDEO_AREA, k.sx(55), k.sy(85), k.sx(1255), k.sy(575));
  const LayoutItem seek = b.Move(IDC_SEEK_SLIDER, k.sx(412), k.sy(689), k.sx(534), k.sy(10));
  const int x0 = k.sx(49), y = k.sy(662), w = k.sx(65), hh = k.sy(58);
  const int slots[][2] = {{IDC_PLAY_PAUSE, 0}, {IDC_STOP, 1},        {IDC_OPEN_VIDEO, 2},
                          {IDC_LARGE_VIEW, 3}, {IDC_FULL_SCREEN, 4}, {IDC_FRAME_STEP, 17}};
  for (const auto& slot : slots) b.Move(slot[0], x0 + slot[1] * w, y, w, hh);
  b.Move(IDC_LOGO, k.sx(35), k.sy(8), k.sx(259), k.sy(33), Visibility::hide);
  b.Fitted(IDC_VERSION_TEXT, k.sx(47),
           static_cast<int>(static_cast<long long>(66 - k.s() / 3) * k.H / 768));
  b.Fitted(IDC_TIME_TEXT_LARGE, k.sx(975), k.sy(684), Visibility::show);
  // The large time text's box holds one line: the trip line goes under the seek
  // bar's end instead.
  b.FittedRight(IDC_TRIP_TEXT, seek.x + seek.cx, seek.y + seek.cy + k.sy(5));
  return b.items;
}

bool MovesInEnlargedLayout(int id) {
  switch (id) {
    case IDC_LOGO:
    case IDC_INTERNET_STATUS:
    case IDC_MINIMIZE:
    case IDC_MAXIMIZE:
    case IDC_CLOSE:
    case IDC_TIME_TEXT_LARGE:
    case IDC_KPH_LABEL:
    case IDC_KPH_RADIO:
    case IDC_MPH_LABEL:
    case IDC_MPH_RADIO:
      return true;
    default:
      return false;
  }
}

const std::vector<int>& HiddenWhenEnlarged() {
  static const std::vector<int> ids = {
      IDC_GSENSOR_AREA,   IDC_PLAYLIST,       IDC_BROWSE_FOLDER,  IDC_ADD_FILE,
      IDC_DELETE_FILE,    IDC_MAP_AREA,       IDC_LATITUDE,       IDC_LONGITUDE,
      IDC_ALTITUDE,       IDC_SPEED_TEXT,     IDC_SECOND_TEXT,    IDC_UNIT_TEXT,
      IDC_GFORCE_X,       IDC_GFORCE_Y,       IDC_GFORCE_Z,       IDC_MPH_RADIO,
      IDC_KPH_RADIO,      IDC_WEB_SITE,       IDC_IMAGE_BUTTON_3, IDC_IMAGE_BUTTON_2,
      IDC_IMAGE_BUTTON_1, IDC_IMAGE_BUTTON_4, IDC_SPARE_BUTTON_2, IDC_SPARE_BUTTON_1,
      IDC_SNAPSHOT,       IDC_PROGRESS,       IDC_TIME_TEXT,      IDC_KPH_LABEL,
      IDC_MPH_LABEL};
  return ids;
}

const std::vector<int>& ShownWhenEnlarged() {
  static const std::vector<int> ids = {IDC_TIME_TEXT_LARGE};
  return ids;
}

const std::vector<int>& ShownWhenNormal() {
  static const std::vector<int> ids = {
      IDC_GSENSOR_AREA,   IDC_PLAYLIST,       IDC_BROWSE_FOLDER,  IDC_ADD_FILE,
      IDC_DELETE_FILE,    IDC_MAP_AREA,       IDC_LATITUDE,       IDC_ALTITUDE,
      IDC_LONGITUDE,      IDC_WEB_SITE,       IDC_PROGRESS,       IDC_IMAGE_BUTTON_3,
      IDC_IMAGE_BUTTON_2, IDC_IMAGE_BUTTON_1, IDC_IMAGE_BUTTON_4, IDC_SPARE_BUTTON_2,
      IDC_SPARE_BUTTON_1, IDC_SPEED_TEXT,     IDC_SECOND_TEXT,    IDC_UNIT_TEXT,
      IDC_GFORCE_X,       IDC_GFORCE_Y,       IDC_GFORCE_Z,       IDC_TIME_TEXT};
  return ids;
}

const std::vector<int>& HiddenWhenNormal() {
  static const std::vector<int> ids = {IDC_TIME_TEXT_LARGE, IDC_KPH_LABEL, IDC_KPH_RADIO,
                                       IDC_MPH_LABEL, IDC_MPH_RADIO};
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
  const long kMinWidth = kMinWindowWidth, kMinHeight = kMinWindowHeight;
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
