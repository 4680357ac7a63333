#include "controls/SkinButton_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/SkinImage_win.h"
#include "framework/Reflect_win.h"

namespace {

RECT ClientRectIn(HWND control, HWND parent) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&r), 2);
  RECT client;
  GetClientRect(control, &client);
  r.right = r.left + client.right;
  r.bottom = r.top + client.bottom;
  return r;
}

}  // namespace

// The cached picture of what lies behind the button.
struct CSkinButton::Backdrop {
  Backdrop(HDC like, int w, int h) : dc(like, w, h), width(w), height(h) {}
  BitmapDc dc;
  int width, height;
};

CSkinButton::CSkinButton() = default;

CSkinButton::~CSkinButton() {
  if (hTooltip != NULL && IsWindow(hTooltip)) ::DestroyWindow(hTooltip);
}

void CSkinButton::PreSubclassWindow() {
  LONG_PTR style = GetWindowLongPtrA(GetSafeHwnd(), GWL_STYLE);
  nButtonType = static_cast<int>(style & BS_TYPEMASK);
  if (nButtonType == BS_DEFPUSHBUTTON) bDefault = 1;
  style = (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW;
  SetWindowLongPtrA(GetSafeHwnd(), GWL_STYLE, style);
  SetWindowPos(GetSafeHwnd(), NULL, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CSkinButton::FreeImages() {
  imageIn = Image();
  imageOut = Image();
  nLoadedIn = nLoadedOut = 0;
  nLoadedWidth = nLoadedHeight = -1;
}

int CSkinButton::LoadSkinBitmaps(int inId, int outId, COLORREF outKey, int width, int height) {
  if (HasImage() && inId == nLoadedIn && outId == nLoadedOut && width == nLoadedWidth &&
      height == nLoadedHeight)
    return kOk;
  // Images and masks come made from the resources (each read once); a missing
  // hover image leaves the button without images, a missing normal one shows
  // the hover image in every state.
  HINSTANCE module = GetModuleHandleA(NULL);
  FreeImages();
  KeyedBitmap in = LoadKeyedBitmap(module, inId, width, height, kKey);
  if (in.image.Get() != NULL) {
    TakeKeyed(imageIn, std::move(in), kKey);
    if (outId != 0) {
      KeyedBitmap out = LoadKeyedBitmap(module, outId, width, height, outKey);
      if (out.image.Get() != NULL) TakeKeyed(imageOut, std::move(out), outKey);
    }
    nLoadedIn = inId;
    nLoadedOut = outId;
    nLoadedWidth = width;
    nLoadedHeight = height;
  }
  if (GetSafeHwnd() != NULL) InvalidateRect(GetSafeHwnd(), NULL, FALSE);
  return kOk;
}

void CSkinButton::TakeKeyed(Image& image, KeyedBitmap&& keyed, COLORREF key) {
  image.bitmap = std::move(keyed.image);
  image.mask = std::move(keyed.mask);
  image.width = keyed.width;
  image.height = keyed.height;
  image.key = key;
}

// The same preparation as the resource images': key pixels black, and a mask.
int CSkinButton::TakeImage(Image& image, HBITMAP bitmap, COLORREF key) {
  GdiBitmap owned(bitmap);
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof info, &info) == 0) return kNoSize;
  KeyedBitmap keyed = KeyedFromBitmap(bitmap, key);
  if (keyed.image.Get() == NULL) return kNoMask;
  TakeKeyed(image, std::move(keyed), key);
  return kOk;
}

int CSkinButton::AssignBitmaps(HBITMAP in, COLORREF inKey, HBITMAP out, COLORREF outKey) {
  FreeImages();
  GdiBitmap ownedOut(out);  // freed here unless an image takes it
  int result = kOk;
  if (in != NULL) {
    result = TakeImage(imageIn, in, inKey);
    if (result == kOk && out != NULL) result = TakeImage(imageOut, ownedOut.Release(), outKey);
    if (result != kOk) FreeImages();
  }
  if (GetSafeHwnd() != NULL) InvalidateRect(GetSafeHwnd(), NULL, FALSE);
  return result;
}

void CSkinButton::EnsureTooltip() {
  if (hTooltip != NULL || GetSafeHwnd() == NULL) return;
  hTooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP | nTooltipFlags,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             GetSafeHwnd(), NULL, GetModuleHandleA(NULL), NULL);
  if (hTooltip == NULL) return;
  SendMessageA(hTooltip, TTM_ACTIVATE, FALSE, 0);
  SendMessageA(hTooltip, TTM_SETMAXTIPWIDTH, 0, 400);
}

// The button's own procedure hands the tooltip the pointer's messages (see
// WindowProc), so it works whatever message loop runs.
void CSkinButton::AttachTooltip(const char* text) {
  if (text == nullptr) return;
  EnsureTooltip();
  if (hTooltip == NULL) return;
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = 0;
  tool.hwnd = GetSafeHwnd();
  tool.uId = 1;
  GetClientRect(GetSafeHwnd(), &tool.rect);
  tool.lpszText = const_cast<char*>(text);
  if (!bHasTool) {
    bHasTool = SendMessageA(hTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
  } else {
    SendMessageA(hTooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(hTooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageA(hTooltip, TTM_ACTIVATE, TRUE, 0);
}

void CSkinButton::SetBackdropMode() {
  bBackdrop = 1;
  backdrop.reset();
}

int CSkinButton::RefreshBackdrop(HDC parentDc) {
  if (!bBackdrop || parentDc == NULL || GetSafeHwnd() == NULL) return kNoBackdrop;
  backdrop.reset();
  const RECT r = ClientRectIn(GetSafeHwnd(), GetParent(GetSafeHwnd()));
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return kOk;
  backdrop = std::make_unique<Backdrop>(parentDc, w, h);
  if (!backdrop->dc.Valid()) {  // no memory for it: the ground colour instead
    backdrop.reset();
    return kOk;
  }
  BitBlt(backdrop->dc.Get(), 0, 0, w, h, parentDc, r.left, r.top, SRCCOPY);
  return kOk;
}

// Without a cached backdrop (a paint before the parent's first), the parent's
// screen is the best there is.
void CSkinButton::PaintBackdrop(HDC dc) {
  if (!backdrop) {
    HWND parent = GetParent(GetSafeHwnd());
    WindowDc parentDc(parent);
    RefreshBackdrop(parentDc.Get());
    if (!backdrop) return;
  }
  BitBlt(dc, 0, 0, backdrop->width, backdrop->height, backdrop->dc.Get(), 0, 0, SRCCOPY);
}

void CSkinButton::PaintBackground(HDC dc, RECT rect) {
  const bool flat = bHoverTracking != 0;
  if (!flat && (bFocused || bDefault)) {
    GdiBrush black(CreateSolidBrush(RGB(0, 0, 0)));
    FrameRect(dc, &rect, black.Get());
    InflateRect(&rect, -1, -1);
  }
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

void CSkinButton::PaintBorder(HDC dc, const RECT& rect) {
  const bool flat = bHoverTracking != 0;
  RECT r = rect;
  if (flat) {
    if (!bDrawBorder) return;
    if (bPressed)
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (bMouseOver)
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    return;
  }
  if (bPressed)
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  else
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

void CSkinButton::PaintBitmap(HDC dc, const RECT& itemRect) {
  const Image& image =
      (bPressed || bMouseOver || imageOut.bitmap.Get() == NULL) ? imageIn : imageOut;
  int x = (itemRect.left + itemRect.right - image.width) / 2;
  int y = (itemRect.top + itemRect.bottom - image.height) / 2;
  if (bPressed) {
    x += ptPressedOffset.x;
    y += ptPressedOffset.y;
  }
  MemoryDc imageDc(dc), maskDc(dc);
  SelectedObject selectedImage(imageDc.Get(), image.bitmap.Get());
  SelectedObject selectedMask(maskDc.Get(), image.mask.Get());
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, RGB(0, 0, 0));
  if (bDisabled && bEmbossDisabled) {
    GdiBitmap plain(CreateCompatibleBitmap(dc, image.width, image.height));
    {
      MemoryDc plainDc(dc);
      SelectedObject selectedPlain(plainDc.Get(), plain.Get());
      PatBlt(plainDc.Get(), 0, 0, image.width, image.height, WHITENESS);
      BitBlt(plainDc.Get(), 0, 0, image.width, image.height, maskDc.Get(), 0, 0, SRCAND);
      BitBlt(plainDc.Get(), 0, 0, image.width, image.height, imageDc.Get(), 0, 0, SRCPAINT);
    }  // out of its DC: DrawState selects the bitmap into its own
    DrawStateA(dc, NULL, NULL, reinterpret_cast<LPARAM>(plain.Get()), 0, x, y, image.width,
               image.height, DST_BITMAP | DSS_DISABLED);
    return;
  }
  BitBlt(dc, x, y, image.width, image.height, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, image.width, image.height, imageDc.Get(), 0, 0, SRCPAINT);
}

void CSkinButton::PaintText(HDC dc, const std::string& text, RECT rect) {
  if (bPressed) OffsetRect(&rect, ptPressedOffset.x, ptPressedOffset.y);
  RECT measured = rect;
  DrawTextA(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
  OffsetRect(&measured, (rect.right - measured.right) / 2, (rect.bottom - measured.bottom) / 2);
  SetBkMode(dc, TRANSPARENT);
  if (bDisabled) {
    OffsetRect(&measured, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextA(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER);
    OffsetRect(&measured, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
  } else {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextA(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_CENTER);
}

// The window text is the tooltip's; it is drawn only by a button without an image.
void CSkinButton::DrawItem(const DRAWITEMSTRUCT& item) {
  bPressed = (item.itemState & ODS_SELECTED) != 0;
  bFocused = (item.itemState & ODS_FOCUS) != 0;
  bDisabled = (item.itemState & ODS_DISABLED) != 0;
  HDC dc = item.hDC;
  SetBkMode(dc, TRANSPARENT);
  if (bBackdrop)
    PaintBackdrop(dc);
  else
    PaintBackground(dc, item.rcItem);
  PaintBorder(dc, item.rcItem);
  if (HasImage()) {
    PaintBitmap(dc, item.rcItem);
  } else {
    char text[256] = "";
    GetWindowTextA(GetSafeHwnd(), text, sizeof text);
    if (text[0] != '\0') PaintText(dc, text, item.rcItem);
  }
  if (bFocused && (!bHoverTracking || bFocusWhenFlat)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

void CSkinButton::ClearHover() {
  if (!bHoverTracking || !bMouseOver) return;
  bMouseOver = 0;
  InvalidateRect(GetSafeHwnd(), NULL, FALSE);
}

void CSkinButton::OnMouseMove(LPARAM lParam, WPARAM wParam) {
  if (((wParam & MK_LBUTTON) != 0 && !bMouseOver) || !bHoverTracking) return;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(GetSafeHwnd(), &at);
  if (WindowFromPoint(at) == GetSafeHwnd() && (bAlwaysTrack || GetActiveWindow() != NULL)) {
    if (bMouseOver) return;
    bMouseOver = 1;
    InvalidateRect(GetSafeHwnd(), NULL, FALSE);
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, GetSafeHwnd(), 0};
    TrackMouseEvent(&track);
  } else {
    ClearHover();
  }
}

void CSkinButton::RelayToTooltip(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hTooltip == NULL || !bHasTool) return;
  const DWORD at = GetMessagePos();
  MSG relayed{GetSafeHwnd(),
              msg,
              wParam,
              lParam,
              static_cast<DWORD>(GetMessageTime()),
              POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)}};
  SendMessageA(hTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CSkinButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) || msg == WM_MOUSELEAVE)
    RelayToTooltip(msg, wParam, lParam);
  switch (msg) {
    case kReflectedDrawItem:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case kReflectedCtlColorBtn:
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_ERASEBKGND:
      return TRUE;  // the paint covers everything
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button would eat the second click of a quick pair.
      return DefaultWith(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE: {
      const LRESULT result = Default();
      OnMouseMove(lParam, wParam);
      return result;
    }
    case WM_MOUSELEAVE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
      const LRESULT result = Default();
      ClearHover();
      return result;
    }
    case WM_ACTIVATE: {
      const LRESULT result = Default();
      if (LOWORD(wParam) == WA_INACTIVE) ClearHover();
      return result;
    }
    case WM_ENABLE: {
      const LRESULT result = Default();
      if (!wParam) {
        HWND parent = GetParent(GetSafeHwnd());
        if (GetFocus() == GetSafeHwnd() && parent != NULL) {
          HWND next = GetNextDlgTabItem(parent, GetSafeHwnd(), FALSE);
          SetFocus(next != NULL ? next : parent);
        }
        ClearHover();
      }
      return result;
    }
    case WM_SYSCOLORCHANGE:
      backdrop.reset();
      InvalidateRect(GetSafeHwnd(), NULL, FALSE);
      return Default();
    case WM_GETDLGCODE:
      return Default() | (bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE: {
      const WPARAM type = wParam & BS_TYPEMASK;
      if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) bDefault = type == BS_DEFPUSHBUTTON;
      return DefaultWith(msg, (wParam & ~WPARAM{0x14}) | BS_OWNERDRAW, lParam);
    }
    default:
      return Default();
  }
}
