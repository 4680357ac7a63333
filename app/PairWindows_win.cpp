#include "app/PairWindows_win.h"

#include <algorithm>

#include "app/PanelStyle_win.h"
#include "framework/OwnWindow_win.h"
#include "video/EngineInput_win.h"
#include "video/MediaLib_win.h"

namespace {

const char kPanelClass[] = "PlayerPairPanel";
const char kStageClass[] = "PlayerPairStage";
const COLORREF kBorder = kPanelText;
const int kNoteTextHeight = 15;
const int kNotePadX = 8, kNotePadY = 4, kNoteMargin = 8;

bool IsClick(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK;
}

}  // namespace

CPairPanel::~CPairPanel() {
  if (hwnd != NULL) DestroyWindow(hwnd);
}

bool CPairPanel::Ensure(HWND parent) {
  if (hwnd != NULL && !IsWindow(hwnd)) hwnd = NULL;  // went with a parent
  if (hwnd == NULL) {
    if (!RegisterWindowClassOnce(kPanelClass, &CPairPanel::WindowProc,
                      static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))))
      return false;
    hwnd = CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                           0, 0, parent, NULL, GetModuleHandleA(NULL), this);
    return hwnd != NULL;
  }
  if (GetParent(hwnd) != parent) SetParent(hwnd, parent);
  return true;
}

void CPairPanel::ShowFrame(HWND parent, const RECT& place, HWND notify) {
  if (!Ensure(parent)) return;
  hNotify = notify;
  strText.clear();
  SetWindowPos(hwnd, HWND_TOP, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(hwnd, NULL, TRUE);
}

void CPairPanel::ShowNote(HWND parent, const RECT& area, const std::string& text) {
  if (!Ensure(parent)) return;
  hNotify = NULL;
  strText = text;
  if (font.Get() == NULL)
    font.Reset(CreateFontA(-kNoteTextHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_ROMAN, kPanelFace));
  SIZE size{0, 0};
  {
    MemoryDc measure(NULL);
    SelectedObject chosen(measure.Get(), font.Get());
    GetTextExtentPoint32A(measure.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  }
  const int room = std::max(0, static_cast<int>(area.right - area.left) - 2 * kNoteMargin);
  const int w = std::min(room, static_cast<int>(size.cx) + 2 * kNotePadX);
  const int h = size.cy + 2 * kNotePadY;
  SetWindowPos(hwnd, HWND_TOP, area.left + kNoteMargin, area.bottom - kNoteMargin - h, w, h,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(hwnd, NULL, TRUE);
}

HWND CPairPanel::ClickTarget(HWND parent, HWND notify) {
  if (!Ensure(parent)) return NULL;
  hNotify = notify;
  return hwnd;
}

void CPairPanel::Hide() {
  if (hwnd != NULL && IsWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
}

LRESULT CALLBACK CPairPanel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CPairPanel* self = WindowOwner<CPairPanel>(window, message, lParam);
  if (self == nullptr || self->hwnd != window) return DefWindowProcA(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT CPairPanel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsClick(message)) {
    // Also the clicks of the small video, which drains into its frame.
    if (hNotify != NULL) PostMessageA(hNotify, kClickedMessage, 0, 0);
    return 0;
  }
  switch (message) {
    case WM_PAINT: {
      PaintDc paint(hwnd);
      RECT client{0, 0, 0, 0};
      GetClientRect(hwnd, &client);
      Paint(paint.Get(), client);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers it all
    case WM_NCDESTROY:
      hwnd = NULL;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void CPairPanel::Paint(HDC dc, const RECT& client) const {
  if (strText.empty()) {
    // The frame: a dark outline, the light border inside it; the video covers
    // the rest.
    GdiBrush outline(CreateSolidBrush(kPanelGround));
    GdiBrush border(CreateSolidBrush(kBorder));
    FillRect(dc, &client, outline.Get());
    RECT inside{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    FillRect(dc, &inside, border.Get());
    return;
  }
  GdiBrush ground(CreateSolidBrush(kPanelGround));
  FillRect(dc, &client, ground.Get());
  SelectedObject chosen(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kPanelText);
  RECT text{client.left + kNotePadX, client.top, client.right - kNotePadX, client.bottom};
  DrawTextA(dc, strText.c_str(), static_cast<int>(strText.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

bool CPairStage::Open(HWND owner) {
  if (hwnd != NULL) return true;
  if (!RegisterWindowClassOnce(kStageClass, &CPairStage::WindowProc,
                    static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))))
    return false;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
  const RECT& r = monitor.rcMonitor;
  hOwner = owner;
  hwnd = CreateWindowExA(WS_EX_TOPMOST, kStageClass, "", WS_POPUP | WS_CLIPCHILDREN, r.left, r.top,
                         r.right - r.left, r.bottom - r.top, owner, NULL, GetModuleHandleA(NULL),
                         this);
  if (hwnd == NULL) return false;
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
  return true;
}

void CPairStage::Close() {
  if (hwnd == NULL) return;
  HWND window = hwnd;
  hwnd = NULL;
  DestroyWindow(window);
  if (hOwner != NULL && IsWindow(hOwner)) SetForegroundWindow(hOwner);
}

LRESULT CALLBACK CPairStage::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CPairStage* self = WindowOwner<CPairStage>(window, message, lParam);
  if (self == nullptr || self->hwnd != window) return DefWindowProcA(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

// Its keys and clicks, and those the large video drains into it, work as they
// do in the video's own full screen.
LRESULT CPairStage::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{hwnd, message, wParam, lParam, 0, {0, 0}};
  switch (ClassifyEngineInput(msg)) {
    case EngineInput::LeaveFullScreen:
      PostMessageA(hOwner, kLeaveMessage, 0, 0);
      return 0;
    case EngineInput::TogglePlay:
      PostMessageA(hOwner, CMediaLib::kForwardedKeyMessage, VK_SPACE, 0);
      return 0;
    case EngineInput::ForwardKey:
      PostMessageA(hOwner, CMediaLib::kForwardedKeyMessage, wParam,
                   ForwardedKeyFlagsOf(msg, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0));
      return 0;
    case EngineInput::Swallow:
      return 0;
    case EngineInput::PassOn:
      break;
  }
  if (message == WM_NCDESTROY) hwnd = NULL;
  return DefWindowProcA(hwnd != NULL ? hwnd : msg.hwnd, message, wParam, lParam);
}
