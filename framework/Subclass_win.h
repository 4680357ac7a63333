// Takes over an existing window's messages (an owner-drawn control, a static
// that hosts a video): WindowProc sees each message first, Default() passes it on.
#pragma once

#include <windows.h>

class CSubclassWnd {
 public:
  CSubclassWnd() = default;
  virtual ~CSubclassWnd();
  CSubclassWnd(const CSubclassWnd&) = delete;
  CSubclassWnd& operator=(const CSubclassWnd&) = delete;

  // False when the window is null or already taken by another object.
  bool Attach(HWND hwnd);
  void Detach();
  HWND GetSafeHwnd() const { return m_hWnd; }

 protected:
  // Called once the window is ours, before any of its messages reach WindowProc.
  virtual void PreSubclassWindow() {}
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window's own processing of the message being handled.
  LRESULT Default();
  // The window's own processing of another message (or other parameters).
  LRESULT DefaultWith(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);

  HWND m_hWnd = NULL;
  // The message being handled, for Default().
  UINT m_msg = 0;
  WPARAM m_wParam = 0;
  LPARAM m_lParam = 0;
};
