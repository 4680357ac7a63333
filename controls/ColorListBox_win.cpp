#include "controls/ColorListBox_win.h"

#include <optional>
#include <string>
#include <utility>

#include "framework/Reflect_win.h"

namespace {

unsigned ActionOf(UINT itemAction) {
  unsigned action = 0;
  if (itemAction & ODA_DRAWENTIRE) action |= kListDrawEntire;
  if (itemAction & ODA_SELECT) action |= kListSelectChanged;
  if (itemAction & ODA_FOCUS) action |= kListFocusChanged;
  return action;
}

ListSystemColours SystemColours() {
  return {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
          GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_GRAYTEXT)};
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  GdiBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

void DrawDot(HDC dc, const ListDot& dot) {
  GdiBrush brush(CreateSolidBrush(kListEventDotColour));
  GdiPen pen(CreatePen(PS_SOLID, 1, kListEventDotColour));
  SelectedObject brushIn(dc, brush.Get());
  SelectedObject penIn(dc, pen.Get());
  Ellipse(dc, dot.left, dot.top, dot.right, dot.bottom);
}

// The read-only mark that may follow the time: the dot goes before it.
constexpr wchar_t kReadOnlyMark[] = L"     G";

}  // namespace

void CColorListBox::SetRowTrips(std::vector<ListRowTrip> rows) {
  rowTrips = std::move(rows);
  ApplyRowHeights();
  InvalidateRect(GetSafeHwnd(), NULL, TRUE);
}

ListRowTrip CColorListBox::TripOf(UINT row) const {
  return row < rowTrips.size() ? rowTrips[row] : ListRowTrip();
}

int CColorListBox::LineHeight() {
  WindowDc dc(GetSafeHwnd());
  HFONT font = pDrawFont != NULL ? pDrawFont
                                 : reinterpret_cast<HFONT>(SendMessage(GetSafeHwnd(), WM_GETFONT, 0, 0));
  std::optional<SelectedObject> selected;
  if (font != NULL) selected.emplace(dc.Get(), font);
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc.Get(), &metrics)) return 16;
  return metrics.tmHeight;
}

// Every described row gets its height; rows past the description keep theirs.
void CColorListBox::ApplyRowHeights() {
  const HWND list = GetSafeHwnd();
  if (list == NULL || rowTrips.empty()) return;
  const int line = LineHeight();
  const LRESULT count = SendMessage(list, LB_GETCOUNT, 0, 0);
  for (LRESULT row = 0; row < count && static_cast<size_t>(row) < rowTrips.size(); ++row) {
    const int height = ListRowHeight(line, rowTrips[static_cast<size_t>(row)].startsTrip);
    if (SendMessage(list, LB_GETITEMHEIGHT, row, 0) != height)
      SendMessage(list, LB_SETITEMHEIGHT, row, MAKELPARAM(height, 0));
  }
}

HFONT CColorListBox::LabelFont(HFONT base) {
  if (base == NULL) return NULL;
  if (labelFont.Get() != NULL && labelFontBase == base) return labelFont.Get();
  LOGFONTW face{};
  if (GetObjectW(base, sizeof(face), &face) == 0) return base;
  face.lfWeight = FW_BOLD;
  labelFont.Reset(CreateFontIndirectW(&face));
  labelFontBase = base;
  return labelFont.Get() != NULL ? labelFont.Get() : base;
}

LRESULT CColorListBox::WindowProc(UINT msg, WPARAM, LPARAM lParam) {
  switch (msg) {
    case kReflectedDrawItem: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item != nullptr && static_cast<int>(item->itemID) >= 0) DrawItem(*item);
      return TRUE;
    }
    case kReflectedMeasureItem:
      return 0;  // the list's default height; trips set theirs afterwards
    case WM_SETFONT: {
      const LRESULT result = Default();
      ApplyRowHeights();  // the lines follow the new font
      return result;
    }
    default:
      return Default();
  }
}

void CColorListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  std::optional<SelectedObject> font;
  if (pDrawFont != NULL) font.emplace(dc, pDrawFont);
  const auto colour = static_cast<COLORREF>(item.itemData);
  const ListRowTrip trip = TripOf(item.itemID);
  const unsigned action = ActionOf(item.itemAction);
  const ListRowLook look = ListRowColours(colour, (item.itemState & ODS_SELECTED) != 0,
                                          (item.itemState & ODS_DISABLED) != 0, action,
                                          SystemColours(), trip.band);
  const ListRowPlace place = PlaceListRow(item.rcItem.top, item.rcItem.bottom, trip.startsTrip);
  const RECT text{item.rcItem.left, place.textTop, item.rcItem.right, place.textBottom};
  const bool repaint = (action & (kListDrawEntire | kListSelectChanged)) != 0;
  if (trip.startsTrip && repaint) DrawTripLabel(dc, item.rcItem, place, trip);
  if (look.fill == ListFill::kItemColour) Fill(dc, text, colour);
  if (look.fill == ListFill::kWindow) Fill(dc, text, GetSysColor(COLOR_WINDOW));
  if (look.fill == ListFill::kBand) Fill(dc, text, ListBandColour(trip.band, GetSysColor(COLOR_WINDOW)));
  if (look.focusRect) DrawFocusRect(dc, &text);

  const COLORREF oldText = SetTextColor(dc, look.text);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const int timeEnd = WriteText(item, text);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldText);
  if (trip.hasEvents && repaint) DrawDot(dc, EventDotPlace(timeEnd, text.top, text.bottom));
}

// The label's line lies on the trip's band whether the row is selected or not,
// under a one-pixel divider across the list.
void CColorListBox::DrawTripLabel(HDC dc, const RECT& row, const ListRowPlace& place,
                                  const ListRowTrip& trip) {
  const RECT line{row.left, place.labelTop, row.right, place.labelBottom};
  Fill(dc, line, ListBandColour(trip.band, GetSysColor(COLOR_WINDOW)));
  const RECT divider{row.left, place.dividerY, row.right, place.dividerY + 1};
  Fill(dc, divider, kListDividerColour);
  if (trip.label.empty()) return;
  std::optional<SelectedObject> bold;
  if (pDrawFont != NULL) bold.emplace(dc, LabelFont(pDrawFont));
  const int wide = MultiByteToWideChar(CP_UTF8, 0, trip.label.c_str(), -1, NULL, 0);
  if (wide <= 1) return;
  std::wstring label(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, trip.label.c_str(), -1, &label[0], wide);
  label.resize(static_cast<size_t>(wide - 1));
  RECT at = line;
  at.left += 4;
  const COLORREF oldText = SetTextColor(dc, kListLabelColour);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &at,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldText);
}

int CColorListBox::WriteText(const DRAWITEMSTRUCT& item, const RECT& area) {
  // Read and drawn as UTF-16: GDI's 8-bit text calls take the font's code page,
  // not the process's, so names in any script show as the list holds them.
  const LRESULT length = SendMessageW(GetSafeHwnd(), LB_GETTEXTLEN, item.itemID, 0);
  if (length == LB_ERR) return area.left;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(GetSafeHwnd(), LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));

  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (GetWindowLongA(GetSafeHwnd(), GWL_STYLE) & LBS_USETABSTOPS) format |= DT_EXPANDTABS;
  // Measured first: the text sits at the area's top-left in its own size.
  RECT place = area;
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &place, format | DT_CALCRECT);
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &place, format);

  // Where the time ends: before the read-only mark when there is one.
  const size_t mark = sizeof(kReadOnlyMark) / sizeof(wchar_t) - 1;
  if (text.size() < mark || text.compare(text.size() - mark, mark, kReadOnlyMark) != 0)
    return place.right;
  RECT time = area;
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size() - mark), &time,
              format | DT_CALCRECT);
  return time.right;
}
