// The skin's owner-drawn push button: a normal image, and a hover image while
// the pointer is over it or it is pressed. Pixels of the key colour show the
// window's background behind the button (its backdrop, copied from the
// window's off-screen image). The image moves one pixel right and down while
// pressed; a tooltip names the button.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls/SkinImage_win.h"
#include "framework/Owners_win.h"
#include "framework/Subclass_win.h"

class CSkinButton : public CSubclassWnd {
 public:
  static constexpr COLORREF kKey = RGB(1, 100, 250);
  // LoadSkinBitmaps and AssignBitmaps results.
  static constexpr int kOk = 0, kNoSize = 1, kNoMask = 2, kNoBackdrop = 5;

  CSkinButton();
  ~CSkinButton() override;

  // Loads bitmap resources inId (hover) and outId (normal; 0: none), scaled to
  // width x height unless both are 0. Loading the same pair at the same size
  // again keeps the images already made.
  int LoadSkinBitmaps(int inId, int outId, COLORREF outKey, int width, int height);
  // Takes ownership of both bitmaps (either may be null).
  int AssignBitmaps(HBITMAP in, COLORREF inKey, HBITMAP out, COLORREF outKey);
  // Sets and activates the tooltip; null does nothing.
  void AttachTooltip(const char* text);
  // Paint the backdrop instead of a ground colour; the cached one is dropped.
  void SetBackdropMode();
  // Copies the backdrop from parentDc, an off-screen image of the parent's
  // whole client area. kNoBackdrop without backdrop mode or without a DC.
  int RefreshBackdrop(HDC parentDc);

  bool HasImage() const { return imageIn.bitmap.Get() != NULL; }
  SIZE ImageSize() const { return SIZE{imageIn.width, imageIn.height}; }
  bool MouseOver() const { return bMouseOver != 0; }
  HWND Tooltip() const { return hTooltip; }

  int bEmbossDisabled = 1;
  int nMarginX = 3, nMarginY = 3;
  POINT ptPressedOffset{1, 1};
  int bHoverTracking = 1;
  int bDrawBorder = 1;
  int bFocusWhenFlat = 0;
  int bAlwaysTrack = 1;
  DWORD nTooltipFlags = 0;

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  struct Image {
    GdiBitmap bitmap;  // key pixels turned black
    GdiBitmap mask;    // 1 where the key colour was
    int width = 0, height = 0;
    COLORREF key = 0;
  };
  struct Backdrop;

  int TakeImage(Image& image, HBITMAP bitmap, COLORREF key);
  void TakeKeyed(Image& image, KeyedBitmap&& keyed, COLORREF key);
  void FreeImages();
  void PaintBackdrop(HDC dc);
  void PaintBackground(HDC dc, RECT rect);
  void PaintBorder(HDC dc, const RECT& rect);
  void PaintBitmap(HDC dc, const RECT& itemRect);
  void PaintText(HDC dc, const std::string& text, RECT rect);
  void OnMouseMove(LPARAM lParam, WPARAM wParam);
  void ClearHover();
  void EnsureTooltip();
  void RelayToTooltip(UINT msg, WPARAM wParam, LPARAM lParam);

  Image imageIn, imageOut;
  std::unique_ptr<Backdrop> backdrop;
  HWND hTooltip = NULL;
  bool bHasTool = false;
  int bMouseOver = 0;
  int bBackdrop = 0;
  int bPressed = 0, bFocused = 0, bDisabled = 0;
  int bDefault = 0;
  int nButtonType = 31;
  // What the images were last loaded from, so an unchanged size reuses them.
  int nLoadedIn = 0, nLoadedOut = 0, nLoadedWidth = -1, nLoadedHeight = -1;
};
