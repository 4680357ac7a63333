// The sheet of the player's keys: a dark pop-up over the main window in the
// skin's colours and font, closed by any key, a click, or going elsewhere.
#pragma once

#include <windows.h>

#include "framework/Owners_win.h"

class CKeySheet {
 public:
  CKeySheet() = default;
  ~CKeySheet();
  CKeySheet(const CKeySheet&) = delete;
  CKeySheet& operator=(const CKeySheet&) = delete;

  // Opens the sheet centred over `owner`, its text sized from the window's
  // font height (`fontHeight`, pixels; the default below that size); a sheet
  // already open closes instead.
  void Show(HWND owner, int fontHeight);
  void Close();
  bool IsOpen() const { return hwnd != NULL; }
  HWND Window() const { return hwnd; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void MakeFonts(int textHeight);
  SIZE Measure(HDC dc) const;
  void Paint(HDC dc, const RECT& client) const;
  int KeysWidth(HDC dc) const;

  HWND hwnd = NULL;  // owned: destroyed by Close
  HWND hOwner = NULL;
  int nText = 0;  // text height, pixels
  GdiFont fontTitle;
  GdiFont fontText;
  GdiFont fontCap;
};
