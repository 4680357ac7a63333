// Windows of our own class whose procedure hands each message to the C++
// object that created them (passed as CreateWindowEx's last parameter).
#pragma once

#include <windows.h>

// Registers the class `name` of this module once; true when it exists.
inline bool RegisterWindowClassOnce(const char* name, WNDPROC proc, HBRUSH ground, UINT style = 0) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(NULL), name, &wc)) return true;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = ground;  // a stock brush or none: the class does not own it
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0;
}

// The object behind `window`: kept in its user data from WM_NCCREATE on; null
// before that.
template <class Owner>
Owner* WindowOwner(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return owner;
  }
  return reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
