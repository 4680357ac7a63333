#include "controls/ColorListBox_win.h"

#include <optional>
#include <string>

#include "controls/list_colours.h"
#include "framework/Owners_win.h"
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

}  // namespace

LRESULT CColorListBox::WindowProc(UINT msg, WPARAM, LPARAM lParam) {
  switch (msg) {
    case kReflectedDrawItem: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item != nullptr && static_cast<int>(item->itemID) >= 0) DrawItem(*item);
      return TRUE;
    }
    case kReflectedMeasureItem:
      return 0;  // the list's default height
    default:
      return Default();
  }
}

void CColorListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  std::optional<SelectedObject> font;
  if (pDrawFont != NULL) font.emplace(dc, pDrawFont);
  const auto colour = static_cast<COLORREF>(item.itemData);
  const ListRowLook look = ListRowColours(colour, (item.itemState & ODS_SELECTED) != 0,
                                          (item.itemState & ODS_DISABLED) != 0,
                                          ActionOf(item.itemAction), SystemColours());
  if (look.fill == ListFill::kItemColour) Fill(dc, item.rcItem, colour);
  if (look.fill == ListFill::kWindow) Fill(dc, item.rcItem, GetSysColor(COLOR_WINDOW));
  if (look.focusRect) DrawFocusRect(dc, &item.rcItem);

  const COLORREF oldText = SetTextColor(dc, look.text);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  WriteText(item);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldText);
}

void CColorListBox::WriteText(const DRAWITEMSTRUCT& item) {
  // Read and drawn as UTF-16: GDI's 8-bit text calls take the font's code page,
  // not the process's, so names in any script show as the list holds them.
  const LRESULT length = SendMessageW(GetSafeHwnd(), LB_GETTEXTLEN, item.itemID, 0);
  if (length == LB_ERR) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(GetSafeHwnd(), LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));

  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (GetWindowLongA(GetSafeHwnd(), GWL_STYLE) & LBS_USETABSTOPS) format |= DT_EXPANDTABS;
  // Measured first: the text sits at the item's top-left in its own size.
  RECT place = item.rcItem;
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &place, format | DT_CALCRECT);
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &place, format);
}
