#include "app/KeySheet_win.h"

#include <algorithm>
#include <string>

#include "app/PanelStyle_win.h"
#include "app/key_commands.h"
#include "framework/OwnWindow_win.h"

namespace {

const char kSheetClass[] = "PlayerKeySheet";
const char kTitle[] = "Keyboard";
const char kFooter[] = "Press any key or click to close";

// The skin's dark panel and its light text; red is the skin's accent.
const COLORREF kGround = kPanelGround;
const COLORREF kFrame = RGB(70, 76, 86);
const COLORREF kAccent = RGB(210, 0, 0);
const COLORREF kTitleText = RGB(255, 255, 255);
const COLORREF kText = kPanelText;
const COLORREF kDim = RGB(136, 142, 152);
const COLORREF kCapFill = RGB(50, 55, 63);
const COLORREF kCapEdge = RGB(96, 103, 115);

const int kMinText = 17;

struct Metrics {
  int pad, rowHeight, capPadX, capHeight, gap, columnGap, titleHeight;
};

Metrics MetricsFor(int text) {
  return Metrics{text * 3 / 2, text * 2, text / 2, text * 3 / 2, text / 3, text * 2, text * 2};
}

SIZE TextSize(HDC dc, HFONT font, const std::string& text) {
  SelectedObject selected(dc, font);
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

void DrawTextAt(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT area,
                UINT format) {
  SelectedObject selected(dc, font);
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_SINGLELINE | DT_NOPREFIX);
}

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  GdiBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &area, brush.Get());
}

}  // namespace

CKeySheet::~CKeySheet() { Close(); }

void CKeySheet::Close() {
  if (hwnd == NULL) return;
  HWND window = hwnd;
  hwnd = NULL;
  DestroyWindow(window);
  if (hOwner != NULL && IsWindow(hOwner)) SetForegroundWindow(hOwner);
}

void CKeySheet::MakeFonts(int textHeight) {
  if (textHeight == nText && fontText.Get() != NULL) return;
  nText = textHeight;
  auto make = [](int height, int weight) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_ROMAN, kPanelFace);
  };
  fontTitle.Reset(make(textHeight * 3 / 2, FW_BOLD));
  fontText.Reset(make(textHeight, FW_NORMAL));
  fontCap.Reset(make(textHeight * 9 / 10, FW_BOLD));
}

void CKeySheet::Show(HWND owner, int fontHeight) {
  if (hwnd != NULL) return Close();
  if (!RegisterWindowClassOnce(kSheetClass, &CKeySheet::WindowProc, NULL, CS_DROPSHADOW)) return;
  hOwner = owner;
  MakeFonts(std::max(kMinText, fontHeight));
  SIZE size{0, 0};
  {
    MemoryDc measure(NULL);
    size = Measure(measure.Get());
  }
  RECT over{0, 0, 0, 0};
  GetWindowRect(owner, &over);
  const int x = over.left + std::max(0L, (over.right - over.left - size.cx) / 2);
  const int y = over.top + std::max(0L, (over.bottom - over.top - size.cy) / 2);
  hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSheetClass, kTitle, WS_POPUP, x, y,
                         size.cx, size.cy, owner, NULL, GetModuleHandleA(NULL), this);
  if (hwnd == NULL) return;
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
}

int CKeySheet::KeysWidth(HDC dc) const {
  const Metrics m = MetricsFor(nText);
  int widest = 0;
  for (const KeySheetLine& line : KeySheetLines()) {
    int width = 0;
    for (const KeyCapPart& part : KeyCapParts(line.strKeys)) {
      const SIZE s = TextSize(dc, part.bCap ? fontCap.Get() : fontText.Get(), part.strText);
      width += s.cx + (part.bCap ? 2 * m.capPadX : 0) + m.gap;
    }
    widest = std::max(widest, width);
  }
  return widest;
}

SIZE CKeySheet::Measure(HDC dc) const {
  const Metrics m = MetricsFor(nText);
  int actions = TextSize(dc, fontTitle.Get(), kTitle).cx;
  for (const KeySheetLine& line : KeySheetLines())
    actions = std::max(actions, static_cast<int>(TextSize(dc, fontText.Get(), line.strAction).cx));
  const int rows = static_cast<int>(KeySheetLines().size());
  const int width = m.pad + KeysWidth(dc) + m.columnGap + actions + m.pad;
  const int height = m.pad + m.titleHeight + m.gap * 2 + rows * m.rowHeight + m.rowHeight + m.pad / 2;
  return SIZE{width, height};
}

void CKeySheet::Paint(HDC dc, const RECT& client) const {
  const Metrics m = MetricsFor(nText);
  Fill(dc, client, kGround);
  // A thin frame, the accent along the top.
  GdiBrush frame(CreateSolidBrush(kFrame));
  FrameRect(dc, &client, frame.Get());
  Fill(dc, RECT{client.left, client.top, client.right, client.top + 3}, kAccent);
  SetBkMode(dc, TRANSPARENT);

  int y = m.pad;
  DrawTextAt(dc, fontTitle.Get(), kTitleText, kTitle,
             RECT{m.pad, y, client.right - m.pad, y + m.titleHeight}, DT_LEFT | DT_VCENTER);
  y += m.titleHeight + m.gap;
  Fill(dc, RECT{m.pad, y, client.right - m.pad, y + 1}, kFrame);
  y += m.gap;

  const int actionsLeft = m.pad + KeysWidth(dc) + m.columnGap;
  GdiBrush capFill(CreateSolidBrush(kCapFill));
  GdiPen capEdge(CreatePen(PS_SOLID, 1, kCapEdge));
  for (const KeySheetLine& line : KeySheetLines()) {
    int x = m.pad;
    const int capTop = y + (m.rowHeight - m.capHeight) / 2;
    for (const KeyCapPart& part : KeyCapParts(line.strKeys)) {
      HFONT font = part.bCap ? fontCap.Get() : fontText.Get();
      const int w = TextSize(dc, font, part.strText).cx + (part.bCap ? 2 * m.capPadX : 0);
      if (part.bCap) {
        SelectedObject brush(dc, capFill.Get());
        SelectedObject pen(dc, capEdge.Get());
        RoundRect(dc, x, capTop, x + w, capTop + m.capHeight, nText / 2, nText / 2);
        DrawTextAt(dc, font, kTitleText, part.strText, RECT{x, capTop, x + w, capTop + m.capHeight},
                   DT_CENTER | DT_VCENTER);
      } else {
        DrawTextAt(dc, font, kDim, part.strText, RECT{x, y, x + w, y + m.rowHeight},
                   DT_CENTER | DT_VCENTER);
      }
      x += w + m.gap;
    }
    DrawTextAt(dc, fontText.Get(), kText, line.strAction,
               RECT{actionsLeft, y, client.right - m.pad, y + m.rowHeight}, DT_LEFT | DT_VCENTER);
    y += m.rowHeight;
  }
  DrawTextAt(dc, fontText.Get(), kDim, kFooter, RECT{m.pad, y, client.right - m.pad, y + m.rowHeight},
             DT_CENTER | DT_VCENTER);
}

LRESULT CALLBACK CKeySheet::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CKeySheet* sheet = WindowOwner<CKeySheet>(window, message, lParam);
  if (sheet == nullptr || sheet->hwnd != window) return DefWindowProcA(window, message, wParam, lParam);
  return sheet->Handle(message, wParam, lParam);
}

LRESULT CKeySheet::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(hwnd);
      RECT client;
      GetClientRect(hwnd, &client);
      // Drawn off screen and shown in one block.
      MemoryDc memory(paint.Get());
      GdiBitmap bitmap(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
      SelectedObject selected(memory.Get(), bitmap.Get());
      Paint(memory.Get(), client);
      BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      PostMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) PostMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_NCDESTROY: {  // also destroyed with its owner: the handle is no more
      HWND window = hwnd;
      hwnd = NULL;
      return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
